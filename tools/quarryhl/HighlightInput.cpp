#include "HighlightInput.h"

#include "highlight/BuiltinLanguages.h"
#include "highlight/CustomParseHandlers.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "text/EncodingDetector.h"
#include "text/Utf8.h"

namespace fs = std::filesystem;

namespace quarry::hl {

HighlightOptions HighlightOptions::parse(const std::vector<std::string>& args)
{
    HighlightOptions o;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::optional<std::string>& slot) {
            if (i + 1 >= args.size())
                throw UsageError("option " + a + " needs a value");
            slot = args[++i];
        };
        if (a == "--lang")
            value(o.lang);
        else if (a == "--script")
            value(o.script);
        else if (a == "--compiled")
            value(o.compiled);
        else if (a == "-o" || a == "--output")
            value(o.output);
        else if (a == "--data")
            value(o.dataDir);
        else if (a == "--title")
            value(o.title);
        else if (a == "--date")
            value(o.date);
        else if (a == "--encoding") {
            std::optional<std::string> name;
            value(name);
            const auto choice = parseEncodingChoice(*name);
            if (!choice)
                throw UsageError("unknown encoding " + *name + " (utf-8, windows-1252 or auto)");
            o.encoding = *choice;
        }
        else if (a.size() > 1 && a[0] == '-')
            throw UsageError("unknown option " + a);
        else
            o.positional.push_back(a);
    }
    return o;
}

TextEncoding takeEncoding(const HighlightOptions& options, std::string& text)
{
    EncodingDetector detector;
    detector.Feed(text);
    const TextEncoding encoding = options.encoding == EncodingChoice::Utf8          ? TextEncoding::Utf8
                                  : options.encoding == EncodingChoice::Windows1252 ? TextEncoding::Windows1252
                                                                                    : detector.Result();
    if (encoding == TextEncoding::Utf8 && detector.HasBom())
        text.erase(0, Utf8::kBomLength);
    return encoding;
}

std::string dataDirectory(const HighlightOptions& options)
{
    if (options.dataDir)
        return *options.dataDir;
    if (const char* home = std::getenv("QUARRY_HOME"); home && *home && fs::is_directory(fs::path(home) / "highlight"))
        return home;
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return ec ? std::string(".") : exe.parent_path().string();
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot open " + path + ": " + std::strerror(errno));
    std::error_code ec;
    const auto size = fs::file_size(path, ec);
    std::string data;
    if (!ec && size > 0) {
        // One read into a buffer of the file's size: no growing copies of a large file.
        data.resize(size_t(size));
        in.read(data.data(), std::streamsize(size));
        data.resize(size_t(in.gcount()));
    }
    // Whatever the size said, read on to the end (pipes and growing files report no size).
    std::ostringstream rest;
    rest << in.rdbuf();
    data += rest.str();
    if (in.bad())
        throw std::runtime_error("cannot read " + path);
    return data;
}

std::unique_ptr<TCodeMemoParser> loadParser(const HighlightOptions& options, const std::string& inputFile)
{
    auto parser = std::make_unique<TCodeMemoParser>();
    if (options.compiled) {
        parser->loadParserProperty(readFile(*options.compiled));
    } else {
        std::string script;
        if (options.script) {
            script = *options.script;
        } else {
            const BuiltinLanguage* lang =
                options.lang ? findBuiltinLanguage(*options.lang) : &builtinLanguageForFile(inputFile);
            if (!lang)
                throw UsageError("unknown language '" + *options.lang + "' (see quarryhl langs)");
            script = (fs::path(dataDirectory(options)) / "highlight" / lang->script).string();
        }
        if (!fs::exists(script))
            throw std::runtime_error("cannot open " + script + ": no such file");
        try {
            parser->compileFile(script);
        } catch (const ECodeMemoParserError& e) {
            throw ECodeMemoParserError(script + ": " + e.what() + " (in " + parser->lastContext() + ")");
        }
    }
    parser->OnCustomParse = customParseHandlerFor(parser->languageName());
    return parser;
}

void writeOutput(const HighlightOptions& options, const std::string& bytes)
{
    if (!options.output) {
        if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size() || std::fflush(stdout) != 0)
            throw std::runtime_error("cannot write to standard output");
        return;
    }
    std::ofstream out(*options.output, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
    out.close();
    if (!out)
        throw std::runtime_error("cannot write " + *options.output);
}

OutputSink::OutputSink(const HighlightOptions& options)
{
    if (options.output) {
        name_ = *options.output;
        file_ = std::make_unique<std::ofstream>(name_, std::ios::binary | std::ios::trunc);
        if (!*file_)
            throw std::runtime_error("cannot write " + name_ + ": " + std::strerror(errno));
        stream_ = file_.get();
    } else {
        std::ios::sync_with_stdio(false);
        name_ = "standard output";
        stream_ = &std::cout;
    }
}

OutputSink::~OutputSink() = default;

void OutputSink::finish()
{
    stream_->flush();
    if (!*stream_)
        throw std::runtime_error("cannot write " + name_);
}

std::string currentDateText()
{
    std::time_t now = std::time(nullptr);
    char buf[64];
    std::strftime(buf, sizeof buf, "%x %X", std::localtime(&now));
    return buf;
}

}  // namespace quarry::hl
