#include "tools/CompilerParamStorage.h"

#include "platform/CommandLine.h"
#include "platform/Text.h"
#include "tools/ResolveProjectRelative.h"

#include <array>

namespace quarry {

namespace {

// By the index of the optimisation choice; level 3 is written with a zero before the 3, which
// gcc reads as the same level.
constexpr std::array<const char*, 5> kOptimizeSwitches = {"-O0", "-Os", "-O1", "-O2", "-O03"};

std::string joined(const std::vector<std::string>& items, const std::string& prefix, const char* separator)
{
    std::string out;
    for (const auto& item : items) {
        if (!out.empty())
            out += separator;
        out += prefix + item;
    }
    return out;
}

// The switches the check boxes add to the option text, in their order.
std::vector<std::string> switchWords(const GnuTargetOptions& o, const std::string& listing)
{
    std::vector<std::string> words;
    if (o.verbose)
        words.emplace_back("-v");
    if (o.noWarn)
        words.emplace_back("-w");
    if (o.warnAll)
        words.emplace_back("-Wall");
    if (o.debug)
        words.emplace_back("-gdwarf-2");
    if (o.optimize >= 0 && o.optimize < static_cast<int>(kOptimizeSwitches.size()))
        words.emplace_back(kOptimizeSwitches[static_cast<std::size_t>(o.optimize)]);
    if (o.genList)
        words.push_back("-Wa,-al=" + listing);
    return words;
}

}  // namespace

std::vector<std::string> SplitListSetting(const std::string& list)
{
    std::vector<std::string> items;
    std::size_t start = 0;
    for (;;) {
        const auto end = list.find(';', start);
        auto item = text::trim(list.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (item.empty())
            return items;
        items.push_back(std::move(item));
        if (end == std::string::npos)
            return items;
        start = end + 1;
    }
}

ppceabi_compiler_param_storage_type MakeCompilerParams(const GnuTargetOptions& o, GnuTarget target,
                                                       const std::string& input, const std::string& projectPath,
                                                       PathStyle style)
{
    // A blank name stays blank: no start-up file is no start-up file, not the project directory.
    const auto resolve = [&](const std::string& name) {
        return text::trim(name).empty() ? std::string() : ResolveProjectRelative(name, projectPath, style);
    };
    const auto resolveAll = [&](const std::string& list) {
        auto items = SplitListSetting(list);
        for (auto& item : items)
            item = resolve(item);
        return items;
    };

    ppceabi_compiler_param_storage_type p;
    p.Input = input;
    p.OutputFile = resolve(o.outFile);
    p.StartupFile = resolve(o.startup);
    p.LinkerScript = resolve(o.linker);
    p.S19File = o.genS19 ? o.genS19Name : std::string();
    p.ErrorFile = o.getError ? o.errorFileName : std::string();
    p.ObjectFile = resolve(o.genObjName);
    p.ObjectOnly = o.genObj;
    p.PathItems = resolveAll(o.path);
    p.Path = joined(p.PathItems, "", ";");
    p.IncludeDirs = resolveAll(o.include);
    p.IncludeOptions = joined(p.IncludeDirs, "-I", " ");
    p.LibraryDirs = resolveAll(o.lib);
    p.LibraryOptions = joined(p.LibraryDirs, "-Xlinker -L -Xlinker ", " ");

    const auto optionText = text::trim(o.compilerOptions);
    const auto switches = switchWords(o, resolve(o.genListName));
    p.CompilerOptions = text::trim(optionText + (switches.empty() ? "" : " " + joined(switches, "", " ")));
    p.CompilerOptionWords = splitCommandLine(optionText);
    p.CompilerOptionWords.insert(p.CompilerOptionWords.end(), switches.begin(), switches.end());
    if (target == GnuTarget::PowerPcEabi) {
        p.EcrtDir = resolve(o.ecrt);
        const auto searchPrefix = "-B" + p.EcrtDir + style.separator();
        p.CompilerOptions += " " + searchPrefix;
        p.CompilerOptionWords.push_back(searchPrefix);
    }

    p.Heap = text::trim(o.heap);
    p.Stack = text::trim(o.stack);
    p.Origin = text::trim(o.origin);
    p.MoveData = o.moveData;
    p.DataRam = o.moveData ? text::trim(o.dataRam) : std::string();
    p.DataFlash = text::trim(o.dataFlash);
    p.MoveText = o.moveText;
    p.TextRam = o.moveText ? text::trim(o.textRam) : std::string();
    p.TextFlash = text::trim(o.textFlash);
    return p;
}

std::vector<std::string> LinkerSymbolItems(const m68kelf_compiler_param_storage_type& p)
{
    const std::string defsym = "-Xlinker --defsym -Xlinker ";
    std::vector<std::string> items;
    const auto add = [&](const std::string& symbol, const std::string& value) {
        if (!value.empty())
            items.push_back(defsym + symbol + "=" + value);
    };
    add("__heap_start", p.Heap);
    add("__stack", p.Stack);
    add("__origin", p.Origin);
    if (p.MoveData)
        items.push_back(defsym + "__move_data_bool=1 ");
    add("__data_start_run", p.DataRam);
    add("__data_start_load", p.DataFlash);
    if (p.MoveText)
        items.push_back(defsym + "__move_text_bool=1 ");
    add("__text_start_run", p.TextRam);
    add("__text_start_load", p.TextFlash);
    return items;
}

std::string LinkerSymbolText(const m68kelf_compiler_param_storage_type& p)
{
    std::string out;
    for (const auto& item : LinkerSymbolItems(p))
        out += item + " ";
    return out;
}

}  // namespace quarry
