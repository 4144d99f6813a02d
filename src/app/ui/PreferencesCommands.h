#pragma once
#include "highlight/TOptionsDialogPresenter.h"

#include <QObject>

#include <cstdint>
#include <memory>

namespace quarry {

class KeyValueStore;
class TAppOptionsForm;
class TMainForm;
class TOptionsDialog;

// Environment > Editor Options... (the active editor's language: options, highlighting, keys),
// Code Templates... (its auto-correct entries and templates) and Syntax Preferences (file types
// per language and the default language). Accepted changes reach every open editor window of
// the language at once and are written to "quarry.dat" straight away.
// It presents every parser's options dialog while it lives.
class PreferencesCommands final : public QObject, public TOptionsDialogPresenter {
    Q_OBJECT
public:
    explicit PreferencesCommands(TMainForm& form);
    ~PreferencesCommands() override;

    void EditorOptions1Click();
    void EditorTemplates1Click();
    void SyntaxPreferences1Click();

    TOptionsDialog* OptionsDialog() const { return options_; }
    TAppOptionsForm* SyntaxDialog() const { return syntax_; }

    bool Execute(TCodeMemoParser& parser, std::uint32_t pages) override;

private:
    void RunOptions(std::uint32_t pages);
    void WriteStore();

    TMainForm& form_;
    TOptionsDialog* options_;
    TAppOptionsForm* syntax_;
    std::unique_ptr<KeyValueStore> registry_;  // opened for a parser that keeps its own settings there
};

}  // namespace quarry
