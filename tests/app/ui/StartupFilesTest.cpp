// Files that arrive from outside: named on the command line, dropped on the main window or on
// an editor.
#include "ShellFixture.h"

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

namespace quarry {
namespace {

namespace fs = std::filesystem;

class StartupFilesTest : public test::ShellFixture {
protected:
    void Drop(QWidget* target, const std::vector<std::string>& names)
    {
        QMimeData data;
        QList<QUrl> urls;
        for (const auto& name : names)
            urls << QUrl::fromLocalFile(toQt(name));
        data.setUrls(urls);
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &drop);
        Settle();
    }
};

TEST_F(StartupFilesTest, FilesNamedOnTheCommandLineOpenAndMissingOnesAreSkipped)
{
    const auto a = write("a.c", "a\n");
    write("bare.asm", "b\n");  // a bare name is found in the source path
    Start("", {a, "bare.asm", file("missing.c")});
    EXPECT_EQ((std::vector<std::string>{file("bare.asm"), a}), Captions());
    EXPECT_TRUE(ui.boxes().empty());
}

TEST_F(StartupFilesTest, ADroppedFileOpensOnceAndASecondDropBringsItForward)
{
    Start();
    const auto a = write("a.c", "a\n");
    Drop(&form(), {a});
    form().OpenFileByName(write("b.c", ""));
    ASSERT_EQ(file("b.c"), Active()->FileName());
    Drop(&form(), {a});
    EXPECT_EQ(2u, Windows().size());
    EXPECT_EQ(a, Active()->FileName());
}

TEST_F(StartupFilesTest, DroppingAMissingFileOpensAnEmptyWindowUnderItsName)
{
    Start();
    const auto missing = file("new/notes.txt");
    form().HandleDroppedFiles({missing, home()});  // a directory is no file to edit
    ASSERT_EQ(1u, Windows().size());
    EXPECT_EQ(missing, Active()->FileName());
    EXPECT_EQ("", Memo(Active()).Text());
    EXPECT_FALSE(Active()->Document().Loaded());
    EXPECT_FALSE(fs::exists(missing));
}

TEST_F(StartupFilesTest, LongDroppedNamesAreNotCutShort)
{
    Start();
    const std::string deep = "d" + std::string(90, 'x') + "/file.c";
    const auto path = write(deep, "deep\n");
    form().HandleDroppedFiles({path});
    ASSERT_EQ(1u, Windows().size());
    EXPECT_EQ(path, Active()->FileName());
    EXPECT_EQ("deep\r", Memo(Active()).Text());
}

TEST_F(StartupFilesTest, FilesDroppedOnAnEditorOpenInTheirOwnWindows)
{
    Start();
    auto* window = form().OpenFileByName(write("host.c", "text\n"));
    const auto a = write("a.asm", "a\n");
    Drop(window->SEditor1->viewport(), {a});
    ASSERT_EQ(2u, Windows().size());
    EXPECT_EQ(a, Active()->FileName());
    EXPECT_EQ("text\r", Memo(window).Text()) << "a file list is no text to insert";
}

TEST_F(StartupFilesTest, AMinimisedMainWindowComesBackForADrop)
{
    Start();
    form().showMinimized();
    QApplication::processEvents();
    form().HandleDroppedFiles({write("a.c", "")});
    EXPECT_FALSE(form().isMinimized());
}

}  // namespace
}  // namespace quarry

namespace quarry {
namespace {

class UnreadableFileTest : public test::ShellFixture {};

TEST_F(UnreadableFileTest, AFileTooLargeToEditOpensNoWindowThatCouldOverwriteIt)
{
    Start();
    const auto path = write("huge.c", "");
    std::error_code error;
    std::filesystem::resize_file(path, 3ull << 30, error);  // sparse: no disk space taken
    if (error)
        GTEST_SKIP() << "no sparse file here: " << error.message();
    form().HandleDroppedFiles({path});
    Settle();
    EXPECT_TRUE(Windows().empty());
    ASSERT_EQ(1u, ui.boxes().size());
    EXPECT_EQ(MessageKind::Error, ui.boxes()[0].kind);
    EXPECT_NE(std::string::npos, ui.boxes()[0].text.find("is too large to edit")) << ui.boxes()[0].text;
    EXPECT_EQ("<No entries>", fromQt(form().action("NoEntries1")->text())) << "not remembered for Re-open";
    EXPECT_EQ(3ull << 30, std::filesystem::file_size(path));
}

}  // namespace
}  // namespace quarry
