#include "app/ui/THelpWindow.h"

#include "platform/ui/QtUserInterface.h"

#include <QFile>
#include <QFileInfo>
#include <QTextDocument>

namespace quarry {

THelpWindow::THelpWindow(QWidget* parent) : QTextBrowser(parent)
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowFlag(Qt::Window);
    setOpenExternalLinks(true);
    resize(640, 560);
}

// Help files carry the extension ".hlp"; Qt would not take them for HTML by their name.
QVariant THelpWindow::loadResource(int type, const QUrl& name)
{
    if (type == QTextDocument::HtmlResource && name.isLocalFile() &&
        name.toLocalFile().endsWith(QStringLiteral(".hlp"), Qt::CaseInsensitive)) {
        QFile file(name.toLocalFile());
        if (file.open(QIODevice::ReadOnly))
            return QString::fromUtf8(file.readAll());
    }
    return QTextBrowser::loadResource(type, name);
}

bool THelpWindow::ShowContents(const std::string& helpFile)
{
    QFile file(toQt(helpFile));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const auto html = QString::fromUtf8(file.readAll());
    if (file.error() != QFileDevice::NoError)
        return false;
    helpFile_ = helpFile;
    setSearchPaths({QFileInfo(file).absolutePath()});
    setSource(QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath()), QTextDocument::HtmlResource);
    if (toPlainText().isEmpty())
        setHtml(html);
    setWindowTitle(document()->metaInformation(QTextDocument::DocumentTitle).isEmpty()
                       ? QStringLiteral("Quarry Help")
                       : document()->metaInformation(QTextDocument::DocumentTitle));
    return true;
}

}  // namespace quarry
