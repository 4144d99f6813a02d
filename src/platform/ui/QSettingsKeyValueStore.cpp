#include "platform/ui/QSettingsKeyValueStore.h"

#include "platform/MemoryKeyValueStore.h"

#include <QByteArray>
#include <QSettings>

#include <algorithm>

namespace quarry {

namespace {
QString latin1(const std::string& s) { return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size())); }

// QSettings treats '/' and '\' in a key as group separators; names of values may hold neither.
QString escapedName(const std::string& name)
{
    QString out = latin1(name);
    out.replace(QLatin1Char('/'), QLatin1Char('|')).replace(QLatin1Char('\\'), QLatin1Char('|'));
    return out;
}

QString groupPath(const std::string& keyPath)
{
    return latin1(MemoryKeyValueStore::normalizeKey(keyPath)).replace(QLatin1Char('\\'), QLatin1Char('/'));
}
}  // namespace

QSettingsKeyValueStore::QSettingsKeyValueStore(const QString& organization, const QString& application)
    : settings_(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, organization, application))
{
}

QSettingsKeyValueStore::QSettingsKeyValueStore(const QString& iniFile)
    : settings_(std::make_unique<QSettings>(iniFile, QSettings::IniFormat))
{
}

QSettingsKeyValueStore::~QSettingsKeyValueStore() { settings_->sync(); }

QString QSettingsKeyValueStore::settingsKey(const std::string& keyPath, const std::string& name)
{
    // Upper-cased like the key path, since the registry ignores letter case in both.
    return groupPath(keyPath) + QLatin1Char('/') + escapedName(name).toUpper();
}

bool QSettingsKeyValueStore::keyExists(const std::string& keyPath) const
{
    const auto prefix = groupPath(keyPath) + QLatin1Char('/');
    const auto keys = settings_->allKeys();
    return std::any_of(keys.begin(), keys.end(), [&](const QString& key) { return key.startsWith(prefix); });
}

std::optional<std::string> QSettingsKeyValueStore::readString(const std::string& keyPath,
                                                              const std::string& name) const
{
    const auto value = settings_->value(settingsKey(keyPath, name));
    if (!value.isValid() || value.typeId() == QMetaType::QByteArray)
        return std::nullopt;
    const auto bytes = value.toString().toLatin1();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

std::optional<KeyValueStore::Bytes> QSettingsKeyValueStore::readBinary(const std::string& keyPath,
                                                                       const std::string& name) const
{
    const auto value = settings_->value(settingsKey(keyPath, name));
    if (!value.isValid() || value.typeId() != QMetaType::QByteArray)
        return std::nullopt;
    const auto bytes = value.toByteArray();
    return Bytes(bytes.begin(), bytes.end());
}

void QSettingsKeyValueStore::writeString(const std::string& keyPath, const std::string& name,
                                         const std::string& value)
{
    settings_->setValue(settingsKey(keyPath, name), latin1(value));
}

void QSettingsKeyValueStore::writeBinary(const std::string& keyPath, const std::string& name, const Bytes& value)
{
    settings_->setValue(settingsKey(keyPath, name),
                        QByteArray(reinterpret_cast<const char*>(value.data()), static_cast<qsizetype>(value.size())));
}

void QSettingsKeyValueStore::deleteValue(const std::string& keyPath, const std::string& name)
{
    settings_->remove(settingsKey(keyPath, name));
}

void QSettingsKeyValueStore::sync() { settings_->sync(); }

}  // namespace quarry
