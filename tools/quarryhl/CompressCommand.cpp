// quarryhl compress|decompress: the compressor on files, for scripts and benchmarks.
#include "Command.h"

#include "compress/ECompressorException.h"
#include "compress/TCompressor.h"

#include <cstdio>
#include <fstream>
#include <optional>

namespace quarry::hl {

namespace {

struct FileArgs {
    std::optional<CompressionMethod> method;  // none: not given
    std::string input;
    std::string output;
};

std::optional<CompressionMethod> methodNamed(const std::string& name)
{
    if (name == "kh")
        return CompressionMethod::KH;
    if (name == "lzh")
        return CompressionMethod::LZH;
    if (name == "auto")
        return CompressionMethod::Auto;
    return std::nullopt;
}

// Accepts "[--method kh|lzh|auto] IN OUT" (also "--method=NAME"); nothing on a usage error.
std::optional<FileArgs> parse(const std::vector<std::string>& args, const char* command)
{
    FileArgs parsed;
    std::vector<std::string> files;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string name;
        if (args[i] == "--method" && i + 1 < args.size())
            name = args[++i];
        else if (args[i].rfind("--method=", 0) == 0)
            name = args[i].substr(9);
        else if (args[i].rfind("--", 0) == 0 && args[i].size() > 2) {
            std::fprintf(stderr, "quarryhl %s: unknown option '%s'\n", command, args[i].c_str());
            return std::nullopt;
        } else {
            files.push_back(args[i]);
            continue;
        }
        parsed.method = methodNamed(name);
        if (!parsed.method) {
            std::fprintf(stderr, "quarryhl %s: unknown method '%s' (kh, lzh or auto)\n", command, name.c_str());
            return std::nullopt;
        }
    }
    if (files.size() != 2) {
        std::fprintf(stderr, "usage: quarryhl %s [--method kh|lzh|auto] IN OUT\n", command);
        return std::nullopt;
    }
    parsed.input = files[0];
    parsed.output = files[1];
    return parsed;
}

const char* nameOf(CompressionMethod method)
{
    switch (method) {
    case CompressionMethod::LZH: return "lzh";
    case CompressionMethod::KH: return "kh";
    case CompressionMethod::Auto: break;
    }
    return "auto";
}

// The method a compressed file names in its magic, if any.
std::optional<CompressionMethod> storedMethod(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    char magic[4] = {};
    if (!in.read(magic, 4))
        return std::nullopt;
    const std::string text(magic, 4);
    if (text == "WRZL")
        return CompressionMethod::KH;
    if (text == "!HZL")
        return CompressionMethod::LZH;
    return std::nullopt;
}

int compressFile(const std::vector<std::string>& args)
{
    const auto parsed = parse(args, "compress");
    if (!parsed)
        return 2;
    TCompressor compressor;
    compressor.setInputFileName(parsed->input);
    compressor.setOutputFileName(parsed->output);
    compressor.setMethod(parsed->method.value_or(CompressionMethod::KH));
    const auto written = compressor.Compress();
    const auto used = storedMethod(parsed->output).value_or(CompressionMethod::Auto);
    std::printf("%s: %llu bytes written (%s)\n", parsed->output.c_str(), static_cast<unsigned long long>(written),
                nameOf(used));
    return 0;
}

int decompressFile(const std::vector<std::string>& args)
{
    const auto parsed = parse(args, "decompress");
    if (!parsed)
        return 2;
    // A named method is a check that the file holds that method; auto takes either.
    if (parsed->method && *parsed->method != CompressionMethod::Auto) {
        const auto stored = storedMethod(parsed->input);
        if (stored && *stored != *parsed->method) {
            std::fprintf(stderr, "quarryhl decompress: %s holds the %s method, not %s\n", parsed->input.c_str(),
                         nameOf(*stored), nameOf(*parsed->method));
            return 1;
        }
    }
    TCompressor compressor;
    compressor.setInputFileName(parsed->input);
    compressor.setOutputFileName(parsed->output);
    const auto produced = compressor.Decompress();
    std::printf("%s: %llu bytes written\n", parsed->output.c_str(), static_cast<unsigned long long>(produced));
    return 0;
}

const RegisterCommand compressCommand("compress", "compress [--method kh|lzh|auto] IN OUT", compressFile);
const RegisterCommand decompressCommand("decompress", "decompress [--method kh|lzh|auto] IN OUT", decompressFile);

}  // namespace

}  // namespace quarry::hl
