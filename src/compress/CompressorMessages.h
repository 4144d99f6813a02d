#pragma once
#include <string>

namespace quarry {

// The compressor's numbered string table. Texts that end in ": " get a file name appended by the
// caller; a few file messages carry a suffix after the name (see fileText).
enum class CompressorMessage {
    NoMemoryForBuffers,
    StreamSizeUnknown,
    FileSizeUnknown,
    InputStreamInit,
    OutputStreamInit,
    OpenInputFile,
    OpenOutputFile,
    WriteStream,
    WriteFile,
    ReadStream,
    ReadFile,
    ReadStreamLzh,
    ReadStreamKh,
    NoHeaderStream,
    NoHeaderFile,
    SizeMismatchKh,
    SizeMismatchLzh,
    AdviseNoBuffers,
    AdviseStreamSizeUnknown,
    AdviseFileSizeUnknown,
    AdviseInputStreamInit,
    AdviseOpenInputFile,
    AdviseReadStream,
    AdviseReadFile,
    NoMemoryForHashTable,
    InputTooLarge,
};

// The table text, exactly as shown to the user.
const char* compressorText(CompressorMessage id);

// Which of the three read contexts a read failure belongs to; the texts differ only in a suffix.
enum class ReadContext { Plain, Lzh, Kh };

// "Compressor : Error reading from input stream ! (LZH)" and its file form
// "Compressor : Error reading from input file : NAME (LZH)".
std::string readErrorText(ReadContext context, const std::string& fileName, bool fileMode);

}  // namespace quarry
