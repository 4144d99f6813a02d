#pragma once
#include <QChar>
#include <QString>

#include <string>
#include <string_view>

namespace quarry {

// The view shows the bytes of the text store as Windows-1252 characters. The five bytes the code
// page leaves undefined map to the control characters of the same number, as Windows does.
class Windows1252 final {
public:
    static QChar ToUnicode(unsigned char byte);
    static QString ToUnicode(std::string_view bytes);
    // The byte of a character, or false when the code page has none for it.
    static bool FromUnicode(QChar ch, unsigned char& byte);
    // Characters without a byte become "?".
    static std::string FromUnicode(const QString& text);
};

}  // namespace quarry
