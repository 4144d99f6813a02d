#pragma once
#include "platform/KeyValueStore.h"

#include <QString>
#include <memory>

class QSettings;

namespace quarry {

// KeyValueStore on QSettings in the native format: the registry under the current user on
// Windows, an INI file in the user's configuration directory elsewhere. Key paths become
// groups; value names keep their blanks. Strings hold bytes through Latin-1.
class QSettingsKeyValueStore final : public KeyValueStore {
public:
    // The user's store of this organisation and application.
    QSettingsKeyValueStore(const QString& organization, const QString& application);
    // A store in the given INI file (tests, portable installations).
    explicit QSettingsKeyValueStore(const QString& iniFile);
    ~QSettingsKeyValueStore() override;
    QSettingsKeyValueStore(const QSettingsKeyValueStore&) = delete;  // owns its QSettings
    QSettingsKeyValueStore& operator=(const QSettingsKeyValueStore&) = delete;

    bool keyExists(const std::string& keyPath) const override;
    std::optional<std::string> readString(const std::string& keyPath, const std::string& name) const override;
    std::optional<Bytes> readBinary(const std::string& keyPath, const std::string& name) const override;
    void writeString(const std::string& keyPath, const std::string& name, const std::string& value) override;
    void writeBinary(const std::string& keyPath, const std::string& name, const Bytes& value) override;
    void deleteValue(const std::string& keyPath, const std::string& name) override;
    // Stores pending changes at once (QSettings otherwise writes later).
    void sync();

private:
    // The stored key of a value: the key path's parts as groups, the value's name last.
    static QString settingsKey(const std::string& keyPath, const std::string& name);

    std::unique_ptr<QSettings> settings_;
};

}  // namespace quarry
