#pragma once
#include <QTextBrowser>

#include <string>

namespace quarry {

// The help window: a help file (an HTML document) with its links, opened on its contents page.
class THelpWindow final : public QTextBrowser {
    Q_OBJECT
public:
    explicit THelpWindow(QWidget* parent = nullptr);

    // Loads the file's contents page; false when it cannot be read.
    bool ShowContents(const std::string& helpFile);
    const std::string& HelpFile() const { return helpFile_; }

    QVariant loadResource(int type, const QUrl& name) override;

private:
    std::string helpFile_;
};

}  // namespace quarry
