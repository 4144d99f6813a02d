#include "tools/PosixBuildScript.h"

#include "platform/Text.h"

#include <algorithm>
#include <cctype>

namespace quarry {

namespace {

bool plainCharacter(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || std::string_view("@%+=:,./_-").find(c) != std::string_view::npos;
}

// Text for the inside of double quotes: only these four characters keep a meaning there.
std::string escapedForDoubleQuotes(const std::string& text)
{
    std::string out;
    for (const char c : text) {
        if (c == '\\' || c == '$' || c == '`' || c == '"')
            out += '\\';
        out += c;
    }
    return out;
}

std::string doubleQuoted(const std::string& text) { return "\"" + escapedForDoubleQuotes(text) + "\""; }

std::vector<std::string> splitAtBlanks(const std::string& text)
{
    std::vector<std::string> out;
    std::size_t start = 0;
    while (start < text.size()) {
        const auto end = std::min(text.find(' ', start), text.size());
        if (end > start)
            out.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return out;
}

std::string words(const std::vector<std::string>& items, const std::string& prefix = {})
{
    std::string out;
    for (const auto& item : items)
        out += (out.empty() ? "" : " ") + ShellWord(prefix + item);
    return out;
}

class ShellLines {
public:
    void line(const std::string& text = {}) { out_ += text + "\n"; }
    void variable(const char* comment, const char* name, const std::string& wordText)
    {
        line(std::string("# ") + comment);
        line(std::string(name) + "=" + doubleQuoted(wordText));
        line();
    }
    void toolCall(const std::string& command, bool append, bool errorLog)
    {
        const auto redirect = errorLog ? (append ? " 2>> $ERRLOG" : " 2> $ERRLOG") : "";
        // The variables expand first; eval then reads the words they hold.
        line("eval \"" + command + redirect + "\"");
    }
    std::string text() && { return std::move(out_); }

private:
    std::string out_;
};

}  // namespace

std::string ShellWord(const std::string& text)
{
    if (!text.empty() && std::all_of(text.begin(), text.end(), plainCharacter))
        return text;
    return "'" + text::replaceAll(text, "'", "'\\''") + "'";
}

std::string PosixBuildScript(const ppceabi_compiler_param_storage_type& p, GnuTarget target,
                             const std::string& scriptPath, const std::string& projectDir)
{
    const bool ppc = target == GnuTarget::PowerPcEabi;
    const std::string name = ppc ? "powerpc-eabi" : "m68k-elf";
    const std::string debian = ppc ? "powerpc-linux-gnu" : "m68k-linux-gnu";
    ShellLines s;

    s.line("#!/bin/sh");
    s.line("# " + scriptPath);
    s.line("# This file is used to build a GNU " + name + " target application");
    s.line("# using the following components:");
    s.line("# POSIX sh, without set -e: the error log collects the messages of every tool");
    s.line();
    s.line("# GCC and Binutils: " + name + "-gcc and " + name + "-objcopy when the binary search path");
    s.line("# has them, else Debian's cross tools " + debian + "-gcc and " + debian + "-objcopy");
    if (ppc)
        s.line("# gcc since version 3 no longer takes -b powerpc-eabi: the commands leave it out");
    s.line("# Build script written by Quarry, the Talvik Systems development environment");
    s.line("# http://www.talvik-systems.example");
    s.line();
    s.line();
    if (!projectDir.empty()) {
        s.line("# relative names are taken in the project directory");
        s.line("cd " + doubleQuoted(projectDir) + " || exit 1");
        s.line();
    }

    s.variable("main input file", "INFILE", ShellWord(p.Input));
    s.variable("ELF output file", "ELFFILE", ShellWord(p.OutputFile));
    s.variable("user startup file", "CRT0", p.StartupFile.empty() ? "" : ShellWord(p.StartupFile));
    const auto inEcrt = [&](const char* file) { return ShellWord(p.EcrtDir + "/" + file); };
    if (ppc) {
        s.line("# set standard GNU startup and finalization files");
        s.line("ECRTI=" + doubleQuoted(inEcrt("ecrti.o")));
        s.line("ECRTN=" + doubleQuoted(inEcrt("ecrtn.o")));
        s.line();
    }
    s.variable("linker script", "LINKERSCRIPT", ShellWord(p.LinkerScript));
    s.variable("s-record output file", "S19", p.S19File.empty() ? "" : ShellWord(p.S19File));
    s.variable("error log file", "ERRLOG", p.ErrorFile.empty() ? "" : ShellWord(p.ErrorFile));
    s.variable("object output file", "OBJFILE", ShellWord(p.ObjectFile));
    s.variable("produce obj file only?", "OBJONLY", p.ObjectOnly ? "TRUE" : "FALSE");
    s.line("# binary search path; messages in plain ASCII, as the error reader takes them");
    std::string path;
    for (const auto& item : p.PathItems)
        path += item + ":";
    s.line("PATH=\"" + escapedForDoubleQuotes(path) + "$PATH\"");
    s.line("LC_ALL=C");
    s.line("export PATH LC_ALL");
    s.line();
    s.variable("include path", "INCPATH", words(p.IncludeDirs, "-I"));
    std::vector<std::string> libraryWords;
    for (const auto& dir : p.LibraryDirs)
        libraryWords.insert(libraryWords.end(), {"-Xlinker", "-L", "-Xlinker", dir});
    s.variable("library path", "LIBPATH", words(libraryWords));
    s.variable("general flags", "GENFLAGS", words(p.CompilerOptionWords));
    std::vector<std::string> symbolWords;
    for (const auto& item : LinkerSymbolItems(p))
        for (auto& word : splitAtBlanks(item))
            symbolWords.push_back(std::move(word));
    s.variable("symbols passed directly to linker", "USRSYMB", words(symbolWords));
    s.line("# commands to compile");
    s.line(ppc ? "COMPILE=\"$GENFLAGS -c $INCPATH\"" : "COMPILE=\"$GENFLAGS -c -m5200 $INCPATH\"");
    s.line();
    s.line("# commands to link");
    s.line(ppc ? "LINK=\"$GENFLAGS -T $LINKERSCRIPT $INCPATH $USRSYMB\""
               : "LINK=\"$GENFLAGS -m5200 -T $LINKERSCRIPT $INCPATH $USRSYMB\"");
    s.line();
    s.line("# the tools");
    s.line("if command -v " + name + "-gcc >/dev/null 2>&1; then");
    s.line("  GCC=" + name + "-gcc");
    s.line("  OBJCOPY=" + name + "-objcopy");
    s.line("else");
    s.line("  GCC=" + debian + "-gcc");
    s.line("  OBJCOPY=" + debian + "-objcopy");
    s.line("fi");
    s.line();

    const bool errorLog = !p.ErrorFile.empty();
    s.line("# compile");
    s.toolCall("$GCC $COMPILE -o $OBJFILE $INFILE", false, errorLog);
    if (p.ObjectOnly)
        return std::move(s).text();
    s.line();
    s.line("# link");
    s.toolCall(ppc ? "$GCC $LINK -nostartfiles $LIBPATH $ECRTI $CRT0 $OBJFILE $ECRTN -o $ELFFILE"
                   : "$GCC $LINK -nostartfiles $LIBPATH $CRT0 $OBJFILE -o $ELFFILE",
               true, errorLog);
    if (text::trim(p.S19File).empty())
        return std::move(s).text();
    s.line();
    s.line("# produce s19");
    s.toolCall("$OBJCOPY -O srec $ELFFILE $S19", true, errorLog);
    return std::move(s).text();
}

}  // namespace quarry
