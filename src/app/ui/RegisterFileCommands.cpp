#include "app/ui/RegisterFileCommands.h"

#include "app/ui/TMainForm.h"
#include "app/ui/TPickWIndow1.h"
#include "editor/TCustomCodeMemo.h"
#include "editor/ui/TCodeMemo.h"
#include "editor/ui/TCodeMemoClipboard.h"
#include "editorwin/ui/TMDIChild.h"
#include "regview/RegisterCommand.h"
#include "regview/RegisterDirectorySetting.h"
#include "regview/RegisterSearchPath.h"
#include "regview/ui/TRegisterWindow.h"
#include "regview/ui/TSvdImportDialog.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMimeData>
#include <QToolButton>

namespace quarry {

RegisterFileCommands::RegisterFileCommands(TMainForm& form)
    : QObject(&form),
      form_(form),
      window_(new TRegisterWindow(&form)),
      pick_(new TPickWIndow1(&form)),
      library_(std::make_unique<RegisterSearchPath>())
{
    RegisterPicker& picker = *this;
    CodeLineEditor& editor = *this;
    command_ = std::make_unique<RegisterCommand>(*library_, picker, *window_, editor, form.userInterface());
    connect(form_.WireAction(QStringLiteral("RegisterFiles1")), &QAction::triggered, this,
            &RegisterFileCommands::regfileclick);
    connect(form_.WireButton(QStringLiteral("SpeedButton6")), &QToolButton::clicked, this,
            &RegisterFileCommands::regfileclick);
    form_.SetCommandEnabled(QStringLiteral("RegisterFiles1"), true);
    form_.SetCommandEnabled(QStringLiteral("SpeedButton6"), true);
    // The register command's only visible menu place, with Import SVD beside it.
    if (auto* menu = form_.findChild<QMenu*>(QStringLiteral("Environment1"))) {
        menu->addSeparator();
        menu->addAction(form_.action(QStringLiteral("RegisterFiles1")));
        auto* import = menu->addAction(QStringLiteral("&Import SVD..."));
        import->setObjectName(QStringLiteral("ImportSvd1"));
        import->setProperty("quarryWired", true);
        connect(import, &QAction::triggered, this, &RegisterFileCommands::ImportSvd1Click);
    }
}

RegisterFileCommands::~RegisterFileCommands() = default;

void RegisterFileCommands::regfileclick()
{
    library_->SetDirectories(
        {form_.programDir(), RegisterDirectorySetting(form_.settingsFile().environmentFile()).Read()});
    command_->Run();
}

void RegisterFileCommands::ImportSvd1Click()
{
    if (!importDialog_)
        importDialog_ = new TSvdImportDialog(form_.userInterface(), form_.programDir(),
                                             form_.settingsFile().environmentFile(), &form_);
    importDialog_->show();
    importDialog_->raise();
    importDialog_->activateWindow();
}

bool RegisterFileCommands::Pick(const ItemText& itemText, int count, const std::string& caption, int& index)
{
    pick_->setFont(TRegisterWindow::ListFont());
    return pick_->Pick(itemText, count, caption, index);
}

bool RegisterFileCommands::HasActiveEditor() { return form_.ActiveEditor() != nullptr; }

// Every format the clipboard holds, so that what the user had there comes back whole.
void RegisterFileCommands::KeepClipboard()
{
    keptClipboard_.reset();
    const QMimeData* data = QApplication::clipboard()->mimeData();
    if (!data || data->formats().isEmpty())
        return;
    keptClipboard_ = std::make_unique<QMimeData>();
    for (const auto& format : data->formats())
        keptClipboard_->setData(format, data->data(format));
}

void RegisterFileCommands::RestoreClipboard()
{
    if (keptClipboard_)
        QApplication::clipboard()->setMimeData(keptClipboard_.release());
    else
        QApplication::clipboard()->clear();
}

void RegisterFileCommands::SetClipboardText(const std::string& text)
{
    QApplication::clipboard()->setMimeData(TCodeMemoClipboard::MakeMimeData(text, {}));
}

void RegisterFileCommands::MoveCaretToLineStart()
{
    if (auto* editor = form_.ActiveEditor())
        editor->SetCaret(editor->GetCaret().row, 1);
}

void RegisterFileCommands::Paste()
{
    auto* editor = form_.ActiveEditor();
    if (!editor)
        return;
    editor->SEditor1->Memo().PasteFromClipboard();
    form_.activateWindow();
    form_.BringEditorToFront(*editor);
}

}  // namespace quarry
