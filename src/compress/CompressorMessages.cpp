#include "compress/CompressorMessages.h"

#include <array>
#include <utility>

namespace quarry {

namespace {

constexpr std::array<std::pair<CompressorMessage, const char*>, 26> kTexts{{
    {CompressorMessage::NoMemoryForBuffers, "Compressor (de)compression : Failed to get memory for I/O buffers !"},
    {CompressorMessage::StreamSizeUnknown, "Compressor compression : Failed to obtain the size of the input stream !"},
    {CompressorMessage::FileSizeUnknown, "Compressor compression : Failed to obtain the size of : "},
    {CompressorMessage::InputStreamInit, "Compressor (de)compression : Failed to initialize input stream !"},
    {CompressorMessage::OutputStreamInit, "Compressor (de)compression : Failed to initialize output stream !"},
    {CompressorMessage::OpenInputFile, "Compressor (de)compression : Failed to open input file : "},
    {CompressorMessage::OpenOutputFile, "Compressor (de)compression : Failed to open output file : "},
    {CompressorMessage::WriteStream, "Compressor : Error writing to output stream !"},
    {CompressorMessage::WriteFile, "Compressor : Error writing to output file : "},
    {CompressorMessage::ReadStream, "Compressor : Error reading from input stream !"},
    {CompressorMessage::ReadFile, "Compressor : Error reading from input file : "},
    {CompressorMessage::ReadStreamLzh, "Compressor : Error reading from input stream ! (LZH)"},
    {CompressorMessage::ReadStreamKh, "Compressor : Error reading from input stream ! (Compressor/KH)"},
    {CompressorMessage::NoHeaderStream, "Compressor decompression : input stream contains no valid header !"},
    {CompressorMessage::NoHeaderFile, " : Compressor decompression : this file has no valid header !"},
    {CompressorMessage::SizeMismatchKh,
     "Compressor (decompression Compressor/KH) : Original and compressed sizes do not match !"},
    {CompressorMessage::SizeMismatchLzh, "Compressor (LZH decompression) : Original and compressed sizes do not match !"},
    {CompressorMessage::AdviseNoBuffers, "Compressor advise : Error getting I/O buffers"},
    {CompressorMessage::AdviseStreamSizeUnknown, "Compressor advise : can not get size of inputstream !"},
    {CompressorMessage::AdviseFileSizeUnknown, "Compressor advise : can not get the size of : "},
    {CompressorMessage::AdviseInputStreamInit, "Compressor edvise : can not initialize the input stream!"},
    {CompressorMessage::AdviseOpenInputFile, "Compressor advise : can open input file : "},
    {CompressorMessage::AdviseReadStream, "Compressor advise : input stream read error !"},
    {CompressorMessage::AdviseReadFile, "Compressor advise : read error on input file : "},
    {CompressorMessage::NoMemoryForHashTable, "CompressorKH : no memory for HASH table"},
    // The header holds the original size in 32 bits; a larger input could not be restored.
    {CompressorMessage::InputTooLarge, "Compressor compression : input is 4 GB or larger and can not be stored !"},
}};

}  // namespace

const char* compressorText(CompressorMessage id)
{
    for (const auto& [key, text] : kTexts)
        if (key == id)
            return text;
    return "Compressor : unknown error";
}

std::string readErrorText(ReadContext context, const std::string& fileName, bool fileMode)
{
    if (fileMode) {
        std::string text = std::string(compressorText(CompressorMessage::ReadFile)) + fileName;
        if (context == ReadContext::Lzh)
            text += " (LZH)";
        else if (context == ReadContext::Kh)
            text += " (Compressor/KH)";
        return text;
    }
    switch (context) {
    case ReadContext::Lzh: return compressorText(CompressorMessage::ReadStreamLzh);
    case ReadContext::Kh: return compressorText(CompressorMessage::ReadStreamKh);
    case ReadContext::Plain: break;
    }
    return compressorText(CompressorMessage::ReadStream);
}

}  // namespace quarry
