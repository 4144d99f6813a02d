#include "app/ui/FileCommands.h"

#include "app/ReopenList.h"
#include "app/ShellTexts.h"
#include "app/StatusPanels.h"
#include "app/ui/EditorWindows.h"
#include "app/ui/TMainForm.h"
#include "editorwin/NonameNumbers.h"
#include "editor/ui/TCodeMemo.h"
#include "editorwin/ui/TMDIChild.h"
#include "platform/FileFacts.h"
#include "platform/PathStyle.h"
#include "platform/Text.h"
#include "platform/ui/QtUserInterface.h"

#include <QAction>
#include <QMenu>
#include <QToolButton>

namespace quarry {

FileCommands::FileCommands(TMainForm& form) : QObject(&form), form_(form)
{
    connect(form_.WireAction(QStringLiteral("NewFile1")), &QAction::triggered, this, &FileCommands::NewFile1Click);
    connect(form_.WireAction(QStringLiteral("OpenFile1")), &QAction::triggered, this,
            &FileCommands::OpenFile1Click);
    connect(form_.WireButton(QStringLiteral("OpenBtn")), &QToolButton::clicked, this, &FileCommands::OpenFile1Click);
    for (const char* name : {"SaveFile1", "SaveFile2"})
        connect(form_.WireAction(QString::fromLatin1(name)), &QAction::triggered, this,
                &FileCommands::SaveFile1Click);
    connect(form_.WireButton(QStringLiteral("SaveBtn")), &QToolButton::clicked, this, &FileCommands::SaveFile1Click);
    connect(form_.WireAction(QStringLiteral("SaveFileAs1")), &QAction::triggered, this,
            &FileCommands::SaveFileAs1Click);
    connect(form_.WireAction(QStringLiteral("ReopenEncoding1")), &QAction::triggered, this,
            &FileCommands::ReopenEncoding1Click);
    // New and Open need no editor window.
    form_.SetCommandEnabled(QStringLiteral("NewFile1"), true);
    form_.SetCommandEnabled(QStringLiteral("OpenFile1"), true);
    form_.SetCommandEnabled(QStringLiteral("OpenBtn"), true);
}

void FileCommands::NewFile1Click() { form_.editorWindows().NewFile(); }

void FileCommands::OpenFile1Click()
{
    auto& settings = form_.settings();
    FileBrowser::Options options;
    options.title = shelltexts::kOpenFileTitle;
    options.multiSelect = true;
    options.pathMustExist = true;
    options.initialDirectory = settings.sourcePath;
    options.filterIndex = std::max(1, settings.editor.fileFilterIndex);
    options.filter = form_.fileFilterString();
    auto& browser = form_.fileBrowser();
    browser.RequestBrowse();
    std::string name;
    if (!browser.BrowseForFile(name, options))
        return;
    settings.editor.fileFilterIndex = browser.ChosenFilterIndex();
    auto& windows = form_.editorWindows();
    for (const auto& chosen : browser.Chosen()) {
        if (auto* open = windows.Find(chosen)) {
            windows.BringToFront(*open);
            continue;
        }
        std::string file = FileBrowser::Normalise(chosen, options.filter, browser.ChosenFilterIndex());
        if (RefuseNonRegularFile(file))
            continue;
        if (form_.locator().LocateFile(file)) {
            windows.OpenEditorWindow(file, false);
        } else if (form_.userInterface().showMessage(MessageKind::Information, shelltexts::createQuestion(file),
                                                     MessageButtons::YesNo) == Answer::Yes) {
            windows.OpenEditorWindow(file, true);
        }
    }
}

void FileCommands::ReopenItemClick(const std::string& name)
{
    // A window may show a file that was never saved: it comes forward like any other.
    if (!form_.editorWindows().Find(name)) {
        if (files::fileKind(name) == files::FileKind::Missing) {
            OfferToForget(name);
            return;
        }
        if (RefuseNonRegularFile(name))
            return;
    }
    form_.OpenFileByName(name);
}

bool FileCommands::RefuseNonRegularFile(const std::string& name)
{
    const auto kind = files::fileKind(name);
    if (kind != files::FileKind::Directory && kind != files::FileKind::Other)
        return false;
    form_.userInterface().showMessage(MessageKind::Error, shelltexts::notAFile(name, kind), MessageButtons::Ok);
    return true;
}

void FileCommands::OfferToForget(const std::string& name)
{
    if (form_.userInterface().showMessage(MessageKind::Confirmation, shelltexts::forgetMissingQuestion(name),
                                          MessageButtons::YesNo) != Answer::Yes)
        return;
    ReopenList(form_.editorStore()).Remove(name);
    RebuildReopenMenu();
}

void FileCommands::SaveFile1Click()
{
    if (auto* window = form_.ActiveEditor())
        SaveWindow(*window);
}

void FileCommands::SaveFileAs1Click()
{
    if (auto* window = form_.ActiveEditor())
        SaveWindowAs(*window);
}

// UTF-8 and Windows-1252 read the same bytes differently; the user says which one a file is.
void FileCommands::ReopenEncoding1Click()
{
    auto* window = form_.ActiveEditor();
    if (!window)
        return;
    const auto other = window->SEditor1->Memo().IsUtf8() ? TextEncoding::Windows1252 : TextEncoding::Utf8;
    window->Document().ReopenInEncoding(other);
    form_.RefreshStatusBar();
}

bool FileCommands::WriteWithBackup(TMDIChild& window, const std::string& name)
{
    if (form_.settings().editor.createBackupFile)
        window.MakeBackup(name);
    return window.SaveFile(name);
}

bool FileCommands::SaveNamed(TMDIChild& window, bool checkReadOnly)
{
    const auto name = window.FileName();
    if (checkReadOnly && files::isReadOnly(name)) {
        form_.userInterface().showMessage(MessageKind::Information, shelltexts::readOnlyFile(name),
                                          MessageButtons::Ok);
        return SaveWindowAs(window);
    }
    return WriteWithBackup(window, name);
}

bool FileCommands::SaveWindow(TMDIChild& window)
{
    if (NonameNumbers::IsNoname(window.FileName()))
        return SaveWindowAs(window);
    return SaveNamed(window, true);
}

bool FileCommands::SaveWindowAs(TMDIChild& window)
{
    const auto style = PathStyle::native();
    auto& settings = form_.settings();
    const auto oldName = window.FileName();
    const bool wasNoname = NonameNumbers::IsNoname(oldName);
    FileBrowser::Options options;
    options.title = shelltexts::saveAsTitle(style.fileName(oldName));
    options.overwritePrompt = true;
    options.pathMustExist = true;
    options.initialDirectory = settings.sourcePath;
    options.filter = form_.fileFilterString();
    auto& browser = form_.fileBrowser();
    for (;;) {
        std::string name = wasNoname ? std::string() : oldName;
        options.filterIndex = std::max(1, settings.editor.fileFilterIndex);
        browser.RequestBrowse();
        if (!browser.BrowseForSaveFile(name, options))
            return false;
        settings.editor.fileFilterIndex = browser.ChosenFilterIndex();
        if (files::isReadOnly(name)) {
            form_.userInterface().showMessage(MessageKind::Information, shelltexts::readOnlyFile(name),
                                              MessageButtons::Ok);
            continue;
        }
        if (!WriteWithBackup(window, name))
            return false;
        if (wasNoname && !NonameNumbers::IsNoname(window.FileName()))
            form_.editorWindows().ReleaseNoname(oldName);
        // The new name may belong to another language.
        window.Document().ApplyParserForName();
        form_.FixMenus();
        return true;
    }
}

void FileCommands::SaveAll()
{
    if (!form_.ActiveEditor())
        return;
    for (auto* window : form_.EditorWindowsInOrder()) {
        if (NonameNumbers::IsNoname(window->FileName()))
            SaveWindowAs(*window);
        else
            SaveNamed(*window, true);
    }
}

void FileCommands::AskSaveAllModified()
{
    for (auto* window : form_.EditorWindowsInOrder()) {
        if (!window->IsModified())
            continue;
        const auto caption = fromQt(window->windowTitle());
        if (form_.userInterface().showMessage(MessageKind::Information, caption + " has changed, do you wish to save?",
                                              MessageButtons::YesNo) != Answer::Yes)
            continue;
        if (NonameNumbers::IsNoname(window->FileName()))
            SaveWindowAs(*window);
        else
            SaveNamed(*window, false);
    }
}

void FileCommands::RememberClosedFile(const std::string& caption)
{
    if (caption.find(kNonamePrefix) != std::string::npos)
        return;
    ReopenList(form_.editorStore()).Add(caption);
    RebuildReopenMenu();
}

void FileCommands::ClearReopenMenu()
{
    auto* menu = form_.findChild<QMenu*>(QStringLiteral("Reopen1"));
    const auto items = menu->actions();
    // Later, not now: the item chosen may be the one whose signal is running.
    for (qsizetype i = 1; i < items.size(); ++i) {
        menu->removeAction(items[i]);
        items[i]->deleteLater();
    }
}

void FileCommands::RebuildReopenMenu()
{
    ClearReopenMenu();
    auto* first = form_.action(QStringLiteral("NoEntries1"));
    first->setText(QString::fromLatin1(shelltexts::kNoEntries));
    first->setEnabled(false);
    first->disconnect(this);
    auto* menu = form_.findChild<QMenu*>(QStringLiteral("Reopen1"));
    bool firstUsed = false;
    for (const auto& entry : ReopenList(form_.editorStore()).Entries()) {
        QAction* item = firstUsed ? menu->addAction(QString()) : first;
        item->setText(toQt(escapeAmpersands(entry)));
        item->setData(toQt(entry));
        item->setEnabled(true);
        connect(item, &QAction::triggered, this, [this, entry] { ReopenItemClick(entry); });
        firstUsed = true;
    }
}

}  // namespace quarry
