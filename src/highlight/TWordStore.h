#pragma once
// A name table of the script tokenizer: macro names to their texts, reserved words to token codes.
#include <map>
#include <optional>
#include <string>

namespace quarry {

class TWordStore final {
public:
    explicit TWordStore(bool caseSensitive) : caseSensitive_(caseSensitive) {}

    void set(const std::string& name, std::string text, int code = 0) { words_[key(name)] = {std::move(text), code}; }
    bool has(const std::string& name) const { return words_.count(key(name)) != 0; }
    const std::string* text(const std::string& name) const
    {
        auto it = words_.find(key(name));
        return it == words_.end() ? nullptr : &it->second.text;
    }
    std::optional<int> code(const std::string& name) const
    {
        auto it = words_.find(key(name));
        if (it == words_.end())
            return std::nullopt;
        return it->second.code;
    }
    void clear() { words_.clear(); }

private:
    struct Entry {
        std::string text;
        int code;
    };
    std::string key(const std::string& name) const;
    bool caseSensitive_;
    std::map<std::string, Entry> words_;
};

}  // namespace quarry
