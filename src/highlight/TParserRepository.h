#pragma once
// The six built-in parsers, in the repository's order, listed by language name. Editor controls
// hold references to these parsers, many controls to one; the repository owns them for the life
// of the program and saves and restores the user's settings of each language, either in the
// persistent editor store or in the registry.
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "highlight/BuiltinParserImages.h"

namespace quarry {

class KeyValueStore;
class PersistentEditorStore;
class TCodeMemoParser;

class TParserRepository final {
public:
    static constexpr const char* kRegistryKey = "Software\\Talvik Systems\\Quarry";

    // Loads a parser for every built-in language from its image and hooks up its custom parse
    // handler. Raises ECodeMemoParserError when an image is missing or does not load: the images
    // come from the build, so that is a broken build, not a user's problem.
    explicit TParserRepository(std::span<const BuiltinParserImage> images);
    ~TParserRepository();
    TParserRepository(const TParserRepository&) = delete;  // controls hold its parsers by identity
    TParserRepository& operator=(const TParserRepository&) = delete;

    int Count() const { return int(entries_.size()); }
    // By 0-based position; std::out_of_range outside 0..Count()-1.
    TCodeMemoParser& Parser(int index);
    const std::string& ComponentName(int index) const;
    const std::string& LanguageName(int index) const;
    std::vector<std::string> LanguageNames() const;
    // By language name, ignoring case: the position, or -1; the parser, or null.
    int IndexOf(std::string_view languageName) const;
    TCodeMemoParser* Find(std::string_view languageName);

    // Where SaveAllSettings and LoadAllSettings with both places keep the settings.
    bool useRegistry = false;

    void SaveAllSettings(PersistentEditorStore& store, KeyValueStore& registry);
    std::vector<std::string> LoadAllSettings(const PersistentEditorStore& store, const KeyValueStore& registry);

    // Each language's settings stream into its "[UISettings: ...]" section.
    void SaveAllSettings(PersistentEditorStore& store);
    // Each language's style string and key table under kRegistryKey.
    void SaveAllSettings(KeyValueStore& registry);
    // The reverse of the above. A language whose stored settings are damaged keeps the settings
    // it had; the names of such languages are returned, in the repository's order.
    std::vector<std::string> LoadAllSettings(const PersistentEditorStore& store);
    std::vector<std::string> LoadAllSettings(const KeyValueStore& registry);

private:
    struct Entry {
        std::string component;
        std::string language;
        std::unique_ptr<TCodeMemoParser> parser;
    };
    // False when the stored stream does not describe this language or cannot be applied.
    static bool LoadSettingsStream(TCodeMemoParser& parser, const std::string& stream);

    std::vector<Entry> entries_;
};

}  // namespace quarry
