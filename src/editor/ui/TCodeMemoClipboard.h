#pragma once
#include <QString>

#include <string>
#include <string_view>

#include "text/TextEncoding.h"

class QMimeData;

namespace quarry {

// The data the control gives to and takes from the clipboard and drag and drop: plain text (the
// platform's line ends, the document's bytes as Unicode in its encoding), RTF as "text/rtf", and
// HTML received from other programs.
class TCodeMemoClipboard final {
public:
    static constexpr const char* kRtfMime = "text/rtf";
    // How Qt names the Windows clipboard's "HTML Format" when it passes it on untranslated.
    static constexpr const char* kWindowsHtmlMime = "application/x-qt-windows-mime;value=\"HTML Format\"";

    // platformText: the control's text with CR LF line ends; rtf: empty for none.
    static QMimeData* MakeMimeData(std::string_view platformText, std::string_view rtf,
                                   TextEncoding encoding = TextEncoding::Windows1252);
    // What a selection dragged out offers: plain text and nothing else. stored: the control's
    // text (CR line breaks).
    static QMimeData* MakeDragData(std::string_view stored, TextEncoding encoding = TextEncoding::Windows1252);
    // The text to insert from clipboard or drop data: plain text first, else trimmed HTML.
    // False when the data holds neither.
    static bool ReadText(const QMimeData& data, std::string& text, TextEncoding encoding = TextEncoding::Windows1252);
    static bool HasText(const QMimeData& data);
    static bool HasPlainText(const QMimeData& data);
    // HTML as received: everything before the first "<" goes; data in the "HTML Format" keeps only
    // what stands between its fragment markers.
    static std::string ReceivedHtml(std::string_view html, bool htmlFormat);
    // The platform's plain-text form of the control's CR LF text.
    static QString PlatformString(std::string_view crlfText, TextEncoding encoding = TextEncoding::Windows1252);
};

}  // namespace quarry
