#include "tools/ui/GnuTargetForms.h"

#include "tools/SettingsSnapshot.h"
#include "tools/ui/TGnuCompileErrorForm.h"
#include "tools/ui/TGnuCompileOptionForm.h"
#include "tools/ui/TGnuTargetOptForm.h"

#include <QPushButton>

namespace quarry {

GnuTargetForms::GnuTargetForms(GnuTarget target, GnuTargetOptions& options, UserInterface& ui,
                               SettingsSnapshot& snapshot, std::function<std::string()> sourcePath, QWidget* parent)
    : QObject(parent),
      compileOptions(new TGnuCompileOptionForm(target, options, parent)),
      paths(new TGnuCompilerPathForm(target, options, ui, sourcePath, parent)),
      targetOptions(new TGnuTargetOptForm(target, options, ui, parent)),
      errorOptions(new TGnuCompileErrorForm(target, options, ui, sourcePath, parent)),
      snapshot_(snapshot)
{
    using Field = TGnuCompileOptionForm::NameField;
    using Focus = TGnuCompilerPathForm::Focus;
    compileOptions->onNameButton = [this](Field field) {
        OpenPaths(field == Field::Listing ? Focus::ListingName
                                          : field == Field::Object ? Focus::ObjectName : Focus::S19Name);
        compileOptions->LoadControls();
    };
    for (auto* help : {compileOptions->helpButton, paths->helpButton, targetOptions->helpButton, errorOptions->helpButton})
        connect(help, &QPushButton::clicked, this, [this] {
            if (onHelp)
                onHelp();
        });
}

bool GnuTargetForms::Open(QDialog& form, const std::function<void()>& loadControls)
{
    const bool accepted = snapshot_.Run([&] {
        loadControls();
        return form.exec() == QDialog::Accepted;
    });
    if (onSettingsChanged)
        onSettingsChanged();
    return accepted;
}

bool GnuTargetForms::OpenCompileOptions()
{
    return Open(*compileOptions, [this] { compileOptions->LoadControls(); });
}

bool GnuTargetForms::OpenPaths(TGnuCompilerPathForm::Focus focus)
{
    paths->SetFocusRequest(focus);
    return Open(*paths, [this] { paths->LoadControls(); });
}

bool GnuTargetForms::OpenTargetOptions()
{
    return Open(*targetOptions, [this] { targetOptions->LoadControls(); });
}

bool GnuTargetForms::OpenErrorOptions()
{
    return Open(*errorOptions, [this] { errorOptions->LoadControls(); });
}

}  // namespace quarry
