#pragma once
#include "platform/PathStyle.h"
#include "settings/GnuTargetOptions.h"

#include <string>
#include <vector>

namespace quarry {

enum class GnuTarget { M68kElf, PowerPcEabi };

// The options of one GNU build as its script uses them: names resolved in the project
// directory, lists turned into compiler options, switches into option text. Built afresh for
// every run from the target's settings.
struct m68kelf_compiler_param_storage_type {
    std::string Input;
    std::string OutputFile;
    std::string StartupFile;
    std::string LinkerScript;
    std::string S19File;    // empty when no S-records are wanted
    std::string ErrorFile;  // empty when errors are not recovered
    std::string ObjectFile;
    bool ObjectOnly = false;
    std::string Path;            // directories joined with ';'
    std::string IncludeOptions;  // "-I" + directory each, joined with ' '
    std::string LibraryOptions;  // "-Xlinker -L -Xlinker " + directory each
    std::string CompilerOptions;
    std::string Heap;
    std::string Stack;
    std::string Origin;
    bool MoveData = false;
    std::string DataRam;
    std::string DataFlash;
    bool MoveText = false;
    std::string TextRam;
    std::string TextFlash;

    // The same lists and options one word at a time, for a script whose shell needs each word
    // quoted on its own.
    std::vector<std::string> PathItems;
    std::vector<std::string> IncludeDirs;
    std::vector<std::string> LibraryDirs;
    std::vector<std::string> CompilerOptionWords;

    bool operator==(const m68kelf_compiler_param_storage_type&) const = default;
};

struct ppceabi_compiler_param_storage_type : m68kelf_compiler_param_storage_type {
    std::string EcrtDir;  // where ecrti.o, ecrtn.o and libgcc.a lie

    bool operator==(const ppceabi_compiler_param_storage_type&) const = default;
};

// The record of a run: `input` is the main input file as the run resolved it. For m68k-elf
// EcrtDir stays empty and the options get no -B.
ppceabi_compiler_param_storage_type MakeCompilerParams(const GnuTargetOptions& options, GnuTarget target,
                                                       const std::string& input, const std::string& projectPath,
                                                       PathStyle style = PathStyle::native());

// A list setting split at ';': items taken from the first on, up to the first empty one.
std::vector<std::string> SplitListSetting(const std::string& list);

// The --defsym items of the memory map, in order; each is followed by one blank in the
// script (the two move flags carry a blank of their own).
std::vector<std::string> LinkerSymbolItems(const m68kelf_compiler_param_storage_type& params);
std::string LinkerSymbolText(const m68kelf_compiler_param_storage_type& params);

}  // namespace quarry
