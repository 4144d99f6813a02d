#include "editorwin/LineEndStyle.h"

#include <fstream>

namespace quarry {

LineEndStyle platformLineEnds()
{
#ifdef _WIN32
    return LineEndStyle::CrLf;
#else
    return LineEndStyle::Lf;
#endif
}

LineEndStyle detectLineEnds(std::string_view bytes, LineEndStyle fallback)
{
    const auto at = bytes.find_first_of("\r\n");
    if (at == std::string_view::npos)
        return fallback;
    if (bytes[at] == '\n')
        return LineEndStyle::Lf;
    if (at + 1 == bytes.size())
        return fallback;  // a CR at the end of the sample may be half of a pair
    return bytes[at + 1] == '\n' ? LineEndStyle::CrLf : LineEndStyle::Cr;
}

LineEndStyle detectFileLineEnds(const std::string& fileName)
{
    std::ifstream in(fileName, std::ios::binary);
    std::string sample(64 * 1024, '\0');
    in.read(sample.data(), static_cast<std::streamsize>(sample.size()));
    sample.resize(static_cast<std::size_t>(in.gcount()));
    return detectLineEnds(sample, platformLineEnds());
}

}  // namespace quarry
