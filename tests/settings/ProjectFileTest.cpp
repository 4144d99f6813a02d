// The project sections of a project file: what is written where, what a damaged file still
// yields, and that writing then reading gives back what was written.
#include "platform/ProfileFile.h"
#include "settings/ProjectFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sstream>

namespace quarry {
namespace {

using test::TempDir;

// "[SECTION] KEY=value KEY=value" for each section whose name starts with one of the prefixes.
std::string dump(const ProfileFile& file, std::initializer_list<std::string_view> prefixes = {"PROJECT", "FILE"})
{
    std::ostringstream out;
    for (const auto& section : file.sectionNames()) {
        bool wanted = false;
        for (auto prefix : prefixes)
            wanted = wanted || section.rfind(prefix, 0) == 0;
        if (!wanted)
            continue;
        out << "[" << section << "]";
        for (const auto& key : file.keyNames(section))
            out << " " << key << "=" << file.readString(section, key, "?");
        out << "\n";
    }
    return out.str();
}

ProjectWindowRecord window(const std::string& name, int k = 1)
{
    ProjectWindowRecord record;
    record.fileName = name;
    record.caret = {k + 1, 3};
    record.lineCount = 100;
    record.bounds = {k, 2 * k, 300 + k, 200 + k};
    return record;
}

// Windows "/w/f1.c" to "/w/f<count>.c".
std::vector<ProjectWindowRecord> windows(int count)
{
    std::vector<ProjectWindowRecord> records;
    for (int i = 1; i <= count; ++i)
        records.push_back(window("/w/f" + std::to_string(i) + ".c", i));
    return records;
}

class ProjectFileTest : public ::testing::Test {
protected:
    ProfileFile load(const std::string& content)
    {
        dir.write("p.ppf", content);
        return ProfileFile(dir.file("p.ppf"));
    }
    ProfileFile empty() { return ProfileFile(dir.file("p.ppf")); }
    // Writes, flushes and reads the file back from disk.
    ProfileFile writeAndReload(ProfileFile& file, const ProjectState& project, const std::vector<ProjectWindowRecord>& windows)
    {
        ProjectFile::write(file, project, windows);
        file.flush();
        return ProfileFile(dir.file("p.ppf"));
    }

    TempDir dir;
};

TEST_F(ProjectFileTest, WritesProjectSectionsWithKeysInTheirOrder)
{
    ProjectState project;
    project.directory = "/work/src";
    project.addFile("/work/src/main.c");
    project.addFile("/work/src/boot.asm");
    auto record = window("/work/src/main.c");
    record.state = WindowState::Maximized;
    record.caret = {7, 2};
    record.markers[0] = {3, 1};
    record.markers[9] = {12, 4};
    auto file = empty();
    const auto reread = writeAndReload(file, project, {record});
    EXPECT_EQ("[PROJECT] DEFAULTSOURCEPATH=/work/src\n"
              "[PROJECTFILES] NUMFILES=2 FILE1=/work/src/boot.asm FILE2=/work/src/main.c\n"
              "[FILEA] FILENAME=/work/src/main.c STATE=2 EDITORROW=7 EDITORCOLUMN=2 LEFT=1 WIDTH=301 TOP=2 "
              "HEIGHT=201 VISIBLE=1 MARKER0ROW=3 MARKER0COLUMN=1 MARKER9ROW=12 MARKER9COLUMN=4\n",
              dump(reread));
}

TEST_F(ProjectFileTest, ThirtyWindowsFillFileAToFileZInWindowOrder)
{
    auto file = empty();
    const auto reread = writeAndReload(file, ProjectState{}, windows(30));
    std::vector<std::string> sections;
    for (const auto& section : reread.sectionNames())
        if (section.rfind("FILE", 0) == 0)
            sections.push_back(section + "=" + reread.readString(section, "FILENAME", ""));
    ASSERT_EQ(26u, sections.size());
    EXPECT_EQ("FILEA=/w/f1.c", sections.front());
    EXPECT_EQ("FILEB=/w/f2.c", sections[1]);
    EXPECT_EQ("FILEZ=/w/f26.c", sections.back());
}

TEST_F(ProjectFileTest, FewerWindowsThanLastTimeLeaveNoOldSections)
{
    const auto five = windows(5);
    auto file = empty();
    ProjectFile::write(file, ProjectState{}, five);
    file.flush();
    auto again = ProfileFile(dir.file("p.ppf"));
    const auto reread = writeAndReload(again, ProjectState{}, {five[3], five[4]});
    for (const char* gone : {"FILEC", "FILED", "FILEE"})
        EXPECT_FALSE(reread.sectionExists(gone)) << gone;
    EXPECT_EQ("/w/f4.c", reread.readString("FILEA", "FILENAME", ""));
    EXPECT_EQ("/w/f5.c", reread.readString("FILEB", "FILENAME", ""));
}

TEST_F(ProjectFileTest, ShorterFileListLeavesNoOldEntries)
{
    auto file = load("[PROJECTFILES]\nNUMFILES=3\nFILE1=/a.c\nFILE2=/b.c\nFILE3=/c.c\nOLDKEY=x\n");
    ProjectState project;
    project.addFile("/z.c");
    const auto reread = writeAndReload(file, project, {});
    EXPECT_EQ("[PROJECT] DEFAULTSOURCEPATH=\n[PROJECTFILES] NUMFILES=1 FILE1=/z.c\n", dump(reread));
}

TEST_F(ProjectFileTest, SettingsSectionsAndUnknownLinesSurviveAWrite)
{
    auto file = load("; my notes\n[PROJECT]\nNAME=/p/x.ppf\nOPEN=1\n[EXECUTABLE1]\nTYPE=Debugger\n");
    const auto reread = writeAndReload(file, ProjectState{}, {});
    EXPECT_EQ("/p/x.ppf", reread.readString("PROJECT", "NAME", ""));
    EXPECT_EQ("Debugger", reread.readString("EXECUTABLE1", "TYPE", ""));
    EXPECT_NE(std::string::npos, TempDir::read(dir.file("p.ppf")).find("; my notes"));
}

// The caret is written only where the window's text has that row.
struct CaretCase {
    int row;
    int lineCount;
    bool written;
};

TEST_F(ProjectFileTest, CaretIsWrittenOnlyInsideTheText)
{
    const CaretCase cases[] = {{1, 1, true}, {5, 5, true}, {6, 5, false}, {0, 5, false}, {-1, 5, false}, {1, 0, false}};
    for (const auto& c : cases) {
        auto record = window("/w/a.c");
        record.caret = {c.row, 9};
        record.lineCount = c.lineCount;
        auto file = empty();
        const auto reread = writeAndReload(file, ProjectState{}, {record});
        EXPECT_EQ(c.written, reread.keyExists("FILEA", "EDITORROW")) << c.row << " of " << c.lineCount;
        EXPECT_EQ(c.written, reread.keyExists("FILEA", "EDITORCOLUMN")) << c.row << " of " << c.lineCount;
    }
}

// A section that names only its file opens the window at 10k + 20, 10k + 10, 200 by 100.
TEST_F(ProjectFileTest, SectionWithoutPlaceGetsTheDefaultsOfItsLetter)
{
    const auto file = load("[FILEA]\nFILENAME=/w/a.c\n[FILEB]\nFILENAME=/w/b.c\n[FILEZ]\nFILENAME=/w/z.c\n");
    const auto read = ProjectFile::readWindows(file);
    ASSERT_EQ(26u, read.size());
    const std::pair<int, WindowBounds> expected[] = {
        {0, {30, 20, 200, 100}}, {1, {40, 30, 200, 100}}, {25, {280, 270, 200, 100}}};
    for (const auto& [index, bounds] : expected) {
        const auto& w = read[static_cast<std::size_t>(index)];
        EXPECT_EQ(bounds, w.bounds) << index;
        EXPECT_EQ(WindowState::Normal, w.state);
        EXPECT_EQ((TextPosition{1, 1}), w.caret);
        EXPECT_TRUE(w.visible);
    }
    EXPECT_EQ("", read[2].fileName);
}

TEST_F(ProjectFileTest, WindowsComeBackAsWritten)
{
    auto written = windows(4);
    for (int i = 1; i <= 4; ++i) {
        auto& record = written[static_cast<std::size_t>(i - 1)];
        record.state = static_cast<WindowState>(i % 3);
        record.visible = i != 2;
        record.markers[static_cast<std::size_t>(i)] = {10 * i, i};
    }
    written[1].markers[5] = {12, 4};
    written[0].encoding = EncodingChoice::Utf8;
    written[2].encoding = EncodingChoice::Windows1252;
    auto file = empty();
    const auto reread = writeAndReload(file, ProjectState{}, written);
    EXPECT_EQ("12", reread.readString("FILEB", "MARKER5ROW", ""));
    EXPECT_EQ("4", reread.readString("FILEB", "MARKER5COLUMN", ""));
    // A chosen encoding is kept; a window whose file decides its own writes nothing.
    EXPECT_EQ("UTF-8", reread.readString("FILEA", "ENCODING", ""));
    EXPECT_EQ("-", reread.readString("FILEB", "ENCODING", "-"));
    EXPECT_EQ("Windows-1252", reread.readString("FILEC", "ENCODING", ""));
    const auto windows = ProjectFile::readWindows(reread);
    for (std::size_t i = 0; i < written.size(); ++i) {
        auto expected = written[i];
        expected.lineCount = 0;  // not part of the file
        EXPECT_EQ(expected, windows[i]) << i;
    }
}

TEST_F(ProjectFileTest, FileListAndDirectoryComeBackAsWritten)
{
    ProjectState written;
    written.directory = "/work/src";
    for (const char* f : {"/work/src/z.c", "/work/src/A.asm", "/lib/m.h"})
        written.addFile(f);
    auto file = empty();
    const auto reread = writeAndReload(file, written, {});
    ProjectState read;
    read.files = {"/stale.c"};
    ProjectFile::readFiles(reread, read);
    EXPECT_EQ(written.directory, read.directory);
    EXPECT_EQ(written.files, read.files);
}

// Many more FILEn keys than a project holds, in descending order, then the window sections: the
// 255 lowest numbers are kept, in sorted order, and the windows still read.
TEST_F(ProjectFileTest, FiftyThousandFileKeysKeepTheLowestNumbers)
{
    constexpr int kKeys = 50000;
    std::string content = "[PROJECTFILES]\nNUMFILES=" + std::to_string(kKeys) + "\n";
    auto path = [](int n) {
        std::string digits = std::to_string(n);
        return "/p/f" + std::string(5 - digits.size(), '0') + digits + ".c";
    };
    for (int n = kKeys; n >= 1; --n)
        content += "FILE" + std::to_string(n) + "=" + path(n) + "\n";
    content += "[FILEA]\nFILENAME=/p/front.c\n";
    const auto file = load(content);
    ProjectState project;
    ProjectFile::readFiles(file, project);
    ASSERT_EQ(ProjectState::kMaxFiles, project.files.size());
    for (std::size_t i = 0; i < project.files.size(); ++i)
        ASSERT_EQ(path(static_cast<int>(i) + 1), project.files[i]);
    EXPECT_EQ("/p/front.c", ProjectFile::readWindows(file)[0].fileName);
}

// Damaged project files: what each yields.
struct DamageCase {
    const char* name;
    const char* content;
    std::vector<std::string> files;
    std::string directory;
};

class DamagedFileListTest : public ::testing::TestWithParam<DamageCase> {};

TEST_P(DamagedFileListTest, ReadsWhatTheFileStillHolds)
{
    TempDir dir;
    dir.write("p.ppf", GetParam().content);
    ProjectState project;
    project.directory = "/held";
    ProjectFile::readFiles(ProfileFile(dir.file("p.ppf")), project);
    EXPECT_EQ(GetParam().files, project.files);
    EXPECT_EQ(GetParam().directory, project.directory);
}

const DamageCase kDamageCases[] = {
    {"NoSectionsAtAll", "", {}, "/held"},
    {"NoFileCount", "[PROJECTFILES]\nFILE1=/a.c\n", {}, "/held"},
    {"CountIsNoNumber", "[PROJECTFILES]\nNUMFILES=many\nFILE1=/a.c\n", {}, "/held"},
    {"NegativeCount", "[PROJECTFILES]\nNUMFILES=-4\nFILE1=/a.c\n", {}, "/held"},
    {"EntriesBeyondTheCountIgnored", "[PROJECTFILES]\nNUMFILES=1\nFILE1=/b.c\nFILE2=/a.c\n", {"/b.c"}, "/held"},
    {"HugeCountReadsThePresentKeys",
     "[PROJECTFILES]\nNUMFILES=2000000000\nFILE7=/b.c\nFILE1999999999=/a.c\n",
     {"/a.c", "/b.c"},
     "/held"},
    {"GapsAndBlanksSkipped", "[PROJECTFILES]\nNUMFILES=4\nFILE1=  \nFILE3= /c.c \nFILE4=/a.c\n", {"/a.c", "/c.c"}, "/held"},
    {"DuplicatesKeptOnce", "[PROJECTFILES]\nNUMFILES=2\nFILE1=/a.c\nFILE2=/a.c\n", {"/a.c"}, "/held"},
    {"AKeyWrittenTwiceCountsFirst", "[PROJECTFILES]\nNUMFILES=2\nFILE2=/b.c\nfile2=/a.c\n", {"/b.c"}, "/held"},
    {"KeysWithLeadingZeroAreNotFileKeys", "[PROJECTFILES]\nNUMFILES=2\nFILE01=/a.c\nFILE2=/b.c\n", {"/b.c"}, "/held"},
    {"GarbageLinesIgnored", "[PROJECTFILES]\n%%%\nNUMFILES=1\nnonsense\nFILE1=/a.c\n", {"/a.c"}, "/held"},
    {"DirectoryRead", "[PROJECT]\nDEFAULTSOURCEPATH=/src\n", {}, "/src"},
};

INSTANTIATE_TEST_SUITE_P(Damage, DamagedFileListTest, ::testing::ValuesIn(kDamageCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProjectFileTest, DamagedWindowValuesFallBackToDefaults)
{
    const auto file = load("[FILEC]\nFILENAME=  /w/c.c  \nSTATE=7\nWIDTH=-5\nHEIGHT=0\nLEFT=abc\nTOP=$10\n"
                           "EDITORROW=x\nMARKER1ROW=5\nENCODING=latin9\n[FILED]\nSTATE=1\nENCODING= utf-8 \n");
    const auto windows = ProjectFile::readWindows(file);
    const auto& c = windows[2];
    EXPECT_EQ("/w/c.c", c.fileName);
    EXPECT_EQ(WindowState::Normal, c.state);
    EXPECT_EQ((WindowBounds{50, 16, 200, 100}), c.bounds);
    EXPECT_EQ((TextPosition{1, 1}), c.caret);
    EXPECT_EQ((TextPosition{5, -1}), c.markers[1]);
    EXPECT_EQ(EncodingChoice::Auto, c.encoding);
    EXPECT_EQ(WindowState::Minimized, windows[3].state);
    EXPECT_EQ(EncodingChoice::Utf8, windows[3].encoding);
    EXPECT_EQ("", windows[3].fileName);
}


}  // namespace
}  // namespace quarry
