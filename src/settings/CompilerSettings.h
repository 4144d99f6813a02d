#pragma once
#include <array>
#include <string>

namespace quarry {

// The entries of the compiler-kind list, in list order. The first two are told apart by their
// position, the others by their exact text.
inline constexpr std::array<const char*, 5> kCompilerTypes = {
    "Talvik ASMAxx Assembler", "Talvik ASMBxx Assembler", "Other Assembler/Compiler...", "GNU m68k-elf",
    "GNU powerpc-eabi"};

// The entries of the error-format list of the other-compiler kind, in list order.
inline constexpr std::array<const char*, 4> kErrorFormats = {"Talvik Compatible", "UnKnown",
                                                             "ByteCraft Compatible", "GCC Compatible"};

enum class CompilerKind { TalvikAssembler, OtherCompiler, GnuM68kElf, GnuPowerPcEabi, None };

// The kind named by a compiler-type text; None for a text that is no list entry.
CompilerKind compilerKindOf(const std::string& type);

// The assembler or compiler slot (section COMPILER, except the GNU target families).
struct CompilerSettings {
    std::string type = kCompilerTypes[0];
    std::string name = "C:\\Talvik\\ASMB05.EXE";
    std::string options = "%FILE%  S  L  D";  // parameters of the other-compiler kind
    // Talvik assembler switches
    bool outputS19 = true;
    bool outputDwarf = false;
    bool output695 = false;
    bool outputDebug = true;
    bool outputListing = true;
    bool showAssembler = true;
    bool waitFor = false;
    bool soundBell = false;
    bool saveFilesBefore = false;
    bool showCycles = true;
    bool expandIncludes = false;
    bool expandMacros = false;
    // other-compiler kind
    bool otherGetError = true;
    bool otherConfirm = true;
    bool otherWait = true;
    bool otherSaveFiles = true;
    std::string otherErrorFormat = kErrorFormats[0];
    std::string otherErrorFileName = "%FILE.ERR%";
    bool otherAddQuotes = false;

    CompilerKind kind() const { return compilerKindOf(type); }
    bool operator==(const CompilerSettings&) const = default;
};

}  // namespace quarry
