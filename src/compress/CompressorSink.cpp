#include "compress/CompressorSink.h"

#include "compress/CompressorMessages.h"
#include "compress/ECompressorException.h"

namespace quarry {

void CompressorSink::write(const std::uint8_t* src, std::size_t n)
{
    if (n == 0)
        return;
    out_.write(reinterpret_cast<const char*>(src), static_cast<std::streamsize>(n));
    if (!out_)
        failWrite();
    bytesWritten_ += n;
}

void CompressorSink::flush()
{
    out_.flush();
    if (!out_)
        failWrite();
}

void CompressorSink::failWrite() const
{
    if (fileMode_)
        throw ECompressorException(compressorText(CompressorMessage::WriteFile) + fileName_);
    throw ECompressorException(compressorText(CompressorMessage::WriteStream));
}

}  // namespace quarry
