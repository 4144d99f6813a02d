#pragma once
#include "tools/SettingsSnapshot.h"

#include <QObject>

namespace quarry {

class TIDEConfig1;
class TMainForm;

// Environment > Environment Settings...: the settings dialog (and the GNU target forms it
// opens) over the main window's live settings; afterwards the window refreshes its caption,
// command states and tool hints.
class SettingsCommands final : public QObject {
    Q_OBJECT
public:
    explicit SettingsCommands(TMainForm& form);

    void EnvironmentSettings1Click();
    TIDEConfig1* Dialog() const { return dialog_; }

private:
    TMainForm& form_;
    SettingsSnapshot snapshot_;
    TIDEConfig1* dialog_;
};

}  // namespace quarry
