#include "app/InstanceMessages.h"
#include "app/ui/InstanceChannel.h"
#include "app/ui/QuarryShell.h"
#include "app/ui/TMainForm.h"
#include "support/ScriptedUserInterface.h"
#include "support/TempDir.h"
#include "support/ui/EventWait.h"
#include "support/ui/PrivateRuntimeDir.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>
#include <QSignalSpy>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace quarry {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

class InstanceChannelTest : public ::testing::Test {
protected:
    // Runs the real sender program as a second process; returns its exit code and output.
    std::pair<int, std::string> runSender(const QStringList& arguments)
    {
        const QString program = QStringLiteral(QUARRY_BIN_DIR "/quarrysend");
        if (!fs::exists(program.toStdString())) {
            ADD_FAILURE() << "build the quarrysend target first: " << program.toStdString();
            return {-1, ""};
        }
        QProcess sender;
        sender.start(program, arguments);
        // The running instance must keep answering while the other process talks to it.
        EXPECT_TRUE(test::runEventsUntil([&] { return sender.state() == QProcess::NotRunning || sender.waitForFinished(10); }));
        return {sender.exitCode(), sender.readAllStandardOutput().trimmed().toStdString()};
    }

    std::unique_ptr<QuarryShell> runningInstance(const std::string& programPath)
    {
        dir.write("home/Quarry.ini", "[PROJECT]\nOPEN=0\n");
        auto shell = std::make_unique<QuarryShell>(ui, QuarryShell::Options{dir.file("home"), programPath, {}});
        shell->start();
        EXPECT_TRUE(test::runEventsUntil([&] { return shell->mainForm().startupDone(); }));
        EXPECT_TRUE(shell->listening());
        return shell;
    }

    TempDir dir;
    test::PrivateRuntimeDir runtime{dir};
    test::ScriptedUserInterface ui;
};

TEST_F(InstanceChannelTest, SecondProcessRestoresAMinimisedInstanceThroughItsOwnOrTheMaximizeMessage)
{
    const auto programPath = dir.file("install/quarry");
    auto shell = runningInstance(programPath);
    auto& form = shell->mainForm();
    form.showMinimized();
    ASSERT_TRUE(test::runEventsUntil([&] { return form.isMinimized(); }));

    // Another installation's message reaches nobody and restores nothing.
    const auto other = runSender({"instance", QString::fromStdString(dir.file("other/quarry"))});
    EXPECT_EQ((std::pair<int, std::string>{1, "0"}), other);
    QCoreApplication::processEvents();
    EXPECT_TRUE(form.isMinimized());

    // The path is compared upper-cased, as the message string is.
    const auto own = runSender({"instance", QString::fromStdString(programPath).toUpper()});
    EXPECT_EQ((std::pair<int, std::string>{0, "1"}), own);
    EXPECT_TRUE(test::runEventsUntil([&] { return !form.isMinimized(); }));
    EXPECT_TRUE(form.isVisible());

    // The maximize message of any program restores it too.
    form.showMinimized();
    ASSERT_TRUE(test::runEventsUntil([&] { return form.isMinimized(); }));
    EXPECT_EQ((std::pair<int, std::string>{0, "1"}), runSender({"maximize"}));
    EXPECT_TRUE(test::runEventsUntil([&] { return !form.isMinimized(); }));
}

TEST_F(InstanceChannelTest, ShutdownTellsListenersThatTheProgramClosesDown)
{
    InstanceChannel listener;
    ASSERT_TRUE(listener.listen(kCloseDownMessage));
    QSignalSpy spy(&listener, &InstanceChannel::received);
    runningInstance(dir.file("install/quarry")).reset();
    EXPECT_TRUE(test::runEventsUntil([&] { return spy.count() == 1; }));
    EXPECT_EQ(QString::fromLatin1(kCloseDownMessage), spy.value(0).value(0).toString());
}

TEST_F(InstanceChannelTest, EveryListenerOfAMessageReceivesIt)
{
    InstanceChannel first, second;
    ASSERT_TRUE(first.listen(kMaximizeMessage));
    ASSERT_TRUE(second.listen(kMaximizeMessage));
    QSignalSpy firstSpy(&first, &InstanceChannel::received), secondSpy(&second, &InstanceChannel::received);
    EXPECT_EQ(2, InstanceChannel::send(kMaximizeMessage));
    EXPECT_TRUE(test::runEventsUntil([&] { return firstSpy.count() == 1 && secondSpy.count() == 1; }));
    EXPECT_EQ(0, InstanceChannel::send(kCloseDownMessage));
}

TEST_F(InstanceChannelTest, SlotLeftByAProgramThatDiedIsTakenOver)
{
    const auto name = InstanceChannel::serverName(kMaximizeMessage, 1);
    {
        // A socket file nobody answers on, as a killed instance leaves it.
        std::ofstream stale(name.toStdString());
    }
    InstanceChannel channel;
    ASSERT_TRUE(channel.listen(kMaximizeMessage));
    QSignalSpy spy(&channel, &InstanceChannel::received);
    EXPECT_EQ(1, InstanceChannel::send(kMaximizeMessage));
    EXPECT_TRUE(test::runEventsUntil([&] { return spy.count() == 1; }));
}

TEST_F(InstanceChannelTest, OtherTextOnAChannelIsIgnored)
{
    InstanceChannel channel;
    ASSERT_TRUE(channel.listen(kMaximizeMessage));
    QSignalSpy spy(&channel, &InstanceChannel::received);
    for (const QByteArray& payload : {QByteArray("TALVIK SYSTEMS - CLOSE DOWN APPLICATIONS!\n"),
                                     QByteArray(100000, 'x'), QByteArray("TALVIK SYSTEMS - MAXIMIZE IDE!")}) {
        QLocalSocket socket;
        socket.connectToServer(InstanceChannel::serverName(kMaximizeMessage, 1));
        ASSERT_TRUE(socket.waitForConnected(1000));
        socket.write(payload);
        socket.waitForBytesWritten(1000);
        socket.disconnectFromServer();
    }
    // A proper message after the garbage still arrives, and only it counts.
    EXPECT_EQ(1, InstanceChannel::send(kMaximizeMessage));
    EXPECT_TRUE(test::runEventsUntil([&] { return spy.count() >= 1; }));
    for (int i = 0; i < 20; ++i)
        QCoreApplication::processEvents();
    EXPECT_EQ(1, spy.count());
}

TEST_F(InstanceChannelTest, SenderRefusesUnknownCommands)
{
    EXPECT_EQ(2, runSender({"restart"}).first);
    EXPECT_EQ(2, runSender({}).first);
}

}  // namespace
}  // namespace quarry
