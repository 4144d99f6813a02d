// Register Files in the running program: the real pick windows and register window driven by
// keys and the mouse, and the line of code above the caret in the editor window.
#include "ShellFixture.h"

#include "app/ui/RegisterFileCommands.h"
#include "app/ui/TPickWIndow1.h"
#include "regview/RegisterCommand.h"
#include "regview/ui/TRegisterWindow.h"
#include "regview/ui/TSvdImportDialog.h"
#include "regview/ui/TabStopColumns.h"

#include <QClipboard>
#include <QElapsedTimer>
#include <QFontInfo>
#include <QListView>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include <deque>
#include <functional>

namespace quarry {
namespace {

namespace fs = std::filesystem;

// Acts on the windows as they come up: each step waits until it is ready, then acts. A step
// that never gets ready fails the test and closes what is open, so a broken run cannot hang.
class UiScript final : public QObject {
public:
    UiScript()
    {
        timer_.setInterval(5);
        connect(&timer_, &QTimer::timeout, this, [this] { Tick(); });
        timer_.start();
        waited_.start();
    }
    ~UiScript() override
    {
        if (!steps_.empty())
            ADD_FAILURE() << "the run ended before step \"" << steps_.front().name << "\"";
    }
    void Then(std::string name, std::function<bool()> ready, std::function<void()> act)
    {
        steps_.push_back({std::move(name), std::move(ready), std::move(act)});
    }

private:
    struct Step {
        std::string name;
        std::function<bool()> ready;
        std::function<void()> act;
    };
    void Tick()
    {
        if (steps_.empty())
            return;
        if (steps_.front().ready()) {
            const Step step = steps_.front();
            steps_.pop_front();
            waited_.restart();
            step.act();
        } else if (waited_.elapsed() > 30000) {
            ADD_FAILURE() << "step \"" << steps_.front().name << "\" never got ready";
            steps_.clear();
            for (auto* widget : QApplication::topLevelWidgets())
                if (widget->isVisible() && widget->inherits("QDialog"))
                    widget->close();
            for (auto* window : QApplication::topLevelWidgets())
                if (qobject_cast<TRegisterWindow*>(window))
                    window->close();
        }
    }

    std::deque<Step> steps_;
    QTimer timer_;
    QElapsedTimer waited_;
};

class RegisterFilesTest : public test::StartedShellFixture {
protected:
    RegisterFileCommands& Commands() { return *form().findChild<RegisterFileCommands*>(); }
    TRegisterWindow& Window() { return Commands().registerWindow(); }
    void Ship(const char* name) { fs::copy_file(std::string(QUARRY_DATA_DIR) + "/" + name, file(name)); }

    // The pick window while it shows the caption.
    static TPickWIndow1* Picking(const std::string& caption)
    {
        auto* pick = qobject_cast<TPickWIndow1*>(QApplication::activeModalWidget());
        return pick && pick->isVisible() && fromQt(pick->windowTitle()) == caption ? pick : nullptr;
    }
    static void Press(QWidget* widget, Qt::Key key, int times = 1)
    {
        for (int i = 0; i < times; ++i)
            QTest::keyClick(widget, key);
    }
    void PickRow(UiScript& script, const std::string& caption, int row)
    {
        script.Then(caption, [caption] { return Picking(caption) != nullptr; }, [caption, row] {
            auto* list = Picking(caption)->ListBox1();
            list->setCurrentIndex(list->model()->index(row, 0));
            Press(list, Qt::Key_Return);
        });
    }
    void Escape(UiScript& script, const std::string& caption)
    {
        script.Then("Esc in" + caption, [caption] { return Picking(caption) != nullptr; },
                    [caption] { Press(Picking(caption)->ListBox1(), Qt::Key_Escape); });
    }
    // Waits for the register window to show the value, then acts.
    void WhenValue(UiScript& script, const std::string& value, std::function<void()> act)
    {
        script.Then("value " + value,
                    [this, value] { return Window().isVisible() && fromQt(Window().ValueLabel()->text()) == value; },
                    std::move(act));
    }
    QRect Row(int row) { return Window().ListBox1()->visualItemRect(Window().ListBox1()->item(row)); }
};

const std::string kFiles = " Choose a Register Block or press ESC ";
const std::string kHc11 = " Motorola MC68HC11 ports and SCI (registers at $1000) ";
constexpr int kSccr2 = 8;
constexpr int kScsr = 9;

TEST_F(RegisterFilesTest, ComposeTwoFieldsAndEnterWritesTheLineAboveTheCaret)
{
    Ship("mc68hc11.reg");
    Ship("mcf5206e_timer.reg");
    auto* editor = form().OpenFileByName(write("start.asm", "reset   lds  #$01FF\n        ldaa #$0C\n        staa $102D\n"));
    ASSERT_NE(nullptr, editor);
    editor->SetCaret(2, 9);
    QApplication::clipboard()->setText(QStringLiteral("what the user copied"));

    UiScript script;
    script.Then("file list", [] { return Picking(kFiles) != nullptr; }, [] {
        auto* list = Picking(kFiles)->ListBox1();
        EXPECT_EQ(2, list->model()->rowCount());
        EXPECT_EQ("ColdFire MCF5206e timer 1 (addresses from MBAR; timer 2 at +$20)",
                  fromQt(list->model()->index(1, 0).data().toString()));
        EXPECT_TRUE(QFontInfo(Picking(kFiles)->font()).fixedPitch()) << "the register window's font";
        Press(list, Qt::Key_Return);
    });
    Escape(script, kHc11);
    script.Then("file list again", [] { return Picking(kFiles) != nullptr; }, [] {
        EXPECT_EQ(0, Picking(kFiles)->ListBox1()->currentIndex().row());
        Press(Picking(kFiles)->ListBox1(), Qt::Key_Return);
    });
    PickRow(script, kHc11, kSccr2);
    WhenValue(script, "00000000  $00   000T", [this] {
        EXPECT_EQ("Register Window", fromQt(Window().windowTitle()));
        EXPECT_EQ("0000102D SCCR2  SCI control register 2", fromQt(Window().RegisterLabel()->text()));
        EXPECT_EQ("Bits\tDescription\tCurrent Value", fromQt(Window().Header()->text()));
        EXPECT_EQ("07\tTIE transmit interrupt (TDRE)\t%0      \tInterrupt off (polling)",
                  fromQt(Window().ListBox1()->item(0)->text()));
        EXPECT_EQ("Read/Write", fromQt(Window().ReadWriteType()->text()));
        EXPECT_EQ(QColor(0, 0, 128), Window().ListBox1()->palette().color(QPalette::Highlight));
        Press(Window().ListBox1(), Qt::Key_Down, 4);
        Press(Window().ListBox1(), Qt::Key_Right);
    });
    WhenValue(script, "00001000  $08   008T", [this] {
        EXPECT_EQ("03\tTE transmitter enable\t%1      \tTransmitter on", fromQt(Window().ListBox1()->item(4)->text()));
        QTest::mouseDClick(Window().ListBox1()->viewport(), Qt::LeftButton, {}, Row(5).center());
    });
    WhenValue(script, "00001100  $0C   012T", [this] { Press(Window().ListBox1(), Qt::Key_Return); });
    Trigger("RegisterFiles1");

    EXPECT_FALSE(Window().isVisible());
    EXPECT_EQ("reset   lds  #$01FF\r        $0C ;0000102D SCCR2  SCI control register 2\r        ldaa #$0C\r"
              "        staa $102D\r",
              Memo(editor).Text());
    EXPECT_EQ((EditorDocument::Position{3, 1}), editor->GetCaret());
    EXPECT_EQ("what the user copied", fromQt(QApplication::clipboard()->text())) << "the clipboard is restored";
    Trigger("SaveFile1");
    EXPECT_EQ("reset   lds  #$01FF\n        $0C ;0000102D SCCR2  SCI control register 2\n        ldaa #$0C\n"
              "        staa $102D\n",
              read("start.asm"));
}

TEST_F(RegisterFilesTest, ReadOnlyFieldsShowInGrayAndEscWritesNothing)
{
    Ship("mc68hc11.reg");
    auto* editor = form().OpenFileByName(write("a.asm", "one\n"));
    UiScript script;
    PickRow(script, kFiles, 0);
    PickRow(script, kHc11, kScsr);
    WhenValue(script, "00000000  $00   000T", [this] {
        EXPECT_EQ("Read Only ", fromQt(Window().ReadWriteType()->text()));
        EXPECT_EQ(QColor(128, 128, 128), Window().ListBox1()->palette().color(QPalette::Highlight));
        Press(Window().ListBox1(), Qt::Key_Right);
        QTest::mouseClick(Window().ListBox1()->viewport(), Qt::LeftButton, {}, Row(2).center());
        Press(Window().ListBox1(), Qt::Key_1);
        Commands().regfileclick();  // a second start only brings the window up
    });
    script.Then("third row", [this] { return Window().ListBox1()->currentRow() == 2; }, [this] {
        EXPECT_EQ("00000000  $00   000T", fromQt(Window().ValueLabel()->text()));
        EXPECT_TRUE(Window().isVisible());
        Window().close();
    });
    Trigger("RegisterFiles1");
    EXPECT_EQ("", Commands().command().CodeText());
    EXPECT_EQ("one\r", Memo(editor).Text());
    EXPECT_TRUE(ui.boxes().empty());
}

TEST_F(RegisterFilesTest, WithoutRegisterFilesTheCommandSaysSo)
{
    ASSERT_TRUE(form().toolButton("SpeedButton6")->isEnabled());
    QTest::mouseClick(form().toolButton("SpeedButton6"), Qt::LeftButton);
    EXPECT_EQ((std::vector<test::RecordedBox>{{MessageKind::Error, "No register (.REG) files were found.",
                                               MessageButtons::Ok}}),
              ui.boxes());
}

// Import SVD sits next to the register command; the files it writes into the register directory
// show in the register command's list after the program directory's own.
TEST_F(RegisterFilesTest, ImportSvdWritesIntoTheRegisterDirectoryTheCommandSearches)
{
    Ship("mc68hc11.reg");
    const auto items = form().findChild<QMenu*>("Environment1")->actions();
    ASSERT_GE(items.size(), 2);
    EXPECT_EQ("RegisterFiles1", items[items.size() - 2]->objectName().toStdString());
    EXPECT_EQ("ImportSvd1", items.back()->objectName().toStdString());
    ASSERT_TRUE(items.back()->isEnabled());
    fs::create_directories(file("registers"));

    Trigger("ImportSvd1");
    auto* dialog = Commands().importDialog();
    ASSERT_TRUE(dialog && dialog->isVisible());
    ASSERT_TRUE(dialog->OpenFile(std::string(QUARRY_SOURCE_DIR) + "/tests/regview/svd/ARMCM3xxx.svd"));
    ui.chooseDirectory(file("registers"));
    dialog->findChild<QPushButton*>("BrowseDirButton")->click();
    ASSERT_TRUE(dialog->Import());
    dialog->close();

    UiScript script;
    script.Then(kFiles, [] { return Picking(kFiles) != nullptr; }, [] {
        const auto* model = Picking(kFiles)->ListBox1()->model();
        std::vector<std::string> titles;
        for (int row = 0; row < model->rowCount(); ++row)
            titles.push_back(fromQt(model->index(row, 0).data().toString()));
        EXPECT_EQ((std::vector<std::string>{
                      "Motorola MC68HC11 ports and SCI (registers at $1000)",
                      "ARMCM3xxx TIMER0: 32 Timer / Counter, counting up or down from different sources",
                      "ARMCM3xxx TIMER1: 32 Timer / Counter, counting up or down from different sources",
                      "ARMCM3xxx TIMER2: 32 Timer / Counter, counting up or down from different sources"}),
                  titles);
        Press(Picking(kFiles)->ListBox1(), Qt::Key_Escape);
    });
    Trigger("RegisterFiles1");
}

}  // namespace
}  // namespace quarry
