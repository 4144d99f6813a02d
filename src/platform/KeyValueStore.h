#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quarry {

// The per-user store that stands in for the registry: named string and binary values under a
// key path such as "Software\Talvik Systems\Quarry" ('\' or '/' between the parts). Key paths
// and value names compare without regard to letter case, as in the registry.
class KeyValueStore {
public:
    using Bytes = std::vector<std::uint8_t>;

    virtual ~KeyValueStore() = default;

    virtual bool keyExists(const std::string& keyPath) const = 0;
    virtual std::optional<std::string> readString(const std::string& keyPath,
                                                  const std::string& name) const = 0;
    virtual std::optional<Bytes> readBinary(const std::string& keyPath, const std::string& name) const = 0;
    // Writing creates the key when it does not exist.
    virtual void writeString(const std::string& keyPath, const std::string& name,
                             const std::string& value) = 0;
    virtual void writeBinary(const std::string& keyPath, const std::string& name, const Bytes& value) = 0;
    virtual void deleteValue(const std::string& keyPath, const std::string& name) = 0;
};

}  // namespace quarry
