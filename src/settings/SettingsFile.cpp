#include "settings/SettingsFile.h"

#include "platform/PathStyle.h"
#include "platform/ProfileFile.h"
#include "platform/Text.h"

#include <limits>
#include <span>
#include <type_traits>
#include <variant>

namespace quarry {

namespace {

constexpr std::size_t kMaxPathText = 255;

enum class Access { ReadWrite, WriteOnly, PowerPcOnly };

// One key of a record: its name, the member it carries and, for integers that select one of
// several choices, the valid range (a value outside keeps the held choice).
template <class Record>
struct Key {
    const char* name;
    std::variant<std::string Record::*, bool Record::*, int Record::*> member;
    Access access = Access::ReadWrite;
    int minValue = std::numeric_limits<int>::min();
    int maxValue = std::numeric_limits<int>::max();
};

template <class Record>
void readKeys(const ProfileFile& file, const std::string& section, const std::string& prefix, Record& record,
              std::span<const Key<Record>> keys, bool powerPc = false)
{
    for (const auto& key : keys) {
        if (key.access == Access::WriteOnly || (key.access == Access::PowerPcOnly && !powerPc))
            continue;
        const auto name = prefix + key.name;
        std::visit(
            [&](auto member) {
                auto& value = record.*member;
                using T = std::remove_reference_t<decltype(value)>;
                if constexpr (std::is_same_v<T, std::string>) {
                    value = file.readString(section, name, value);
                } else if constexpr (std::is_same_v<T, bool>) {
                    value = file.readBool(section, name, value);
                } else {
                    const int read = file.readInteger(section, name, value);
                    if (read >= key.minValue && read <= key.maxValue)
                        value = read;
                }
            },
            key.member);
    }
}

template <class Record>
void writeKeys(ProfileFile& file, const std::string& section, const std::string& prefix, const Record& record,
               std::span<const Key<Record>> keys, bool powerPc = false)
{
    for (const auto& key : keys) {
        if (key.access == Access::PowerPcOnly && !powerPc)
            continue;
        const auto name = prefix + key.name;
        std::visit(
            [&](auto member) {
                const auto& value = record.*member;
                using T = std::remove_cvref_t<decltype(value)>;
                if constexpr (std::is_same_v<T, std::string>)
                    file.writeString(section, name, value);
                else if constexpr (std::is_same_v<T, bool>)
                    file.writeBool(section, name, value);
                else
                    file.writeInteger(section, name, value);
            },
            key.member);
    }
}

using T = ToolSlot;
const Key<ToolSlot> kToolKeys[] = {
    {"TYPE", &T::type},
    {"NAME", &T::name},
    {"OPTIONS", &T::options},
    {"CONFIRM", &T::confirm},
    {"WAIT", &T::wait, Access::WriteOnly},
    {"SAVEFILES", &T::saveFiles},
    {"ADDQUOTES", &T::addQuotes},
};

using C = CompilerSettings;
// TYPE comes first and is handled apart: the dialog switches panels before NAME is read.
const Key<CompilerSettings> kCompilerKeys[] = {
    {"NAME", &C::name},
    {"OPTIONS", &C::options},
    {"GETERROR", &C::otherGetError, Access::WriteOnly},
    {"OUTPUTS19", &C::outputS19},
    {"OUTPUTDWARF", &C::outputDwarf},
    {"OUTPUT695", &C::output695},
    {"OUTPUTDEBUG", &C::outputDebug},
    {"OUTPUTLISTING", &C::outputListing},
    {"SHOWASSEMBLER", &C::showAssembler},
    {"WAITFOR", &C::waitFor},
    {"SOUNDBELL", &C::soundBell},
    {"SAVEFILESBEFORE", &C::saveFilesBefore},
    {"SHOWCYCLES", &C::showCycles},
    {"EXPANDINCLUDES", &C::expandIncludes},
    {"EXPANDMACROS", &C::expandMacros},
    {"OTHERGETERROR", &C::otherGetError},
    {"OTHERCONFIRM", &C::otherConfirm},
    {"OTHERWAIT", &C::otherWait},
    {"OTHERSAVEFILES", &C::otherSaveFiles},
    {"OTHERERRORFORMAT", &C::otherErrorFormat},
    {"OTHERERRORFILENAME", &C::otherErrorFileName},
    {"OTHERADDQUOTES", &C::otherAddQuotes},
};

using G = GnuTargetOptions;
const Key<GnuTargetOptions> kGnuKeys[] = {
    {"BATCHOPT", &G::batchOpt, Access::ReadWrite, 0, 1},
    {"COMPILEROPTIONS", &G::compilerOptions},
    {"CONFIRM", &G::confirm},
    {"SAVEFILES", &G::saveFiles},
    {"GETERROR", &G::getError},
    {"ERRORFILENAME", &G::errorFileName},
    {"OPENERR", &G::openErr},
    {"VERBOSE", &G::verbose},
    {"NOWARN", &G::noWarn},
    {"WARNALL", &G::warnAll},
    {"DEBUG", &G::debug},
    {"OPTIMIZE", &G::optimize, Access::ReadWrite, 0, 4},
    {"GENLIST", &G::genList},
    {"GENS19", &G::genS19},
    {"GENOBJ", &G::genObj},
    {"GENLISTNAME", &G::genListName},
    {"GENS19NAME", &G::genS19Name},
    {"GENOBJNAME", &G::genObjName},
    {"MAIN", &G::main},
    {"OUTFILE", &G::outFile},
    {"STARTUP", &G::startup},
    {"LINKER", &G::linker},
    {"PATH", &G::path},
    {"INCLUDE", &G::include},
    {"LIB", &G::lib},
    {"ECRT", &G::ecrt, Access::PowerPcOnly},
    {"STACK", &G::stack},
    {"HEAP", &G::heap},
    {"ORIGIN", &G::origin},
    {"DATARAM", &G::dataRam},
    {"DATAFLASH", &G::dataFlash},
    {"TEXTRAM", &G::textRam},
    {"TEXTFLASH", &G::textFlash},
    {"MOVETEXT", &G::moveText},
    {"MOVEDATA", &G::moveData},
};

using O = GeneralOptions;
// USEEDITFILE and USEMAINFILE come first and are handled apart (they are crossed).
const Key<GeneralOptions> kGeneralKeys[] = {
    {"EXITAUTOSAVEPROJECT", &O::exitAutoSaveProject},
    {"EXITAUTOSAVEALLFILES", &O::exitAutoSaveAllFiles},
    {"MODIFIEDFILEASK", &O::modifiedFileAsk},
    {"SAVEPROJECTSAVESFILES", &O::saveProjectSavesFiles},
    {"ASKEXITAPPLICATION", &O::askExitApplication},
    {"MAINFILEEDITNAME", &O::mainFileEditName},
};

const char* const kToolSections[] = {"EXECUTABLE1", "EXECUTABLE2", "EXECUTABLE3", "EXECUTABLE4"};

std::string filterKey(std::size_t i) { return "FILEFILTER" + std::to_string(i); }

}  // namespace

SettingsFile::SettingsFile(EnvironmentSettings& settings, SettingsHost& host, UserInterface& ui, std::string programDir)
    : settings_(settings), host_(host), ui_(ui), programDir_(std::move(programDir))
{
}

std::string SettingsFile::resolve(const std::string& fileName) const
{
    const auto style = PathStyle::native();
    return style.hasDirectory(fileName) ? fileName : style.join(programDir_, fileName);
}

std::string SettingsFile::environmentFile() const { return PathStyle::native().join(programDir_, kEnvironmentFileName); }

bool SettingsFile::ReadSettings(const std::string& fileName)
{
    const auto fullName = resolve(fileName);
    try {
        ProfileFile file(fullName);
        readProject(file, fullName);
        readTools(file);
        readGeneral(file);
        readCompiler(file);
        readEditorOptions(file);
        readMainWindow(file);
        readEditorFont(file);
        return true;
    } catch (const ProfileFileError&) {
        ui_.showMessage(MessageKind::Error, kSettingsReadError, MessageButtons::Ok);
        return false;
    }
}

void SettingsFile::readProject(ProfileFile& file, const std::string& fullName)
{
    const auto style = PathStyle::native();
    auto& project = settings_.project;
    project.name = text::cut(file.readString("PROJECT", "NAME", kNoProject), kMaxPathText);

    // A project file copied elsewhere names itself without a directory; it is repaired to its
    // new place at once so that the next start finds it.
    const bool moved = project.name != kNoProject && !style.hasDirectory(project.name) &&
                       !style.sameName(fullName, environmentFile()) && style.fileName(fullName) == project.name;
    if (moved) {
        project.name = text::cut(fullName, kMaxPathText);
        project.directory = style.directory(fullName);
        file.writeString("PROJECT", "NAME", project.name);
        file.writeString("PROJECT", "PROJECTPATH", project.directory);
        file.flush();
    }
    project.open = file.readBool("PROJECT", "OPEN", project.open);
    settings_.sourcePath = text::cut(file.readString("PROJECT", "SOURCEPATH", programDir_), kMaxPathText);
    settings_.projectPath = text::cut(file.readString("PROJECT", "PROJECTPATH", programDir_), kMaxPathText);
}

void SettingsFile::readTools(const ProfileFile& file)
{
    for (std::size_t i = 0; i < settings_.tools.size(); ++i) {
        auto& slot = settings_.tools[i];
        readKeys<ToolSlot>(file, kToolSections[i], "", slot, kToolKeys);
        slot.wait = false;
        slot.waitOffered = false;
    }
}

void SettingsFile::readGeneral(const ProfileFile& file)
{
    // The two keys are crossed: USEEDITFILE holds the main-file choice and USEMAINFILE the
    // edited-file choice. They act like the dialog's two radio buttons: checking one unchecks
    // the other, unchecking one leaves the other alone; if both end up unchecked (a damaged
    // file) the choice held stays.
    auto& general = settings_.general;
    bool main = general.fileParameter == FileParameterSource::MainFile;
    bool edited = !main;
    if (file.readBool("GENERALEXECUTABLE", "USEEDITFILE", main)) {
        main = true;
        edited = false;
    } else {
        main = false;
    }
    if (file.readBool("GENERALEXECUTABLE", "USEMAINFILE", edited)) {
        edited = true;
        main = false;
    } else {
        edited = false;
    }
    if (edited)
        general.fileParameter = FileParameterSource::EditedFile;
    else if (main)
        general.fileParameter = FileParameterSource::MainFile;
    readKeys<GeneralOptions>(file, "GENERALEXECUTABLE", "", general, kGeneralKeys);
}

void SettingsFile::readCompiler(const ProfileFile& file)
{
    auto& compiler = settings_.compiler;
    // Only list entries can be chosen; any other text keeps the kind held.
    const auto type = file.readString("COMPILER", "TYPE", compiler.type);
    if (compilerKindOf(type) != CompilerKind::None)
        compiler.type = type;
    host_.compilerTypeChanged();
    readKeys<CompilerSettings>(file, "COMPILER", "", compiler, kCompilerKeys);
    readKeys<GnuTargetOptions>(file, "COMPILER", "M68KELF", settings_.m68kElf, kGnuKeys, false);
    readKeys<GnuTargetOptions>(file, "COMPILER", "PPCEABI", settings_.ppcEabi, kGnuKeys, true);
}

void SettingsFile::readEditorOptions(const ProfileFile& file)
{
    auto& editor = settings_.editor;
    editor.createBackupFile = file.readBool("EDITOROPTIONS", "CREATEBACKUPFILE", editor.createBackupFile);
    editor.groupedUndo = file.readBool("EDITOROPTIONS", "GROUPEDUNDO", editor.groupedUndo);
    editor.undoAfterSave = file.readBool("EDITOROPTIONS", "UNDOAFTERSAVE", editor.undoAfterSave);
    editor.defaultSyntax = file.readInteger("EDITOROPTIONS", "DEFAULTSYNTAX", 6);
    editor.newFilesUtf8 = file.readBool("EDITOROPTIONS", "NEWFILESUTF8", true);
    editor.fileFilters.clear();
    for (std::size_t i = 0; i < EditorOptions::kStoredFilters; ++i) {
        auto filter = file.readString("EDITOROPTIONS", filterKey(i), "");
        if (!text::trim(filter).empty())
            editor.fileFilters.push_back(std::move(filter));
    }
    editor.fileFilterIndex = file.readInteger("EDITOROPTIONS", "FILEFILTERINDEX", 0);
    host_.fileFiltersChanged();
}

void SettingsFile::readMainWindow(const ProfileFile& file)
{
    const auto screen = host_.screenSize();
    MainWindowLayout layout{{0, 0, screen.width, screen.height}, 150, WindowState::Normal};
    // Bounds from another screen size could leave the window off screen; they are not used.
    const bool sameScreen = file.readInteger("MAINWIN", "SCREENWIDTH", 0) == screen.width &&
                            file.readInteger("MAINWIN", "SCREENHEIGHT", 0) == screen.height;
    if (sameScreen) {
        layout.bounds.left = file.readInteger("MAINWIN", "LEFT", 0);
        layout.bounds.top = file.readInteger("MAINWIN", "TOP", 0);
        layout.bounds.width = file.readInteger("MAINWIN", "WIDTH", screen.width);
        layout.bounds.height = file.readInteger("MAINWIN", "HEIGHT", screen.height);
        layout.treeWidth = file.readInteger("MAINWIN", "TREEWIDTH", 150);
        const int state = file.readInteger("MAINWIN", "STATE", 0);
        if (state == 1 || state == 2)
            layout.state = static_cast<WindowState>(state);
    }
    if (host_.mainWindowState() == WindowState::Normal)
        host_.applyMainWindowLayout(layout);
}

void SettingsFile::readEditorFont(const ProfileFile& file)
{
    auto& font = settings_.editorFont;
    font.size = file.readInteger("EDITORFONT", "SIZE", font.size);
    font.color = file.readInteger("EDITORFONT", "COLOR", font.color);
    font.name = file.readString("EDITORFONT", "NAME", font.name);
    font.bold = file.readBool("EDITORFONT", "BOLD", font.bold);
    font.italic = file.readBool("EDITORFONT", "ITALIC", font.italic);
    font.underline = file.readBool("EDITORFONT", "UNDERLINE", font.underline);
    font.strikeOut = file.readBool("EDITORFONT", "STRIKEOUT", font.strikeOut);
}

bool SettingsFile::WriteSettings(const std::string& fileName)
{
    host_.storeParsers();
    try {
        ProfileFile file(resolve(fileName));
        writeProject(file);
        writeTools(file);
        writeCompiler(file);
        writeGeneral(file);
        writeMainWindow(file);
        writeEditorOptions(file);
        writeEditorFont(file);
        file.flush();
        return true;
    } catch (const ProfileFileError&) {
        ui_.showMessage(MessageKind::Error, kSettingsWriteError, MessageButtons::Ok);
        return false;
    }
}

void SettingsFile::writeProject(ProfileFile& file) const
{
    file.writeString("PROJECT", "NAME", settings_.project.name);
    file.writeBool("PROJECT", "OPEN", settings_.project.open);
    file.writeString("PROJECT", "SOURCEPATH", settings_.sourcePath);
    file.writeString("PROJECT", "PROJECTPATH", settings_.projectPath);
    file.writeString("IDEINFO", "NAME", kApplicationTitle);
    file.writeString("IDEINFO", "VERSION", kVersionText);
}

void SettingsFile::writeTools(ProfileFile& file) const
{
    for (std::size_t i = 0; i < settings_.tools.size(); ++i)
        writeKeys<ToolSlot>(file, kToolSections[i], "", settings_.tools[i], kToolKeys);
}

void SettingsFile::writeCompiler(ProfileFile& file) const
{
    file.writeString("COMPILER", "TYPE", settings_.compiler.type);
    writeKeys<CompilerSettings>(file, "COMPILER", "", settings_.compiler, kCompilerKeys);
    writeKeys<GnuTargetOptions>(file, "COMPILER", "M68KELF", settings_.m68kElf, kGnuKeys, false);
    writeKeys<GnuTargetOptions>(file, "COMPILER", "PPCEABI", settings_.ppcEabi, kGnuKeys, true);
}

void SettingsFile::writeGeneral(ProfileFile& file) const
{
    const bool main = settings_.general.fileParameter == FileParameterSource::MainFile;
    file.writeBool("GENERALEXECUTABLE", "USEEDITFILE", main);
    file.writeBool("GENERALEXECUTABLE", "USEMAINFILE", !main);
    writeKeys<GeneralOptions>(file, "GENERALEXECUTABLE", "", settings_.general, kGeneralKeys);
}

void SettingsFile::writeMainWindow(ProfileFile& file) const
{
    const auto state = host_.mainWindowState();
    const auto bounds = state == WindowState::Normal ? host_.mainWindowBounds() : host_.mainWindowRestoredBounds();
    const auto screen = host_.screenSize();
    file.writeInteger("MAINWIN", "LEFT", bounds.left);
    file.writeInteger("MAINWIN", "TOP", bounds.top);
    file.writeInteger("MAINWIN", "WIDTH", bounds.width);
    file.writeInteger("MAINWIN", "HEIGHT", bounds.height);
    file.writeInteger("MAINWIN", "TREEWIDTH", host_.projectTreeWidth());
    file.writeInteger("MAINWIN", "STATE", static_cast<int>(state));
    file.writeInteger("MAINWIN", "SCREENWIDTH", screen.width);
    file.writeInteger("MAINWIN", "SCREENHEIGHT", screen.height);
}

void SettingsFile::writeEditorOptions(ProfileFile& file) const
{
    // Erased first so that filters of an earlier, longer list do not linger.
    file.eraseSection("EDITOROPTIONS");
    const auto& editor = settings_.editor;
    file.writeBool("EDITOROPTIONS", "CREATEBACKUPFILE", editor.createBackupFile);
    file.writeBool("EDITOROPTIONS", "GROUPEDUNDO", editor.groupedUndo);
    file.writeBool("EDITOROPTIONS", "UNDOAFTERSAVE", editor.undoAfterSave);
    file.writeInteger("EDITOROPTIONS", "DEFAULTSYNTAX", editor.defaultSyntax);
    // Written only when it differs from what a missing key means, so that files from before
    // the key existed come back unchanged.
    if (!editor.newFilesUtf8)
        file.writeBool("EDITOROPTIONS", "NEWFILESUTF8", false);
    for (std::size_t i = 0; i < editor.fileFilters.size() && i < EditorOptions::kStoredFilters; ++i)
        file.writeString("EDITOROPTIONS", filterKey(i), editor.fileFilters[i]);
    file.writeInteger("EDITOROPTIONS", "FILEFILTERINDEX", editor.fileFilterIndex);
}

void SettingsFile::writeEditorFont(ProfileFile& file) const
{
    const auto font = host_.activeEditorFont();
    if (!font)
        return;  // no editor window open: a record already in the file stays as it is
    file.writeInteger("EDITORFONT", "SIZE", font->size);
    file.writeInteger("EDITORFONT", "COLOR", font->color);
    file.writeString("EDITORFONT", "NAME", font->name);
    file.writeBool("EDITORFONT", "BOLD", font->bold);
    file.writeBool("EDITORFONT", "ITALIC", font->italic);
    file.writeBool("EDITORFONT", "UNDERLINE", font->underline);
    file.writeBool("EDITORFONT", "STRIKEOUT", font->strikeOut);
}

}  // namespace quarry
