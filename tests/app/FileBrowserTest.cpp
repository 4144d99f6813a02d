// The file-browser step: the placeholder extension, name normalisation, the must-exist loop,
// names looked up without a dialog.
#include "app/FileBrowser.h"
#include "settings/EnvironmentSettings.h"
#include "settings/FileLocator.h"
#include "support/ScriptedUserInterface.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace quarry {
namespace {

using test::RecordedBox;

const std::string kFilter = "Assembly Files (*.asm)|*.asm;*.s|C Files (*.c)|*.c;*.h|All Files (*.*)|*.*|"
                            "Odd|noext|Makefiles|Makefile.*";

TEST(FileBrowserTest, TheExtensionOfAFilterPair)
{
    const struct {
        int index;
        const char* extension;
    } cases[] = {{1, ".asm"}, {2, ".c"}, {3, "."}, {4, ""}, {5, "."}, {6, ""}, {0, ".asm"}};
    for (const auto& c : cases)
        EXPECT_EQ(c.extension, FileBrowser::FilterExtension(kFilter, c.index)) << c.index;
    EXPECT_EQ(".html", FileBrowser::FilterExtension("Web|*.html?x;*.htm", 1));
    EXPECT_EQ(".h", FileBrowser::FilterExtension("Headers| *.h *.hpp", 1));
}

TEST(FileBrowserTest, DialogNamesAreNormalised)
{
    const struct {
        const char* name;
        int index;
        const char* result;
    } cases[] = {
        {"/src/prog.$_~", 2, "/src/prog.c"},      // typed without extension: the chosen type's
        {"/src/prog.$_~", 1, "/src/prog.asm"},
        {"/src/prog.asm", 2, "/src/prog.asm"},    // typed with one: kept
        {"/src/prog.$_~", 3, "/src/prog"},        // all files: no extension to give
        {"/src/prog.$_~", 4, "/src/prog"},
        {"/src/prog..c", 2, "/src/prog."},        // cut after the first of two dots
        {"/src/../lib/x.c", 2, "/src/../lib/x.c"},  // a directory step stays
        {"/src/a.$_~.c", 2, "/src/a.$_~.c"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.result, FileBrowser::Normalise(c.name, kFilter, c.index)) << c.name;
}

TEST(FileBrowserTest, MissingNamesWithTwoDotsLoseTheirLastPart)
{
    test::TempDir dir;
    const auto existing = dir.write("a.b.c", "");
    EXPECT_EQ(existing, FileBrowser::CleanMissingName(existing));
    EXPECT_EQ(dir.file("x.y"), FileBrowser::CleanMissingName(dir.file("x.y.z")));
    EXPECT_EQ(dir.file("prog.c"), FileBrowser::CleanMissingName(dir.file("prog.c")));
    EXPECT_EQ(dir.file("v1.2/prog.c"), FileBrowser::CleanMissingName(dir.file("v1.2/prog.c")));
}

class FileBrowserFlowTest : public ::testing::Test {
protected:
    FileBrowserFlowTest() : locator(settings, dir.path().string()), browser(ui, locator)
    {
        settings.sourcePath = dir.path().string();
        options.title = "Open File";
        options.filter = kFilter;
        options.filterIndex = 1;
        options.initialDirectory = "/start";
    }

    test::TempDir dir;
    test::ScriptedUserInterface ui;
    EnvironmentSettings settings;
    FileLocator locator;
    FileBrowser browser;
    FileBrowser::Options options;
};

TEST_F(FileBrowserFlowTest, TheDialogGetsThePlaceholderAndTheRequestedSettings)
{
    browser.RequestBrowse();
    std::string name = dir.file("old.c");
    options.multiSelect = true;
    options.overwritePrompt = true;
    ui.chooseFiles({dir.file("one.$_~"), dir.file("two.asm")}, 2);
    ASSERT_TRUE(browser.BrowseForSaveFile(name, options));
    ASSERT_EQ(1u, ui.fileDialogs().size());
    const auto& request = ui.fileDialogs()[0];
    EXPECT_TRUE(ui.fileDialogWasSave()[0]);
    EXPECT_EQ("$_~", request.defaultExtension);
    EXPECT_EQ(dir.path().string(), request.initialDirectory);  // the name's directory
    EXPECT_EQ("old.c", request.fileName);
    EXPECT_EQ("Open File", request.title);
    EXPECT_TRUE(request.multiSelect);
    EXPECT_TRUE(request.overwritePrompt);
    EXPECT_EQ(dir.file("one.c"), name);
    EXPECT_EQ((std::vector<std::string>{dir.file("one.c"), dir.file("two.asm")}), browser.Chosen());
    EXPECT_EQ(2, browser.ChosenFilterIndex());
    EXPECT_EQ(FileBrowser::ResultCode::Chosen, browser.LastResult());
}

TEST_F(FileBrowserFlowTest, AnEmptyNameStartsInTheInitialDirectory)
{
    std::string name;
    ui.cancelFileDialog();
    EXPECT_FALSE(browser.BrowseForFile(name, options));
    EXPECT_EQ("/start", ui.fileDialogs()[0].initialDirectory);
    EXPECT_EQ(FileBrowser::ResultCode::Cancelled, browser.LastResult());
}

TEST_F(FileBrowserFlowTest, AMustExistBrowseAsksAgainUntilAnExistingFileIsChosen)
{
    options.fileMustExist = true;
    const auto existing = dir.write("here.asm", "");
    std::string name;
    ui.chooseFile(dir.file("missing.asm"));
    ui.chooseFile(existing);
    ASSERT_TRUE(browser.BrowseForFile(name, options));
    EXPECT_EQ(existing, name);
    EXPECT_EQ((std::vector<RecordedBox>{{MessageKind::Error, "Error - File " + dir.file("missing.asm") +
                                                                 " does not exist.",
                                         MessageButtons::Ok}}),
              ui.boxes());
    EXPECT_EQ(2u, ui.fileDialogs().size());
}

// A name in a directory that does not exist could never be saved: the dialog comes again.
TEST_F(FileBrowserFlowTest, APathMustExistBrowseAsksAgainUntilTheDirectoryExists)
{
    options.pathMustExist = true;
    for (const bool save : {true, false}) {
        SCOPED_TRACE(save ? "save" : "open");
        ui.clearRecords();
        std::string name;
        ui.chooseFile(dir.file("nowhere/new.c"), 2);
        ui.chooseFile(dir.file("new.c"));
        ASSERT_TRUE(save ? browser.BrowseForSaveFile(name, options) : browser.BrowseForFile(name, options));
        EXPECT_EQ(dir.file("new.c"), name);
        EXPECT_EQ((std::vector<RecordedBox>{{MessageKind::Error, "Error - Path " + dir.file("nowhere") +
                                                                     " does not exist.",
                                             MessageButtons::Ok}}),
                  ui.boxes());
        ASSERT_EQ(2u, ui.fileDialogs().size());
        EXPECT_EQ(2, ui.fileDialogs()[1].filterIndex) << "the dialog comes again where the user left it";
    }
}

TEST_F(FileBrowserFlowTest, APlainNameIsLookedUpWithoutADialog)
{
    dir.write("prog.asm", "");
    std::string name = " prog ";
    EXPECT_TRUE(browser.BrowseForFile(name, options));
    EXPECT_EQ(dir.file("prog.asm"), name);
    EXPECT_TRUE(ui.fileDialogs().empty());

    name = "absent.asm";
    EXPECT_FALSE(browser.BrowseForFile(name, options));
    EXPECT_EQ(FileBrowser::ResultCode::NotFound, browser.LastResult());
}

TEST_F(FileBrowserFlowTest, AWildcardNameAlwaysShowsTheDialogAndTheRequestIsUsedOnce)
{
    std::string name = "*.asm";
    ui.cancelFileDialog();
    browser.BrowseForFile(name, options);
    EXPECT_EQ(1u, ui.fileDialogs().size());
    dir.write("prog.asm", "");
    browser.RequestBrowse();
    name = "prog";
    ui.cancelFileDialog();
    browser.BrowseForFile(name, options);
    EXPECT_EQ(2u, ui.fileDialogs().size());
    name = "prog";
    EXPECT_TRUE(browser.BrowseForFile(name, options));  // the request was taken by the last one
    EXPECT_EQ(2u, ui.fileDialogs().size());
}

TEST_F(FileBrowserFlowTest, ChosenNamesAreCutToTheMaximumLength)
{
    options.maxLength = 20;
    std::string name;
    ui.chooseFile("/a/very/long/directory/name/file.c");
    ASSERT_TRUE(browser.BrowseForFile(name, options));
    EXPECT_EQ("/a/very/long/directo", name);
}

}  // namespace
}  // namespace quarry
