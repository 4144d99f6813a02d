#include "app/ui/QuarryShell.h"

#include "app/Startup.h"
#include "app/ui/InstanceChannel.h"
#include "app/ui/ShellUserInterface.h"
#include "app/ui/TMainForm.h"
#include "app/ui/TMdiAbout.h"
#include "platform/ProgramDir.h"
#include "platform/ui/QtUserInterface.h"

#include <QApplication>

namespace quarry {

QuarryShell::QuarryShell(UserInterface& ui, Options options)
    : options_(std::move(options)), messages_(InstanceMessages::forProgram(options_.programPath))
{
    // The messages are known before any window exists, so no restore request is missed.
    channel_ = std::make_unique<InstanceChannel>();
    listening_ = channel_->listen(messages_.instance);
    listening_ = channel_->listen(messages_.maximize) && listening_;
    // No display name: the window system would append it to every caption.
    QApplication::setApplicationName(QString::fromLatin1(kApplicationTitle));

    settings_.sourcePath = settings_.projectPath = options_.programDir;
    mainForm_ = std::make_unique<TMainForm>(settings_, ui, options_.programDir, options_.arguments);
    about_ = std::make_unique<TMdiAbout>(mainForm_.get());
    mainForm_->setAboutBox(about_.get());
    QObject::connect(channel_.get(), &InstanceChannel::received, mainForm_.get(),
                     [form = mainForm_.get()] { form->restoreFromMessage(); });
}

QuarryShell::~QuarryShell()
{
    about_.reset();
    mainForm_.reset();
    channel_.reset();
    InstanceChannel::send(messages_.closeDown, 300);
}

void QuarryShell::start()
{
    about_->showAsSplash();
    mainForm_->setFirstShow(true);
    mainForm_->show();
}

int runQuarry(int argc, char** argv)
{
    QApplication app(argc, argv);
    QtUserInterface qtUi;
    ShellUserInterface ui(qtUi);
    std::vector<std::string> raw;
    for (int i = 1; i < argc; ++i)
        raw.emplace_back(argv[i]);
    QuarryShell shell(ui, {programDirectory(), programPath(), absoluteArguments(raw)});
    qtUi.setParent(&shell.mainForm());
    ui.setParent(&shell.mainForm());
    QObject::connect(&shell.mainForm(), &TMainForm::terminateRequested, &app, [] { QCoreApplication::exit(1); },
                     Qt::QueuedConnection);
    shell.start();
    return QApplication::exec();
}

}  // namespace quarry
