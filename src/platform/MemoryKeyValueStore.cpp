#include "platform/MemoryKeyValueStore.h"

#include "platform/Text.h"

namespace quarry {

std::string MemoryKeyValueStore::normalizeKey(const std::string& keyPath)
{
    std::string out;
    for (char c : keyPath) {
        if (c == '/' || c == '\\') {
            if (!out.empty() && out.back() != '\\')
                out += '\\';
        } else {
            out += text::ansiUpper(c);
        }
    }
    if (!out.empty() && out.back() == '\\')
        out.pop_back();
    return out;
}

bool MemoryKeyValueStore::keyExists(const std::string& keyPath) const
{
    return keys_.count(normalizeKey(keyPath)) != 0;
}

std::optional<std::string> MemoryKeyValueStore::readString(const std::string& keyPath,
                                                           const std::string& name) const
{
    const auto key = keys_.find(normalizeKey(keyPath));
    if (key == keys_.end())
        return std::nullopt;
    const auto value = key->second.find(text::ansiUpperCase(name));
    if (value == key->second.end() || !std::holds_alternative<std::string>(value->second))
        return std::nullopt;
    return std::get<std::string>(value->second);
}

std::optional<KeyValueStore::Bytes> MemoryKeyValueStore::readBinary(const std::string& keyPath,
                                                                    const std::string& name) const
{
    const auto key = keys_.find(normalizeKey(keyPath));
    if (key == keys_.end())
        return std::nullopt;
    const auto value = key->second.find(text::ansiUpperCase(name));
    if (value == key->second.end() || !std::holds_alternative<Bytes>(value->second))
        return std::nullopt;
    return std::get<Bytes>(value->second);
}

void MemoryKeyValueStore::writeString(const std::string& keyPath, const std::string& name,
                                      const std::string& value)
{
    keys_[normalizeKey(keyPath)][text::ansiUpperCase(name)] = value;
}

void MemoryKeyValueStore::writeBinary(const std::string& keyPath, const std::string& name, const Bytes& value)
{
    keys_[normalizeKey(keyPath)][text::ansiUpperCase(name)] = value;
}

void MemoryKeyValueStore::deleteValue(const std::string& keyPath, const std::string& name)
{
    const auto key = keys_.find(normalizeKey(keyPath));
    if (key != keys_.end())
        key->second.erase(text::ansiUpperCase(name));
}

}  // namespace quarry
