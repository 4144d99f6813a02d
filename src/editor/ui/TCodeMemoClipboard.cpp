#include "editor/ui/TCodeMemoClipboard.h"

#include <QByteArray>
#include <QMimeData>

#include "text/LineEnds.h"
#include "editor/ui/Windows1252.h"

namespace quarry {

namespace {
constexpr std::string_view kStartFragment = "<!--StartFragment-->";
constexpr std::string_view kEndFragment = "<!--EndFragment-->";
}  // namespace

QString TCodeMemoClipboard::PlatformString(std::string_view crlfText) {
#ifdef Q_OS_WIN
    return Windows1252::ToUnicode(crlfText);
#else
    std::string lf;
    lf.reserve(crlfText.size());
    for (std::size_t i = 0; i < crlfText.size(); ++i) {
        if (crlfText[i] == '\r' && i + 1 < crlfText.size() && crlfText[i + 1] == '\n') continue;
        lf += crlfText[i];
    }
    return Windows1252::ToUnicode(lf);
#endif
}

QMimeData* TCodeMemoClipboard::MakeMimeData(std::string_view platformText, std::string_view rtf) {
    auto* data = new QMimeData;
    data->setText(PlatformString(platformText));
    if (!rtf.empty()) data->setData(kRtfMime, QByteArray(rtf.data(), static_cast<qsizetype>(rtf.size())));
    return data;
}

QMimeData* TCodeMemoClipboard::MakeDragData(std::string_view stored) {
    return MakeMimeData(WithPlatformLineEnds(stored), {});
}

std::string TCodeMemoClipboard::ReceivedHtml(std::string_view html, bool htmlFormat) {
    const std::size_t lt = html.find('<');
    if (lt == std::string_view::npos) return {};
    html.remove_prefix(lt);
    if (htmlFormat) {
        const std::size_t start = html.find(kStartFragment);
        const std::size_t end = start == std::string_view::npos ? start : html.find(kEndFragment, start);
        if (start != std::string_view::npos && end != std::string_view::npos)
            html = html.substr(start + kStartFragment.size(), end - start - kStartFragment.size());
    }
    return std::string(html);
}

// Plain text proper: Qt also answers hasText() for a list of files, which is no text to insert.
bool TCodeMemoClipboard::HasPlainText(const QMimeData& data) { return data.hasFormat(QStringLiteral("text/plain")); }

bool TCodeMemoClipboard::HasText(const QMimeData& data) {
    return HasPlainText(data) || data.hasHtml() || data.hasFormat(kWindowsHtmlMime);
}

bool TCodeMemoClipboard::ReadText(const QMimeData& data, std::string& text) {
    if (HasPlainText(data)) {
        text = Windows1252::FromUnicode(data.text());
        return true;
    }
    if (data.hasFormat(kWindowsHtmlMime)) {
        text = ReceivedHtml(Windows1252::FromUnicode(QString::fromUtf8(data.data(kWindowsHtmlMime))), true);
        return true;
    }
    if (data.hasHtml()) {
        const QString html = data.html();
        // Some programs pass the Windows form on as it is, header and markers included.
        const bool htmlFormat = html.startsWith(QLatin1String("Version:")) || html.contains(QLatin1String("<!--StartFragment-->"));
        text = ReceivedHtml(Windows1252::FromUnicode(html), htmlFormat);
        return true;
    }
    return false;
}

}  // namespace quarry
