#include "tools/BatchBuildScript.h"

#include "platform/Text.h"

namespace quarry {

namespace {

class BatchLines {
public:
    BatchLines(bool capture, std::string paramFile) : capture_(capture), paramFile_(std::move(paramFile)) {}

    void line(const std::string& text = {}) { out_ += text + "\r\n"; }
    // A comment, a "set" line and an empty line.
    void variable(const char* comment, const char* name, const std::string& value)
    {
        line(std::string("REM ") + comment);
        line(std::string("set ") + name + "=" + value);
        line();
    }
    // The capture utility reads "$$EQ$$" back as "=": a batch file cannot echo "=" into its
    // parameter file otherwise.
    std::string escaped(const std::string& value) const
    {
        return capture_ ? text::replaceAll(value, "=", "$$EQ$$") : value;
    }
    // One tool run; `append` adds its messages to the error log instead of starting it anew.
    void toolCall(const std::string& command, bool append, bool errorLog)
    {
        if (capture_) {
            line("echo " + command + " > " + paramFile_);
            line("echo %ERRLOG% >> " + paramFile_);
            line(std::string("echo ") + (append ? "APPEND" : "OVERWRITE") + " >> " + paramFile_);
            line("echo WIN98CHAR >> " + paramFile_);
            line("START /WAIT Siphon \"" + paramFile_ + "\"");
        } else if (errorLog) {
            line(command + (append ? " 2>> %ERRLOG%" : " 2> %ERRLOG%"));
        } else {
            line(command);
        }
    }
    std::string text() && { return std::move(out_); }

private:
    bool capture_;
    std::string paramFile_;
    std::string out_;
};

const char* familyComment(PlatformFamily family)
{
    switch (family) {
    case PlatformFamily::Windows9x:
        return "REM Windows 95/98/ME";
    case PlatformFamily::WindowsNt:
        return "REM Windows NT/2000/XP";
    case PlatformFamily::Unknown:
        break;
    }
    return "REM Unknown Windows Version";
}

}  // namespace

std::string BatchBuildScript(const ppceabi_compiler_param_storage_type& p, GnuTarget target, PlatformFamily family,
                             const std::string& scriptPath, const std::string& paramFile)
{
    const bool ppc = target == GnuTarget::PowerPcEabi;
    const bool capture = UsesCaptureUtility(family);
    const std::string gcc = ppc ? "powerpc-eabi-gcc" : "m68k-elf-gcc";
    const std::string objcopy = ppc ? "powerpc-eabi-objcopy" : "m68k-elf-objcopy";
    BatchLines b(capture, paramFile);

    b.line("@echo off");
    b.line("REM " + scriptPath);
    b.line(std::string("REM This file is used to build a GNU ") + (ppc ? "powerpc-eabi" : "m68k-elf") +
           " target application");
    b.line("REM using the following components:");
    b.line(familyComment(family));
    b.line();
    b.line(ppc ? "REM GCC version 2.95.3"
               : "REM GCC version 2.95.3 20010315 (release)(ColdFire patches - 20010318 from "
                 "http://www.talvik-systems.example/coldfire)");
    b.line("REM Binutils version 2.10");
    b.line("REM Newlib version 1.90");
    b.line("REM Build script written by Quarry, the Talvik Systems development environment");
    b.line("REM http://www.talvik-systems.example");
    b.line();
    b.line();

    b.variable("main input file", "INFILE", p.Input);
    b.variable("ELF output file", "ELFFILE", p.OutputFile);
    b.variable("user startup file", "CRT0", p.StartupFile);
    if (ppc) {
        b.line("REM set standard GNU startup and finalization files");
        b.line("set ECRTI=" + p.EcrtDir + "\\ecrti.o");
        b.line("set ECRTN=" + p.EcrtDir + "\\ecrtn.o");
        b.line();
    }
    b.variable("linker script", "LINKERSCRIPT", p.LinkerScript);
    b.variable("s-record output file", "S19", p.S19File);
    b.variable("error log file", "ERRLOG", p.ErrorFile);
    b.variable("object output file", "OBJFILE", p.ObjectFile);
    b.variable("produce obj file only?", "OBJONLY", p.ObjectOnly ? "TRUE" : "FALSE");
    b.line("REM binary search path");
    b.line("PATH " + p.Path + ";%PATH%");
    b.line();
    b.variable("include path", "INCPATH", p.IncludeOptions);
    b.variable("library path", "LIBPATH", p.LibraryOptions);
    b.variable("general flags", "GENFLAGS", b.escaped(p.CompilerOptions));
    b.variable("symbols passed directly to linker", "USRSYMB", b.escaped(LinkerSymbolText(p)));
    b.variable("commands to compile", "COMPILE",
               ppc ? "%GENFLAGS% -c -b powerpc-eabi %INCPATH%" : "%GENFLAGS% -c -m5200 %INCPATH%");
    b.variable("commands to link", "LINK",
               ppc ? "%GENFLAGS% -b powerpc-eabi -T %LINKERSCRIPT% %INCPATH% %USRSYMB%"
                   : "%GENFLAGS% -m5200 -T %LINKERSCRIPT% %INCPATH% %USRSYMB%");
    if (capture) {
        b.line();
        b.line("REM For Windows 95/98/ME, the batch file uses the Talvik utility, Siphon");
        b.line("REM The utility will execute a console application");
        b.line("REM and capture its standard error output to a log file.");
        b.line("REM The utility will also replace the input token  $$EQ$$  with the token  = ");
        b.line("REM Siphon accepts the path of a temp file as a parameter.");
        b.line("REM The temp file contains command parameters for Siphon.");
        b.line("REM This batch file creates this temp file.");
        b.line("REM See the document Siphon_ReadMe for more information.");
        b.line();
    }
    const bool errorLog = !p.ErrorFile.empty();
    b.line("REM compile");
    b.toolCall(gcc + " %COMPILE% -o %OBJFILE% %INFILE%", false, errorLog);
    if (p.ObjectOnly)
        return std::move(b).text();
    b.line();
    b.line("REM link");
    b.toolCall(gcc + (ppc ? " %LINK% -nostartfiles %LIBPATH% %ECRTI% %CRT0% %OBJFILE% %ECRTN% -o %ELFFILE%"
                          : " %LINK% -nostartfiles %LIBPATH% %CRT0% %OBJFILE% -o %ELFFILE%"),
               true, errorLog);
    if (text::trim(p.S19File).empty())
        return std::move(b).text();
    b.line();
    b.line("REM produce s19");
    b.toolCall(objcopy + " -O srec %ELFFILE% %S19%", true, errorLog);
    if (capture) {
        b.line();
        b.line("del " + paramFile);
    }
    return std::move(b).text();
}

}  // namespace quarry
