#include "editor/ui/Windows1252.h"

#include <array>

namespace quarry {

namespace {
// Bytes 0x80..0x9F; the rest of the code page equals Latin-1.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};
}  // namespace

QChar Windows1252::ToUnicode(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) return QChar(kHigh[byte - 0x80]);
    return QChar(static_cast<char16_t>(byte));
}

QString Windows1252::ToUnicode(std::string_view bytes) {
    QString out;
    out.resize(static_cast<qsizetype>(bytes.size()));
    QChar* data = out.data();
    for (std::size_t i = 0; i < bytes.size(); ++i) data[i] = ToUnicode(static_cast<unsigned char>(bytes[i]));
    return out;
}

bool Windows1252::FromUnicode(QChar ch, unsigned char& byte) {
    const char16_t u = ch.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
        byte = static_cast<unsigned char>(u);
        return true;
    }
    for (std::size_t i = 0; i < kHigh.size(); ++i)
        if (kHigh[i] == u) {
            byte = static_cast<unsigned char>(0x80 + i);
            return true;
        }
    return false;
}

std::string Windows1252::FromUnicode(const QString& text) {
    std::string out;
    out.reserve(static_cast<std::size_t>(text.size()));
    for (QChar ch : text) {
        unsigned char byte = '?';
        if (ch.isLowSurrogate()) continue;  // the high half of the pair already gave its "?"
        FromUnicode(ch, byte);
        out += static_cast<char>(byte);
    }
    return out;
}

}  // namespace quarry
