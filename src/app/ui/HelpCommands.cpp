#include "app/ui/HelpCommands.h"

#include "app/HelpFiles.h"
#include "app/ui/THelpWindow.h"
#include "app/ui/TMainForm.h"
#include "platform/PathStyle.h"

#include <QAction>

#include <algorithm>

namespace quarry {

HelpCommands::HelpCommands(TMainForm& form) : QObject(&form), form_(form)
{
    auto* contents = form_.WireAction(QStringLiteral("Contents1"));
    connect(contents, &QAction::triggered, this, &HelpCommands::Contents1Click);
    form_.SetCommandEnabled(QStringLiteral("Contents1"), true);
    std::string help = kDefaultHelpFile;
    if (form_.locator().LocateFile(help))
        helpFile_ = help;
}

HelpCommands::~HelpCommands() = default;

void HelpCommands::Contents1Click()
{
    const auto style = PathStyle::native();
    const auto files = helpFilesIn(form_.programDir());
    if (!files.empty()) {
        std::vector<std::string> names;
        for (const auto& file : files)
            names.push_back(style.fileName(file));
        const auto current = std::find(files.begin(), files.end(), helpFile_);
        const int preselected = current == files.end() ? 0 : static_cast<int>(current - files.begin());
        const auto chosen = form_.userInterface().pickFromList(kHelpFileChooserTitle, names, preselected);
        if (chosen && *chosen >= 0 && *chosen < static_cast<int>(files.size()))
            helpFile_ = files[static_cast<std::size_t>(*chosen)];
    }
    auto& ui = form_.userInterface();
    if (helpFile_.empty()) {
        ui.showMessage(MessageKind::Error, kCantFindHelpFile, MessageButtons::Ok);
        return;
    }
    if (!window_)
        window_ = std::make_unique<THelpWindow>(&form_);
    if (!window_->ShowContents(helpFile_)) {
        ui.showMessage(MessageKind::Error, kErrorOpeningHelpFile, MessageButtons::Ok);
        return;
    }
    window_->show();
    window_->raise();
}

}  // namespace quarry
