#pragma once
// Inputs shared by the compressor tests: deterministic, so a failure reproduces exactly.
#include "compress/ECompressorException.h"

#include <cstdint>
#include <cstdio>
#include <functional>
#include <initializer_list>
#include <sstream>
#include <random>
#include <string>

namespace quarry::test {

inline std::string randomBytes(std::size_t n, std::uint32_t seed)
{
    std::mt19937 random(seed);
    std::string bytes(n, '\0');
    for (auto& c : bytes)
        c = static_cast<char>(random() & 0xFF);
    return bytes;
}

// C-like source text: repeated identifiers and line shapes at varying distances, as in headers.
inline std::string cText(std::size_t n, std::uint32_t seed = 7)
{
    static const char* const words[] = {"int", "char", "const", "struct", "return", "if", "else", "while",
                                        "unsigned", "size_t", "buffer", "length", "value", "node", "next",
                                        "#define", "#include", "static", "void", "count", "table", "index"};
    std::mt19937 random(seed);
    std::string text;
    text.reserve(n + 64);
    while (text.size() < n) {
        const auto indent = random() % 3;
        text.append(indent * 4, ' ');
        const auto wordsInLine = 2 + random() % 6;
        for (unsigned i = 0; i < wordsInLine; ++i) {
            text += words[random() % (sizeof words / sizeof *words)];
            if (random() % 4 == 0)
                text += std::to_string(random() % 1000);
            text += i + 1 < wordsInLine ? (random() % 5 == 0 ? ", " : " ") : ";";
        }
        text += random() % 7 == 0 ? "\r\n" : "\n";
    }
    text.resize(n);
    return text;
}

inline std::string bytes(std::initializer_list<int> values)
{
    std::string out;
    for (int v : values)
        out += static_cast<char>(v);
    return out;
}

inline std::string header(const char* magic, std::uint32_t size)
{
    return std::string(magic, 4) + bytes({int(size & 0xFF), int((size >> 8) & 0xFF), int((size >> 16) & 0xFF),
                                          int(size >> 24)});
}

// A KH stream of one block with the given body.
inline std::string khStream(std::uint32_t size, const std::string& body)
{
    return header("WRZL", size) + bytes({int(body.size() & 0xFF), int(body.size() >> 8)}) + body;
}

inline std::string printable(const std::string& raw)
{
    std::ostringstream out;
    for (unsigned char c : raw) {
        char hex[4];
        std::snprintf(hex, sizeof hex, "%02x ", c);
        out << hex;
    }
    return out.str();
}

inline std::string messageOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const quarry::ECompressorException& e) {
        return e.what();
    }
    return "(no exception)";
}

}  // namespace quarry::test
