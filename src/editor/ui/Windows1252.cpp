#include "editor/ui/Windows1252.h"

#include "text/CodePage1252.h"

namespace quarry {

QChar Windows1252::ToUnicode(unsigned char byte) { return QChar(static_cast<char16_t>(CodePage1252::ToCode(byte))); }

QString Windows1252::ToUnicode(std::string_view bytes) {
    QString out;
    out.resize(static_cast<qsizetype>(bytes.size()));
    QChar* data = out.data();
    for (std::size_t i = 0; i < bytes.size(); ++i) data[i] = ToUnicode(static_cast<unsigned char>(bytes[i]));
    return out;
}

bool Windows1252::FromUnicode(QChar ch, unsigned char& byte) { return CodePage1252::FromCode(ch.unicode(), byte); }

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
