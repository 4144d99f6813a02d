#pragma once
// One compiled highlighting script and the scanner that walks it. Compiling fills the tables
// and the language settings; the compiled form can be written and read back; at run time
// ResetState and NextToken split text into tokens.
//
// Scanning state (current state set, stack, container) lives here, not in the caller: a caller
// starts with ResetState, or restarts where it saved the state with SaveState.
#include "editorsettings/TCM_Settings.h"
#include "highlight/TCustomCodeMemoParser.h"
#include "highlight/ECodeMemoParserError.h"
#include "highlight/LanguageSettings.h"
#include "highlight/ParserTables.h"
#include "highlight/ScanCursor.h"

#include <functional>
#include <string>
#include <vector>

namespace quarry {

class TCodeMemoParser;
class UserInterface;

// Decides a "match" entry: may consume characters (extending length) and change the value.
using TCustomParseEvent =
    std::function<bool(TCodeMemoParser& sender, int parseId, ScanCursor& stream, int& length, int& value)>;
// A stored parser of another version was assigned at run time.
using TVersionErrorEvent =
    std::function<void(TCodeMemoParser& sender, std::uint16_t versionEncountered, std::uint16_t versionExpected)>;

// Replaces the options dialog for one parser; true when the user accepted.
using TOptionsDialogEvent = std::function<bool(TCodeMemoParser& sender, std::uint32_t pages)>;

class TCodeMemoParser final : public TCustomCodeMemoParser {
public:
    static constexpr unsigned kCompiledVersion = 51;
    // A push without a matching pop must not grow the stack without end on a long text.
    static constexpr size_t kMaxStackDepth = 256;

    TCodeMemoParser();

    // ---- the interface the editor control drives
    std::uint8_t NextToken(TCustomCodeMemo& memo, TEdStream& stream, std::int32_t& length) override;
    void ResetState(std::uint8_t state) override { resetState(state); }
    // The current state set, the container's flag and saved set, and the stack, 32 bytes a set.
    void SaveState(std::string& state) const override;
    void RestoreState(std::string_view state) override;
    TCM_Settings& Settings() override { return editorSettings_; }
    // The event when set, else the presenter the forms installed; false when neither shows one.
    bool ExecuteOptionsDialog(std::uint32_t pages) override;

    // Compiles a script text (line ends of any kind). On the first fault raises
    // ECodeMemoParserError "** ERROR near line %d, Column %d: %s"; the tables keep what was read.
    void compile(const std::string& scriptText, const std::string& includeDir = ".");
    void compileFile(const std::string& path);
    // The context of the section being read when the last compilation stopped.
    const std::string& lastContext() const { return lastContext_; }

    // The compiled form: the settings, the words table, handlers, token tables, contexts, state
    // records, per-state tables, the three sets and the custom flag.
    std::string compiledForm() const;
    void loadCompiledForm(const std::string& form);
    // The stored property: version 51 (16 bits), the form's size (32 bits), then the form
    // compressed with the KH method. Loading raises ECodeMemoParserError on another version (the
    // three-line message) and on damaged data.
    std::string parserProperty() const;
    void loadParserProperty(const std::string& property);
    // The same assignment outside component loading: another version is not raised but reported
    // to OnParserVersionError, or else shown in a warning box; the parser is then left as it was
    // and the answer is false.
    bool assignParserProperty(const std::string& property, UserInterface& ui);
    // The three-line message for a stored form of another version.
    std::string versionErrorMessage(unsigned versionRead) const;

    // After a change to settings(): the editor's settings object is rebuilt from it and every
    // control using the parser re-applies it.
    void applySettings();

    void resetState(int state);
    // Reads one token at the cursor, leaves the cursor after it and returns its value 0..255;
    // length is at least 1 unless the cursor stands at the end of the text.
    int nextToken(ScanCursor& cursor, int& length);
    // The same for the concrete cursors, whose calls the compiler can inline.
    int nextToken(BufferCursor& cursor, int& length);

    const StateSet& currentStates() const { return current_; }
    // How often the editor's scan met a pop on an empty stack (nextToken raises "Stack underflow";
    // the editor's NextToken recovers instead).
    long long stackUnderflows() const { return stackUnderflows_; }
    size_t stackDepth() const { return stack_.size(); }
    bool containerOpen() const { return containerOpen_; }

    LanguageSettings& settings() { return settings_; }
    const LanguageSettings& settings() const { return settings_; }
    const ParserTables& tables() const { return tables_; }
    const std::string& languageName() const { return settings_.name; }

    TCustomParseEvent OnCustomParse;
    TVersionErrorEvent OnParserVersionError;
    TOptionsDialogEvent OnOptionsDialog;

    // The component's name ("CppParser"); messages name the parser by it.
    std::string componentName;
    // Where the parser keeps its user settings of its own accord (see ParserRegistry).
    std::string registryKey;
    bool useRegistry = false;

private:
    // After a compile or load: the editor's view of the tables and settings.
    void publish();
    void selectTable();
    void transition(const StateRecord& record);
    void setCurrent(const StateSet& states);
    template <class C>
    int scanToken(C& cursor, int& length);
    template <class C>
    bool callMatch(const CharSpec& entry, C& cursor, ScanOffset tokenStart, int& value);
    template <class C>
    bool endMatches(const EndSpec& end, C& cursor, ScanOffset tokenStart, int& value);
    template <class C>
    bool extend(const CharSpec& body, const EndSpec& end, bool testFirst, C& cursor, ScanOffset tokenStart,
                int& value);
    template <class C>
    int failToken(C& cursor, ScanOffset start, int& length);

    ParserTables tables_;
    LanguageSettings settings_;
    std::string lastContext_;

    TCM_Settings editorSettings_;
    long long stackUnderflows_ = 0;
    StateSet current_ = StateSet::of({0});
    const TokenTable* table_ = nullptr;
    std::vector<StateSet> stack_;
    bool containerOpen_ = false;
    ScanOffset containerEnd_ = 0;
    StateSet saved_;
};

}  // namespace quarry
