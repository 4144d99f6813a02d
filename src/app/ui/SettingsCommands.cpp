#include "app/ui/SettingsCommands.h"

#include "app/ui/HelpCommands.h"
#include "app/ui/TMainForm.h"
#include "app/ui/ToolCommands.h"
#include "tools/ui/TIDEConfig1.h"

#include <QAction>

namespace quarry {

SettingsCommands::SettingsCommands(TMainForm& form)
    : QObject(&form),
      form_(form),
      snapshot_(form.settings(), form.settingsFile()),
      dialog_(new TIDEConfig1(form.settings(), form.userInterface(), snapshot_, &form))
{
    dialog_->onToolSlotChanged = [this](int) { form_.toolCommands().RefreshToolHints(); };
    dialog_->onSettingsChanged = [this] {
        form_.updateProjectState();
        form_.UpdateButtons();
        form_.FixMenus();
    };
    dialog_->onHelp = [this](QWidget*) { form_.helpCommands().Contents1Click(); };
    connect(form_.WireAction(QStringLiteral("EnvironmentSettings1")), &QAction::triggered, this,
            &SettingsCommands::EnvironmentSettings1Click);
    form_.SetCommandEnabled(QStringLiteral("EnvironmentSettings1"), true);
}

void SettingsCommands::EnvironmentSettings1Click() { dialog_->Execute(); }

}  // namespace quarry
