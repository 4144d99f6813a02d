#include "editor/ui/DocumentText.h"

#include "editor/ui/Windows1252.h"
#include "text/CodePage1252.h"
#include "text/Utf8.h"

namespace quarry {

QString DocumentText::ToUnicode(std::string_view bytes, TextEncoding encoding) {
    if (encoding == TextEncoding::Windows1252) return Windows1252::ToUnicode(bytes);
    std::u32string codes;
    codes.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        const Utf8::Decoded d = Utf8::Decode(bytes, i);
        codes += d.valid ? d.code : CodePage1252::ToCode(static_cast<unsigned char>(bytes[i]));
        i += static_cast<std::size_t>(d.length);
    }
    return QString::fromUcs4(codes.data(), static_cast<qsizetype>(codes.size()));
}

std::string DocumentText::FromUnicode(const QString& text, TextEncoding encoding) {
    if (encoding == TextEncoding::Windows1252) return Windows1252::FromUnicode(text);
    const QByteArray utf8 = text.toUtf8();
    return std::string(utf8.constData(), static_cast<std::size_t>(utf8.size()));
}

}  // namespace quarry
