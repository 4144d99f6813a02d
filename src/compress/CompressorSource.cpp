#include "compress/CompressorSource.h"

#include "compress/ECompressorException.h"

namespace quarry {

std::size_t CompressorSource::read(std::uint8_t* dst, std::size_t n, ReadContext context)
{
    if (n == 0 || in_.eof())
        return 0;
    in_.read(reinterpret_cast<char*>(dst), static_cast<std::streamsize>(n));
    if (in_.bad())
        failRead(context);
    const auto got = static_cast<std::size_t>(in_.gcount());
    bytesRead_ += got;
    return got;
}

void CompressorSource::readExact(std::uint8_t* dst, std::size_t n, ReadContext context)
{
    if (read(dst, n, context) != n)
        failRead(context);
}

void CompressorSource::failRead(ReadContext context) const
{
    throw ECompressorException(readErrorText(context, fileName_, fileMode_));
}

}  // namespace quarry
