#include "app/ui/PreferencesCommands.h"

#include "app/ui/TMainForm.h"
#include "editor/ui/TCodeMemo.h"
#include "editorwin/ui/TMDIChild.h"
#include "platform/PersistentEditorStore.h"
#include "highlight/TCodeMemoParser.h"
#include "highlight/TParserRepository.h"
#include "platform/ui/QSettingsKeyValueStore.h"
#include "prefs/OptionsSession.h"
#include "prefs/ui/TAppOptionsForm.h"
#include "prefs/ui/TOptionsDialog.h"

#include <QAction>
#include <QMenu>

namespace quarry {

namespace {

// The Edit menu's page mask: options, highlighting, key assignments.
constexpr std::uint32_t kEditorOptionsPages = ppOPTIONS | ppHIGHLIGHTING | ppKEYS;
constexpr std::uint32_t kTemplatePages = ppAUTOCORRECT | ppTEMPLATES;

}  // namespace

PreferencesCommands::PreferencesCommands(TMainForm& form)
    : QObject(&form),
      form_(form),
      options_(new TOptionsDialog(form.userInterface(), &form)),
      syntax_(new TAppOptionsForm(&form))
{
    connect(form_.WireAction(QStringLiteral("EditorOptions1")), &QAction::triggered, this,
            &PreferencesCommands::EditorOptions1Click);
    connect(form_.WireAction(QStringLiteral("SyntaxPreferences1")), &QAction::triggered, this,
            &PreferencesCommands::SyntaxPreferences1Click);
    TOptionsDialogPresenter::SetCurrent(this);
    form_.SetCommandEnabled(QStringLiteral("SyntaxPreferences1"), true);
    form_.SetCommandEnabled(QStringLiteral("EditorOptions1"), form_.ActiveEditor() != nullptr);
    // The pages the Edit menu's mask leaves out get an item of their own, beside it.
    if (auto* menu = form_.findChild<QMenu*>(QStringLiteral("Environment1"))) {
        auto* templates = new QAction(QStringLiteral("Code &Templates..."), menu);
        templates->setObjectName(QStringLiteral("EditorTemplates1"));
        menu->insertAction(form_.action(QStringLiteral("SyntaxPreferences1")), templates);
        form_.WireAction(QStringLiteral("EditorTemplates1"));
        templates->setEnabled(false);
        connect(templates, &QAction::triggered, this, &PreferencesCommands::EditorTemplates1Click);
        connect(menu, &QMenu::aboutToShow, this,
                [this] { form_.SetCommandEnabled(QStringLiteral("EditorTemplates1"), form_.ActiveEditor() != nullptr); });
    }
}

PreferencesCommands::~PreferencesCommands()
{
    if (TOptionsDialogPresenter::Current() == this)
        TOptionsDialogPresenter::SetCurrent(nullptr);
}

void PreferencesCommands::EditorOptions1Click() { RunOptions(kEditorOptionsPages); }

void PreferencesCommands::EditorTemplates1Click() { RunOptions(kTemplatePages); }

void PreferencesCommands::RunOptions(std::uint32_t pages)
{
    auto* window = form_.ActiveEditor();
    if (!window)
        return;
    if (auto* parser = window->SEditor1->Parser(window->SEditor1->ActiveParser()))
        parser->ExecuteOptionsDialog(pages);
}

bool PreferencesCommands::Execute(TCodeMemoParser& parser, std::uint32_t pages)
{
    if (parser.useRegistry && !registry_)
        registry_ = std::make_unique<QSettingsKeyValueStore>(QStringLiteral("Talvik Systems"), QStringLiteral("Quarry"));
    if (!options_->Execute(parser, pages, registry_.get()))
        return false;
    form_.storeParsers();
    WriteStore();
    return true;
}

void PreferencesCommands::SyntaxPreferences1Click()
{
    auto* store = form_.editorStore();
    auto* repository = form_.parserRepository();
    if (!store || !repository)
        return;
    if (syntax_->EditSyntaxPreferences(*store, repository->LanguageNames(), form_.settings().editor.defaultSyntax))
        WriteStore();
}

void PreferencesCommands::WriteStore()
{
    if (auto* store = form_.editorStore(); store && !store->Path().empty()) {
        try {
            store->WriteBack();
        } catch (const EditorStoreError&) {
            // Kept in memory; the write at exit tries again.
        }
    }
}

}  // namespace quarry
