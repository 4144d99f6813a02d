#pragma once
#include <QString>

#include <string>
#include <string_view>

#include "text/TextEncoding.h"

namespace quarry {

// Stored bytes as Unicode and back, in a document's encoding: what the clipboard, drag and drop,
// printing and the dialogs exchange with the rest of the desktop.
class DocumentText final {
public:
    // In UTF-8 a byte that is no character stands for itself as a Windows-1252 character, so
    // damaged text stays readable.
    static QString ToUnicode(std::string_view bytes, TextEncoding encoding);
    // In Windows-1252 characters the code page lacks become "?".
    static std::string FromUnicode(const QString& text, TextEncoding encoding);
};

}  // namespace quarry
