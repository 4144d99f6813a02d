#pragma once
#include "platform/UserInterface.h"

#include <QString>
#include <QStringList>

class QWidget;

namespace quarry {

// UserInterface on Qt dialogs. Texts are single-byte (Windows-1252) strings in the program and
// are shown through Latin-1, which keeps every byte.
class QtUserInterface final : public UserInterface {
public:
    // Boxes and dialogs are centred over `parent` (may be null, or change later).
    explicit QtUserInterface(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    Answer showMessage(MessageKind kind, const std::string& text, MessageButtons buttons) override;
    std::optional<FileBrowseResult> browseForOpenFile(const FileBrowseRequest& request) override;
    std::optional<FileBrowseResult> browseForSaveFile(const FileBrowseRequest& request) override;
    std::optional<std::string> chooseDirectory(const std::string& title,
                                               const std::string& initialDirectory) override;
    std::optional<std::string> inputQuery(const std::string& caption, const std::string& prompt,
                                          const std::string& initialText) override;
    std::optional<int> pickFromList(const std::string& title, const std::vector<std::string>& items,
                                    int preselected) override;
    void processPendingEvents() override;

    // The caption of a message box of that kind.
    static QString captionFor(MessageKind kind);
    // The Qt name filters for a "description|pattern|..." filter string: each pattern is offered
    // in its written, lower and upper case, so that "*.ppf" also shows "MAIN.PPF" on systems
    // whose names are case-sensitive.
    static QStringList nameFilters(const std::string& filter);

private:
    std::optional<FileBrowseResult> browse(const FileBrowseRequest& request, bool save);

    QWidget* parent_;
};

QString toQt(const std::string& s);
std::string fromQt(const QString& s);

}  // namespace quarry
