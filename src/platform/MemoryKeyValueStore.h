#pragma once
#include "platform/KeyValueStore.h"

#include <map>
#include <variant>

namespace quarry {

// A KeyValueStore held in memory: the tests' registry, and a fallback where no persistent
// store is wanted.
class MemoryKeyValueStore final : public KeyValueStore {
public:
    bool keyExists(const std::string& keyPath) const override;
    std::optional<std::string> readString(const std::string& keyPath, const std::string& name) const override;
    std::optional<Bytes> readBinary(const std::string& keyPath, const std::string& name) const override;
    void writeString(const std::string& keyPath, const std::string& name, const std::string& value) override;
    void writeBinary(const std::string& keyPath, const std::string& name, const Bytes& value) override;
    void deleteValue(const std::string& keyPath, const std::string& name) override;

    // Normalised form of a key path: upper case, '\' between parts, no separators at the ends.
    static std::string normalizeKey(const std::string& keyPath);

private:
    using Value = std::variant<std::string, Bytes>;
    // normalised key path -> upper-cased value name -> value
    std::map<std::string, std::map<std::string, Value>> keys_;
};

}  // namespace quarry
