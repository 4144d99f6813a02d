#include "highlight/ParserRegistry.h"

#include "text/ECodeMemo.h"
#include "editorsettings/TKeyboardActionContoller.h"
#include "text/TMemoryStream.h"
#include "highlight/LanguageSettings.h"
#include "highlight/StyleString.h"
#include "highlight/TCodeMemoParser.h"

namespace quarry {

namespace {

void requireOwnKey(const TCodeMemoParser& parser)
{
    if (parser.registryKey.empty() || !parser.useRegistry)
        throw ECodeMemo("Registry interface disabled in: " + parser.componentName);
}

}  // namespace

void ParserRegistry::TakeKeyTable(const TKeyboardActionContoller& keys, LanguageSettings& settings)
{
    settings.keysDefined = true;
    settings.actionNames = keys.ActionNames();
    settings.keyBindings.clear();
    keys.Keys().ForEachBinding([&](const TKeyStore::Node& node) {
        settings.keyBindings.push_back({node.parent ? node.parent->key : node.key,
                                        node.parent ? node.key : TShortCut(0), node.action});
    });
}

KeyValueStore::Bytes ParserRegistry::KeyAssignmentValue(const TKeyboardActionContoller& keys)
{
    TMemoryStream stream;
    stream.WriteUInt8(std::uint8_t(StyleString::kMarker.size()));
    stream.WriteExact(StyleString::kMarker.data(), std::int64_t(StyleString::kMarker.size()));
    keys.SaveToStream(stream);
    const std::string& bytes = stream.Bytes();
    return KeyValueStore::Bytes(bytes.begin(), bytes.end());
}

bool ParserRegistry::ReadKeyAssignmentValue(const KeyValueStore::Bytes& value, TKeyboardActionContoller& keys)
{
    const std::string_view marker = StyleString::kMarker;
    if (value.size() < kKeyMarkerSize || value[0] != marker.size() ||
        !std::equal(marker.begin(), marker.end(), value.begin() + 1))
        return false;
    TMemoryStream stream(std::string(value.begin() + kKeyMarkerSize, value.end()));
    TKeyboardActionContoller loaded;
    try {
        loaded.LoadFromStream(stream);
    } catch (const std::exception&) {
        return false;
    }
    keys = loaded;
    return true;
}

void ParserRegistry::Save(TCodeMemoParser& parser, KeyValueStore& store)
{
    requireOwnKey(parser);
    Save(parser, store, parser.registryKey);
}

void ParserRegistry::Load(TCodeMemoParser& parser, const KeyValueStore& store)
{
    requireOwnKey(parser);
    Load(parser, store, parser.registryKey);
}

void ParserRegistry::Save(TCodeMemoParser& parser, KeyValueStore& store, const std::string& key)
{
    const std::string& language = parser.languageName();
    store.writeString(key, kHighlightingPrefix + language, StyleString::Write(parser.settings()));
    store.writeBinary(key, kKeyAssignmentsPrefix + language, KeyAssignmentValue(parser.Settings().keys));
}

void ParserRegistry::Load(TCodeMemoParser& parser, const KeyValueStore& store, const std::string& key)
{
    if (!store.keyExists(key))
        return;
    const std::string language = parser.languageName();
    LanguageSettings settings = parser.settings();
    if (auto style = store.readString(key, kHighlightingPrefix + language))
        StyleString::Read(*style, settings);
    if (auto value = store.readBinary(key, kKeyAssignmentsPrefix + language)) {
        TKeyboardActionContoller keys;
        if (ReadKeyAssignmentValue(*value, keys))
            TakeKeyTable(keys, settings);
    }
    parser.settings() = settings;
    parser.applySettings();
}

}  // namespace quarry
