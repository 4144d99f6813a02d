#pragma once
// A parser's user settings in the registry (through the KeyValueStore that stands in for it):
// per language a string value "Highlighting - <language>" holding the style string, and a
// binary value "Key Assignments - <language>" holding the marker "Corvid6:" after its length
// byte, then the key table in its stream form.
#include <string>

#include "platform/KeyValueStore.h"

namespace quarry {

class LanguageSettings;
class TCodeMemoParser;
class TKeyboardActionContoller;

class ParserRegistry final {
public:
    static constexpr const char* kHighlightingPrefix = "Highlighting - ";
    static constexpr const char* kKeyAssignmentsPrefix = "Key Assignments - ";
    static constexpr std::size_t kKeyMarkerSize = 9;

    ParserRegistry() = delete;  // operations on a parser, nothing to hold

    // Under the parser's own key: ECodeMemo "Registry interface disabled in: <component>" when
    // it has no key or UseRegistry is off.
    static void Save(TCodeMemoParser& parser, KeyValueStore& store);
    static void Load(TCodeMemoParser& parser, const KeyValueStore& store);
    // Under a key the caller gives (the repository's), whatever the parser's own setting.
    static void Save(TCodeMemoParser& parser, KeyValueStore& store, const std::string& key);
    // A key that does not exist loads nothing. A bad style string raises ECodeMemo "Invalid data
    // in style string" and changes nothing; a key value without the marker, or one whose table
    // cannot be read, is ignored. Every control that uses the parser then re-applies it.
    static void Load(TCodeMemoParser& parser, const KeyValueStore& store, const std::string& key);

    // The binary key-assignment value of a key table, and the table back from such a value
    // (false, with the table untouched, when the marker is missing or the data is damaged).
    static KeyValueStore::Bytes KeyAssignmentValue(const TKeyboardActionContoller& keys);
    static bool ReadKeyAssignmentValue(const KeyValueStore::Bytes& value, TKeyboardActionContoller& keys);
    // A key table in the language settings' own terms (bindings and action names), so the next
    // publish of the settings keeps it.
    static void TakeKeyTable(const TKeyboardActionContoller& keys, LanguageSettings& settings);
};

}  // namespace quarry
