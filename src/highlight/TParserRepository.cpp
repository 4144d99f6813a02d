#include "highlight/TParserRepository.h"

#include <stdexcept>

#include "editorsettings/TCM_Settings.h"
#include "highlight/BuiltinLanguages.h"
#include "highlight/ByteStream.h"
#include "highlight/CustomParseHandlers.h"
#include "highlight/ParserRegistry.h"
#include "platform/PersistentEditorStore.h"
#include "highlight/TCodeMemoParser.h"
#include "platform/Text.h"

namespace quarry {

namespace {

std::string_view imageOf(std::span<const BuiltinParserImage> images, const BuiltinLanguage& language)
{
    for (const BuiltinParserImage& image : images)
        if (std::string_view(image.script) == language.script)
            return image.property;
    throw ECodeMemoParserError(std::string(language.component) + ": no compiled parser was built from " +
                               language.script);
}

}  // namespace

TParserRepository::TParserRepository(std::span<const BuiltinParserImage> images)
{
    for (const BuiltinLanguage& language : builtinLanguages()) {
        auto parser = std::make_unique<TCodeMemoParser>();
        parser->componentName = language.component;
        parser->loadParserProperty(std::string(imageOf(images, language)));
        parser->OnCustomParse = customParseHandlerFor(parser->languageName());
        std::string name = parser->languageName();
        entries_.push_back({language.component, std::move(name), std::move(parser)});
    }
}

TParserRepository::~TParserRepository() = default;

TCodeMemoParser& TParserRepository::Parser(int index)
{
    if (index < 0 || index >= Count())
        throw std::out_of_range("Parser index out of range (" + std::to_string(index) + ")");
    return *entries_[size_t(index)].parser;
}

const std::string& TParserRepository::ComponentName(int index) const
{
    if (index < 0 || index >= Count())
        throw std::out_of_range("Parser index out of range (" + std::to_string(index) + ")");
    return entries_[size_t(index)].component;
}

const std::string& TParserRepository::LanguageName(int index) const
{
    if (index < 0 || index >= Count())
        throw std::out_of_range("Parser index out of range (" + std::to_string(index) + ")");
    return entries_[size_t(index)].language;
}

std::vector<std::string> TParserRepository::LanguageNames() const
{
    std::vector<std::string> names;
    for (const Entry& e : entries_)
        names.push_back(e.language);
    return names;
}

int TParserRepository::IndexOf(std::string_view languageName) const
{
    for (size_t i = 0; i < entries_.size(); ++i)
        if (text::equalsIgnoreCase(entries_[i].language, languageName))
            return int(i);
    return -1;
}

TCodeMemoParser* TParserRepository::Find(std::string_view languageName)
{
    const int index = IndexOf(languageName);
    return index < 0 ? nullptr : entries_[size_t(index)].parser.get();
}

void TParserRepository::SaveAllSettings(PersistentEditorStore& store, KeyValueStore& registry)
{
    if (useRegistry)
        SaveAllSettings(registry);
    else
        SaveAllSettings(store);
}

std::vector<std::string> TParserRepository::LoadAllSettings(const PersistentEditorStore& store,
                                                            const KeyValueStore& registry)
{
    return useRegistry ? LoadAllSettings(registry) : LoadAllSettings(store);
}

void TParserRepository::SaveAllSettings(PersistentEditorStore& store)
{
    for (const Entry& e : entries_) {
        ByteWriter out;
        e.parser->settings().write(out);
        store.SetSettingsStream(e.language, out.data());
    }
}

void TParserRepository::SaveAllSettings(KeyValueStore& registry)
{
    for (const Entry& e : entries_)
        ParserRegistry::Save(*e.parser, registry, kRegistryKey);
}

bool TParserRepository::LoadSettingsStream(TCodeMemoParser& parser, const std::string& stream)
{
    // Read over the parser's own settings: a number out of range keeps the value it holds.
    LanguageSettings settings = parser.settings();
    try {
        ByteReader in(stream);
        settings.read(in);
        if (!in.atEnd() || settings.name != parser.languageName())
            return false;
        // Applying must not fail half-way on the parser itself: try it on a scratch object.
        TCM_Settings scratch;
        settings.applyTo(scratch);
    } catch (const std::exception&) {
        return false;
    }
    parser.settings() = settings;
    parser.applySettings();
    return true;
}

std::vector<std::string> TParserRepository::LoadAllSettings(const PersistentEditorStore& store)
{
    std::vector<std::string> damaged;
    for (Entry& e : entries_) {
        std::optional<std::string> stream;
        try {
            stream = store.SettingsStream(e.language);
        } catch (const EditorStoreError&) {
            damaged.push_back(e.language);
            continue;
        }
        if (stream && !LoadSettingsStream(*e.parser, *stream))
            damaged.push_back(e.language);
    }
    return damaged;
}

std::vector<std::string> TParserRepository::LoadAllSettings(const KeyValueStore& registry)
{
    std::vector<std::string> damaged;
    for (Entry& e : entries_) {
        try {
            ParserRegistry::Load(*e.parser, registry, kRegistryKey);
        } catch (const std::runtime_error&) {
            damaged.push_back(e.language);
        }
    }
    return damaged;
}

}  // namespace quarry
