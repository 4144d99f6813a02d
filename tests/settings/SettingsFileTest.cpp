#include "platform/ProfileFile.h"
#include "settings/SettingsFile.h"
#include "support/FakeSettingsHost.h"
#include "support/ScriptedUserInterface.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

namespace quarry {
namespace {

using test::FakeSettingsHost;
using test::RecordedBox;
using test::ScriptedUserInterface;
using test::TempDir;

class SettingsFileTest : public ::testing::Test {
protected:
    SettingsFile file() { return SettingsFile(settings, host, ui, dir.path().string()); }
    bool read(const std::string& content, const std::string& name = "s.ini")
    {
        dir.write(name, content);
        return SettingsFile(settings, host, ui, dir.path().string()).ReadSettings(name);
    }
    // "SECTION/KEY=value" lines of a written file, in file order.
    std::string written(const std::string& name = "s.ini")
    {
        SettingsFile(settings, host, ui, dir.path().string()).WriteSettings(name);
        return TempDir::read(dir.file(name));
    }

    TempDir dir;
    EnvironmentSettings settings;
    FakeSettingsHost host;
    ScriptedUserInterface ui;
};

std::string keyOrder(const ProfileFile& file)
{
    std::ostringstream out;
    for (const auto& section : file.sectionNames()) {
        out << "[" << section << "]";
        for (const auto& key : file.keyNames(section))
            out << " " << key;
        out << "\n";
    }
    return out.str();
}

// The file layout other programs and older project files rely on: sections and keys in this
// order, EDITORFONT only while an editor window is open.
TEST_F(SettingsFileTest, WritesSectionsAndKeysInTheirOrder)
{
    settings.editor.fileFilters = {"Assembly|*.asm", "Text|*.txt"};
    host.editorFont = FontRecord{};
    written();
    const std::string gnu =
        "BATCHOPT COMPILEROPTIONS CONFIRM SAVEFILES GETERROR ERRORFILENAME OPENERR VERBOSE NOWARN WARNALL DEBUG "
        "OPTIMIZE GENLIST GENS19 GENOBJ GENLISTNAME GENS19NAME GENOBJNAME MAIN OUTFILE STARTUP LINKER PATH INCLUDE "
        "LIB ";
    const std::string memory = "STACK HEAP ORIGIN DATARAM DATAFLASH TEXTRAM TEXTFLASH MOVETEXT MOVEDATA";
    auto prefixed = [](const std::string& prefix, const std::string& keys) {
        std::istringstream in(keys);
        std::string out, key;
        while (in >> key)
            out += " " + prefix + key;
        return out;
    };
    const std::string slot = " TYPE NAME OPTIONS CONFIRM WAIT SAVEFILES ADDQUOTES\n";
    const std::string expected =
        "[PROJECT] NAME OPEN SOURCEPATH PROJECTPATH\n"
        "[IDEINFO] NAME VERSION\n"
        "[EXECUTABLE1]" + slot + "[EXECUTABLE2]" + slot + "[EXECUTABLE3]" + slot + "[EXECUTABLE4]" + slot +
        "[COMPILER] TYPE NAME OPTIONS GETERROR OUTPUTS19 OUTPUTDWARF OUTPUT695 OUTPUTDEBUG OUTPUTLISTING "
        "SHOWASSEMBLER WAITFOR SOUNDBELL SAVEFILESBEFORE SHOWCYCLES EXPANDINCLUDES EXPANDMACROS OTHERGETERROR "
        "OTHERCONFIRM OTHERWAIT OTHERSAVEFILES OTHERERRORFORMAT OTHERERRORFILENAME OTHERADDQUOTES" +
        prefixed("M68KELF", gnu + memory) + prefixed("PPCEABI", gnu + "ECRT " + memory) + "\n" +
        "[GENERALEXECUTABLE] USEEDITFILE USEMAINFILE EXITAUTOSAVEPROJECT EXITAUTOSAVEALLFILES MODIFIEDFILEASK "
        "SAVEPROJECTSAVESFILES ASKEXITAPPLICATION MAINFILEEDITNAME\n"
        "[MAINWIN] LEFT TOP WIDTH HEIGHT TREEWIDTH STATE SCREENWIDTH SCREENHEIGHT\n"
        "[EDITOROPTIONS] CREATEBACKUPFILE GROUPEDUNDO UNDOAFTERSAVE DEFAULTSYNTAX FILEFILTER0 FILEFILTER1 "
        "FILEFILTERINDEX\n"
        "[EDITORFONT] SIZE COLOR NAME BOLD ITALIC UNDERLINE STRIKEOUT\n";
    EXPECT_EQ(expected, keyOrder(ProfileFile(dir.file("s.ini"))));
    EXPECT_EQ(1, host.parserStores);
}

TEST_F(SettingsFileTest, WritesValuesInProfileForm)
{
    settings.project.open = true;
    settings.compiler.otherGetError = false;
    settings.tools[1].wait = true;
    settings.editor.defaultSyntax = -3;
    written();
    ProfileFile file(dir.file("s.ini"));
    EXPECT_EQ("1", file.readString("PROJECT", "OPEN", ""));
    EXPECT_EQ("Quarry", file.readString("IDEINFO", "NAME", ""));
    EXPECT_EQ("Version 2.07b", file.readString("IDEINFO", "VERSION", ""));
    EXPECT_EQ("0", file.readString("COMPILER", "GETERROR", "")) << "GETERROR mirrors OTHERGETERROR";
    EXPECT_EQ("1", file.readString("EXECUTABLE2", "WAIT", ""));
    EXPECT_EQ("0", file.readString("EXECUTABLE1", "WAIT", ""));
    EXPECT_EQ("-3", file.readString("EDITOROPTIONS", "DEFAULTSYNTAX", ""));
    EXPECT_EQ("NO PROJECT", file.readString("PROJECT", "NAME", ""));
}

// USEEDITFILE stores the main-file choice and USEMAINFILE the edited-file choice; files written
// by every earlier version depend on the pairing.
TEST_F(SettingsFileTest, FileParameterKeysAreCrossed)
{
    const struct {
        FileParameterSource held;
        const char* keys;
        FileParameterSource expected;
    } cases[] = {
        {FileParameterSource::EditedFile, "USEEDITFILE=1\nUSEMAINFILE=0\n", FileParameterSource::MainFile},
        {FileParameterSource::MainFile, "USEEDITFILE=0\nUSEMAINFILE=1\n", FileParameterSource::EditedFile},
        {FileParameterSource::MainFile, "USEEDITFILE=1\nUSEMAINFILE=1\n", FileParameterSource::EditedFile},
        {FileParameterSource::MainFile, "USEEDITFILE=0\nUSEMAINFILE=0\n", FileParameterSource::MainFile},
        {FileParameterSource::EditedFile, "USEEDITFILE=0\nUSEMAINFILE=0\n", FileParameterSource::EditedFile},
        {FileParameterSource::MainFile, "", FileParameterSource::MainFile},
        {FileParameterSource::EditedFile, "", FileParameterSource::EditedFile},
        {FileParameterSource::EditedFile, "USEEDITFILE=1\n", FileParameterSource::MainFile},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keys);
        settings.general.fileParameter = c.held;
        read(std::string("[GENERALEXECUTABLE]\n") + c.keys);
        EXPECT_EQ(c.expected, settings.general.fileParameter);
    }
    settings.general.fileParameter = FileParameterSource::MainFile;
    written();
    ProfileFile file(dir.file("s.ini"));
    EXPECT_EQ("1", file.readString("GENERALEXECUTABLE", "USEEDITFILE", ""));
    EXPECT_EQ("0", file.readString("GENERALEXECUTABLE", "USEMAINFILE", ""));
}

TEST_F(SettingsFileTest, ReadingClearsAndWithdrawsEveryWaitOption)
{
    for (auto& slot : settings.tools)
        slot.wait = true;
    read("[EXECUTABLE1]\nWAIT=1\nTYPE=Debugger X\n[EXECUTABLE2]\nWAIT=1\n");
    for (const auto& slot : settings.tools) {
        EXPECT_FALSE(slot.wait);
        EXPECT_FALSE(slot.waitOffered);
    }
    EXPECT_EQ("Debugger X", settings.tools[0].type);
}

TEST_F(SettingsFileTest, MissingSectionLeavesItsValuesAsTheyWere)
{
    settings.tools[2] = ToolSlot{"Mine", "/bin/mine", "-m", true, false, true, true, false};
    settings.compiler.name = "/held/asm";
    read("[EXECUTABLE1]\nTYPE=One\n[EXECUTABLE2]\nTYPE=Two\n[EXECUTABLE4]\nTYPE=Four\n");
    // Reading withdraws the wait option of every slot, this one too.
    EXPECT_EQ((ToolSlot{"Mine", "/bin/mine", "-m", true, false, false, true, false}), settings.tools[2]);
    EXPECT_EQ("Four", settings.tools[3].type);
    EXPECT_EQ("/held/asm", settings.compiler.name);
}

TEST_F(SettingsFileTest, MissingFileLeavesHeldValuesAndNamesNoProject)
{
    settings.project.name = "/x/old.ppf";
    settings.compiler.type = "GNU m68k-elf";
    settings.editor.defaultSyntax = 2;
    settings.editor.fileFilters = {"A|*.a"};
    settings.editor.fileFilterIndex = 3;
    const auto before = settings;
    EXPECT_TRUE(file().ReadSettings("none.ini"));
    EXPECT_EQ(kNoProject, settings.project.name);
    EXPECT_EQ(dir.path().string(), settings.sourcePath);
    EXPECT_EQ(dir.path().string(), settings.projectPath);
    EXPECT_EQ(before.compiler, settings.compiler);
    EXPECT_EQ(before.general, settings.general);
    // These keys have constant defaults, not held ones.
    EXPECT_EQ(6, settings.editor.defaultSyntax);
    EXPECT_TRUE(settings.editor.fileFilters.empty());
    EXPECT_EQ(0, settings.editor.fileFilterIndex);
    EXPECT_FALSE(std::filesystem::exists(dir.file("none.ini")));
    EXPECT_TRUE(ui.boxes().empty());
}

TEST_F(SettingsFileTest, FilterListRewriteRemovesLeftoverKeys)
{
    settings.editor.fileFilters.clear();
    for (int i = 0; i < 12; ++i)
        settings.editor.fileFilters.push_back("F" + std::to_string(i) + "|*." + std::to_string(i));
    written();
    ProfileFile ten(dir.file("s.ini"));
    EXPECT_EQ("F9|*.9", ten.readString("EDITOROPTIONS", "FILEFILTER9", ""));
    EXPECT_FALSE(ten.keyExists("EDITOROPTIONS", "FILEFILTER10"));

    settings.editor.fileFilters = {"A|*.a", "B|*.b", "C|*.c"};
    written();
    ProfileFile three(dir.file("s.ini"));
    EXPECT_EQ((std::vector<std::string>{"CREATEBACKUPFILE", "GROUPEDUNDO", "UNDOAFTERSAVE", "DEFAULTSYNTAX",
                                        "FILEFILTER0", "FILEFILTER1", "FILEFILTER2", "FILEFILTERINDEX"}),
              three.keyNames("EDITOROPTIONS"));
}

// New files are UTF-8 unless the key says 0; the key is written only then, so that files from
// before it come back unchanged.
TEST_F(SettingsFileTest, NewFileEncodingKeyIsWrittenOnlyWhenItSaysWindows1252)
{
    read("[EDITOROPTIONS]\nDEFAULTSYNTAX=3\n");
    EXPECT_TRUE(settings.editor.newFilesUtf8);
    read("[EDITOROPTIONS]\nNEWFILESUTF8=0\n");
    EXPECT_FALSE(settings.editor.newFilesUtf8);
    written();
    EXPECT_EQ("0", ProfileFile(dir.file("s.ini")).readString("EDITOROPTIONS", "NEWFILESUTF8", ""));
    settings.editor.newFilesUtf8 = true;
    written();
    EXPECT_FALSE(ProfileFile(dir.file("s.ini")).keyExists("EDITOROPTIONS", "NEWFILESUTF8"));
}

TEST_F(SettingsFileTest, BlankFiltersAreSkippedAndLaterOnesMoveUp)
{
    read("[EDITOROPTIONS]\nFILEFILTER0=A|*.a\nFILEFILTER1=   \nFILEFILTER2=C|*.c\nFILEFILTER5=F|*.f\n"
         "FILEFILTER10=K|*.k\n");
    EXPECT_EQ((std::vector<std::string>{"A|*.a", "C|*.c", "F|*.f"}), settings.editor.fileFilters);
    EXPECT_EQ(1, host.fileFilterNotices);
}

TEST_F(SettingsFileTest, CopiedProjectFileIsRepairedToItsNewPlace)
{
    std::filesystem::create_directories(dir.path() / "moved");
    const auto project = dir.write("moved/demo.ppf", "[PROJECT]\nNAME=demo.ppf\nOPEN=1\nPROJECTPATH=/old/place\n"
                                                     "[PROJECTFILES]\nNUMFILES=0\n");
    EXPECT_TRUE(file().ReadSettings(project));
    EXPECT_EQ(project, settings.project.name);
    EXPECT_EQ((dir.path() / "moved").string(), settings.project.directory);
    EXPECT_EQ((dir.path() / "moved").string(), settings.projectPath);
    ProfileFile stored(project);
    EXPECT_EQ(project, stored.readString("PROJECT", "NAME", ""));
    EXPECT_EQ((dir.path() / "moved").string(), stored.readString("PROJECT", "PROJECTPATH", ""));
    EXPECT_EQ("0", stored.readString("PROJECTFILES", "NUMFILES", "")) << "other sections stay";
}

TEST_F(SettingsFileTest, RepairOnlyAppliesToABareNameMatchingTheFileRead)
{
    const struct {
        const char* fileName;
        const char* storedName;
    } cases[] = {
        {"demo.ppf", "Demo.ppf"},       // letter case differs
        {"demo.ppf", "other.ppf"},      // another project
        {"demo.ppf", "NO PROJECT"},     // none
        {"demo.ppf", "/x/demo.ppf"},    // has a directory already
        {"Quarry.ini", "Quarry.ini"},   // the environment file itself
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.fileName) + " naming " + c.storedName);
        const auto content = std::string("[PROJECT]\nNAME=") + c.storedName + "\n";
        read(content, c.fileName);
        EXPECT_EQ(c.storedName, settings.project.name);
        EXPECT_EQ(content, TempDir::read(dir.file(c.fileName)));
    }
}

TEST_F(SettingsFileTest, MainWindowBoundsFromAnotherScreenAreNotUsed)
{
    const struct {
        const char* mainwin;
        MainWindowLayout expected;
    } cases[] = {
        {"SCREENWIDTH=1024\nSCREENHEIGHT=768\nLEFT=5\nTOP=6\nWIDTH=700\nHEIGHT=500\nTREEWIDTH=180\nSTATE=2\n",
         {{5, 6, 700, 500}, 180, WindowState::Maximized}},
        {"SCREENWIDTH=1280\nSCREENHEIGHT=768\nLEFT=5\nTOP=6\nWIDTH=700\nHEIGHT=500\nTREEWIDTH=180\nSTATE=2\n",
         {{0, 0, 1024, 768}, 150, WindowState::Normal}},
        {"SCREENWIDTH=1024\nSCREENHEIGHT=1024\nLEFT=5\n", {{0, 0, 1024, 768}, 150, WindowState::Normal}},
        {"SCREENWIDTH=1024\nSCREENHEIGHT=768\n", {{0, 0, 1024, 768}, 150, WindowState::Normal}},
        {"SCREENWIDTH=1024\nSCREENHEIGHT=768\nSTATE=9\nWIDTH=wide\n", {{0, 0, 1024, 768}, 150, WindowState::Normal}},
        {"", {{0, 0, 1024, 768}, 150, WindowState::Normal}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mainwin);
        host.appliedLayouts.clear();
        host.state = WindowState::Normal;
        read(std::string("[MAINWIN]\n") + c.mainwin);
        ASSERT_EQ(1u, host.appliedLayouts.size());
        EXPECT_EQ(c.expected, host.appliedLayouts[0]);
    }
}

TEST_F(SettingsFileTest, LayoutIsOnlyAppliedToANormalWindow)
{
    host.state = WindowState::Minimized;
    read("[MAINWIN]\nSCREENWIDTH=1024\nSCREENHEIGHT=768\nLEFT=5\n");
    EXPECT_TRUE(host.appliedLayouts.empty());
}

TEST_F(SettingsFileTest, MaximisedWindowStoresItsLastNormalBounds)
{
    host.state = WindowState::Maximized;
    host.bounds = {0, 0, 1024, 768};
    host.restoredBounds = {50, 60, 640, 480};
    host.treeWidth = 199;
    written();
    ProfileFile file(dir.file("s.ini"));
    const std::pair<const char*, int> expected[] = {{"LEFT", 50},   {"TOP", 60},       {"WIDTH", 640},
                                                    {"HEIGHT", 480}, {"TREEWIDTH", 199}, {"STATE", 2},
                                                    {"SCREENWIDTH", 1024}, {"SCREENHEIGHT", 768}};
    for (const auto& [key, value] : expected)
        EXPECT_EQ(value, file.readInteger("MAINWIN", key, -1)) << key;
}

TEST_F(SettingsFileTest, EditorFontIsWrittenOnlyWhileAnEditorWindowIsOpen)
{
    const std::string font = "[EDITORFONT]\nSIZE=22\nNAME=Kept\n";
    dir.write("s.ini", font);
    host.editorFont.reset();
    written();
    ProfileFile untouched(dir.file("s.ini"));
    EXPECT_EQ(22, untouched.readInteger("EDITORFONT", "SIZE", 0));
    EXPECT_EQ("Kept", untouched.readString("EDITORFONT", "NAME", ""));

    host.editorFont = FontRecord{"Fixedsys", 9, 128, true, false, true, false};
    written();
    ProfileFile updated(dir.file("s.ini"));
    EXPECT_EQ(9, updated.readInteger("EDITORFONT", "SIZE", 0));
    EXPECT_EQ(128, updated.readInteger("EDITORFONT", "COLOR", 0));
    EXPECT_EQ("Fixedsys", updated.readString("EDITORFONT", "NAME", ""));
    EXPECT_EQ("1", updated.readString("EDITORFONT", "UNDERLINE", ""));
    EXPECT_EQ("0", updated.readString("EDITORFONT", "STRIKEOUT", ""));
}

TEST_F(SettingsFileTest, WritingKeepsSectionsItDoesNotOwn)
{
    dir.write("s.ini", "[PROJECTFILES]\nNUMFILES=1\nFILE1=/a.asm\n[FILEA]\nFILENAME=/a.asm\n");
    written();
    ProfileFile file(dir.file("s.ini"));
    EXPECT_EQ("/a.asm", file.readString("PROJECTFILES", "FILE1", ""));
    EXPECT_EQ("/a.asm", file.readString("FILEA", "FILENAME", ""));
}

TEST_F(SettingsFileTest, CompilerTypeChangeRunsBeforeTheNameIsRead)
{
    settings.compiler.name = "held";
    std::string typeSeen, nameSeen;
    host.onCompilerTypeChanged = [&] {
        typeSeen = settings.compiler.type;
        nameSeen = settings.compiler.name;
    };
    read("[COMPILER]\nTYPE=GNU m68k-elf\nNAME=/work/build.bat\n");
    EXPECT_EQ("GNU m68k-elf", typeSeen);
    EXPECT_EQ("held", nameSeen);
    EXPECT_EQ("/work/build.bat", settings.compiler.name);
}

// Damaged files: garbage lines are ignored, numbers that are no numbers (or out of range for
// a choice) keep the value held, path texts are cut at 255 characters, unknown kinds keep the
// kind held. Nothing crashes and no box is shown.
TEST_F(SettingsFileTest, DamagedFileKeepsHeldValues)
{
    settings.compiler.type = "GNU m68k-elf";
    settings.m68kElf.optimize = 2;
    settings.ppcEabi.batchOpt = 1;
    settings.compiler.outputS19 = false;
    const std::string longName(400, 'n');
    const std::string content =
        "garbage before any section\n\x01\x02\xff\n"
        "[PROJECT]\nNAME=/" + longName + "\nSOURCEPATH=" + longName + "\nPROJECTPATH=" + longName + "\n"
        "OPEN=yes\n"
        "[COMPILER\n"
        "[COMPILER]\nTYPE=Nonsense Compiler\nOUTPUTS19=maybe\nM68KELFOPTIMIZE=99\nPPCEABIBATCHOPT=-1\n"
        "M68KELFBATCHOPT=99999999999999999999\nOTHERERRORFORMAT=Something Else\n"
        "[EDITOROPTIONS]\nDEFAULTSYNTAX=abc\nFILEFILTERINDEX=1e3\n"
        "[EDITORFONT]\nSIZE=huge\nCOLOR=0x800000\n"
        "=\n[]\n[EXECUTABLE1]\nCONFIRM=2\n";
    EXPECT_TRUE(read(content));
    EXPECT_EQ(255u, settings.project.name.size());
    EXPECT_EQ(255u, settings.sourcePath.size());
    EXPECT_EQ(255u, settings.projectPath.size());
    EXPECT_FALSE(settings.project.open);
    EXPECT_EQ("GNU m68k-elf", settings.compiler.type);
    EXPECT_FALSE(settings.compiler.outputS19);
    EXPECT_EQ(2, settings.m68kElf.optimize);
    EXPECT_EQ(1, settings.ppcEabi.batchOpt);
    EXPECT_EQ(0, settings.m68kElf.batchOpt);
    EXPECT_EQ("Something Else", settings.compiler.otherErrorFormat) << "any error-format text is kept";
    EXPECT_EQ(6, settings.editor.defaultSyntax);
    EXPECT_EQ(0, settings.editor.fileFilterIndex);
    EXPECT_EQ(10, settings.editorFont.size);
    EXPECT_EQ(0x800000, settings.editorFont.color);
    EXPECT_TRUE(settings.tools[0].confirm) << "any non-zero number is true";
    EXPECT_TRUE(ui.boxes().empty());
}

TEST_F(SettingsFileTest, UnreadableFileShowsTheReadErrorAndKeepsValues)
{
    std::filesystem::create_directory(dir.path() / "Quarry.ini");
    settings.compiler.name = "held";
    EXPECT_FALSE(file().ReadSettings("Quarry.ini"));
    EXPECT_EQ((std::vector<RecordedBox>{{MessageKind::Error, "Error reading from IDE initialization file.",
                                         MessageButtons::Ok}}),
              ui.boxes());
    EXPECT_EQ("held", settings.compiler.name);
}

TEST_F(SettingsFileTest, UnwritableProgramDirectoryShowsTheWriteError)
{
    SettingsFile missingDir(settings, host, ui, dir.file("no/such/program/dir"));
    EXPECT_FALSE(missingDir.WriteSettings("Quarry.ini"));
    std::filesystem::create_directory(dir.path() / "taken.ini");
    EXPECT_FALSE(file().WriteSettings("taken.ini"));
    const RecordedBox writeError{MessageKind::Error, "Error writing to IDE initialization file.", MessageButtons::Ok};
    EXPECT_EQ((std::vector<RecordedBox>{writeError, writeError}), ui.boxes());
}

TEST_F(SettingsFileTest, BareNamesAreTakenInTheProgramDirectory)
{
    const auto sf = file();
    EXPECT_EQ((dir.path() / "Quarry.tmp").string(), sf.resolve("Quarry.tmp"));
    EXPECT_EQ("/elsewhere/x.ppf", sf.resolve("/elsewhere/x.ppf"));
    EXPECT_EQ((dir.path() / "Quarry.ini").string(), sf.environmentFile());
}

TEST(EditorOptions, DefaultSyntaxSlotIsAlwaysAValidSlot)
{
    const struct {
        int stored;
        int parsers;
        int slot;
    } cases[] = {{6, 6, 6}, {7, 6, 0}, {13, 6, 6}, {-1, 6, 6}, {-8, 6, 6}, {3, 0, 0}, {5, 3, 1}};
    for (const auto& c : cases) {
        EditorOptions options;
        options.defaultSyntax = c.stored;
        EXPECT_EQ(c.slot, options.defaultSyntaxSlot(c.parsers)) << c.stored << " of " << c.parsers;
    }
}

TEST(CompilerKind, FirstTwoEntriesAreTalvikAndOthersMatchExactly)
{
    EXPECT_EQ(CompilerKind::TalvikAssembler, compilerKindOf("Talvik ASMAxx Assembler"));
    EXPECT_EQ(CompilerKind::TalvikAssembler, compilerKindOf("Talvik ASMBxx Assembler"));
    EXPECT_EQ(CompilerKind::OtherCompiler, compilerKindOf("Other Assembler/Compiler..."));
    EXPECT_EQ(CompilerKind::GnuM68kElf, compilerKindOf("GNU m68k-elf"));
    EXPECT_EQ(CompilerKind::GnuPowerPcEabi, compilerKindOf("GNU powerpc-eabi"));
    EXPECT_EQ(CompilerKind::None, compilerKindOf("gnu m68k-elf"));
    EXPECT_EQ(CompilerKind::None, compilerKindOf(""));
}

}  // namespace
}  // namespace quarry
