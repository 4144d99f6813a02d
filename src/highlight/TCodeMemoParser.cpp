#include "highlight/TCodeMemoParser.h"

#include "highlight/EdStreamCursor.h"
#include "highlight/Recognisers.h"
#include "highlight/ScriptParser.h"
#include "highlight/TCM_Compiler.h"
#include "highlight/TExpansionInstaller.h"
#include "highlight/TOptionsDialogPresenter.h"
#include "compress/TCompressor.h"
#include "platform/UserInterface.h"

#include <algorithm>
#include <filesystem>

namespace quarry {

TCodeMemoParser::TCodeMemoParser()
{
    tables_.reset();
    publish();
}

void TCodeMemoParser::publish()
{
    const auto templates = editorSettings_.templateHook;
    const auto autoReplace = editorSettings_.autoReplaceHook;
    settings_.applyTo(editorSettings_);
    // The same template and auto-replace objects go on serving, so their flags and events stay.
    if (TExpansionInstaller* installer = TExpansionInstaller::Current())
        installer->Install(settings_, editorSettings_, templates, autoReplace);
    resetState(0);
}

void TCodeMemoParser::SaveState(std::string& state) const
{
    const auto append = [&](const StateSet& set) { state.append(reinterpret_cast<const char*>(set.bits.data()), 32); };
    state.clear();
    append(current_);
    state += char(containerOpen_ ? 1 : 0);
    // The saved set matters only while a container is open; its end is always the reader's
    // position between two tokens, so the position need not be kept.
    if (containerOpen_)
        append(saved_);
    for (const StateSet& set : stack_)
        append(set);
}

void TCodeMemoParser::RestoreState(std::string_view state)
{
    const auto take = [&](StateSet& set) {
        std::copy_n(state.data(), 32, reinterpret_cast<char*>(set.bits.data()));
        state.remove_prefix(32);
    };
    StateSet current;
    take(current);
    containerOpen_ = state.front() != 0;
    state.remove_prefix(1);
    containerEnd_ = 0;
    if (containerOpen_)
        take(saved_);
    stack_.clear();
    while (state.size() >= 32) {
        stack_.emplace_back();
        take(stack_.back());
    }
    setCurrent(current);
}

std::uint8_t TCodeMemoParser::NextToken(TCustomCodeMemo&, TEdStream& stream, std::int32_t& length)
{
    EdStreamCursor cursor(stream);
    int n = 0;
    const Offset start = stream.Position();
    try {
        const int value = scanToken(cursor, n);
        length = n;
        return std::uint8_t(value);
    } catch (const ECodeMemoParserError&) {
        // A script that pops more than it pushed must not take the editor down while the user
        // types: the token stays, the state falls back to the start of a text (the same
        // wherever the scan began, so that a re-scan still gives what a full scan gives).
        ++stackUnderflows_;
        resetState(0);
        length = std::max<std::int32_t>(1, stream.Position() - start);
        if (stream.Position() <= start)
            stream.Seek(start + 1);
        return 0;
    }
}

void TCodeMemoParser::compile(const std::string& scriptText, const std::string& includeDir)
{
    tables_.reset();
    settings_.reset();
    lastContext_ = "Header";
    TCM_Compiler lexer(normaliseScriptText(scriptText), includeDir);
    try {
        try {
            ScriptParser(lexer, tables_, settings_).run();
        } catch (const ECodeMemoParserError&) {
            throw;
        } catch (const std::bad_alloc&) {
            throw;
        } catch (const std::exception& e) {
            // A limit of the tables reached by a script (a table that would outgrow its index):
            // reported at the script position like every other fault.
            lexer.fail(e.what());
        }
    } catch (const ECodeMemoParserError&) {
        lastContext_ = lexer.context();
        publish();
        NotifyChanged();
        throw;
    }
    lastContext_ = lexer.context();
    publish();
    NotifyChanged();
}

void TCodeMemoParser::compileFile(const std::string& path)
{
    std::string text = loadScriptText(path);
    compile(text, std::filesystem::path(path).parent_path().string());
}

std::string TCodeMemoParser::compiledForm() const
{
    ByteWriter out;
    settings_.write(out);
    tables_.write(out);
    return out.take();
}

void TCodeMemoParser::loadCompiledForm(const std::string& form)
{
    ByteReader in(form);
    try {
        settings_.read(in);
        tables_.read(in);
    } catch (const std::runtime_error& e) {
        tables_.reset();
        settings_.reset();
        publish();
        throw ECodeMemoParserError("Compiled parser data is damaged");
    }
    publish();
    NotifyChanged();
}

std::string TCodeMemoParser::parserProperty() const
{
    std::string form = compiledForm();
    ByteWriter out;
    out.u16(kCompiledVersion);
    out.u32(uint32_t(form.size()));
    out.bytes(TCompressor::CompressBytes(form, CompressionMethod::KH));
    return out.take();
}

std::string TCodeMemoParser::versionErrorMessage(unsigned versionRead) const
{
    const std::string& name = componentName.empty() ? settings_.name : componentName;
    return name + ": DFM file saved by different version of TCodeMemoParser.\n\r"
                  "Recompile script to update DFM file.\n\r"
                  "Expected version was " + std::to_string(kCompiledVersion) +
           " read version was " + std::to_string(versionRead);
}

namespace {

// The version field of a stored property, or -1 when the data is too short to hold one.
int propertyVersion(const std::string& property)
{
    if (property.size() < 2)
        return -1;
    return int(uint8_t(property[0]) | unsigned(uint8_t(property[1])) << 8);
}

}  // namespace

void TCodeMemoParser::loadParserProperty(const std::string& property)
{
    ByteReader in(property);
    unsigned version = 0;
    uint32_t size = 0;
    try {
        version = in.u16();
        size = in.u32();
    } catch (const CorruptFormError& e) {
        throw ECodeMemoParserError(e.what());
    }
    if (version != kCompiledVersion)
        throw ECodeMemoParserError(versionErrorMessage(version));
    std::string form;
    try {
        form = TCompressor::DecompressBytes(std::string_view(property).substr(6));
    } catch (const std::exception&) {
        throw ECodeMemoParserError("Compiled parser data is damaged");
    }
    if (form.size() != size)
        throw ECodeMemoParserError("Compiled parser data is damaged");
    loadCompiledForm(form);
}

bool TCodeMemoParser::ExecuteOptionsDialog(std::uint32_t pages)
{
    if (OnOptionsDialog)
        return OnOptionsDialog(*this, pages);
    auto* presenter = TOptionsDialogPresenter::Current();
    return presenter && presenter->Execute(*this, pages);
}

bool TCodeMemoParser::assignParserProperty(const std::string& property, UserInterface& ui)
{
    const int version = propertyVersion(property);
    if (version >= 0 && unsigned(version) != kCompiledVersion) {
        if (OnParserVersionError)
            OnParserVersionError(*this, std::uint16_t(version), std::uint16_t(kCompiledVersion));
        else
            ui.showMessage(MessageKind::Warning, versionErrorMessage(unsigned(version)), MessageButtons::Ok);
        return false;
    }
    loadParserProperty(property);
    return true;
}

void TCodeMemoParser::applySettings()
{
    publish();
    NotifyChanged();
}

// ---- run time ----

void TCodeMemoParser::setCurrent(const StateSet& states)
{
    current_ = states;
    tables_.words.setCurrentStates(current_);
    if (TKeywords* trie = settings_.keywordTrie())
        trie->setCurrentStates(current_);
    selectTable();
}

void TCodeMemoParser::selectTable()
{
    table_ = &tables_.defaultTable;
    if (!tables_.hasStateTables)
        return;
    StateSet both = current_;
    both &= tables_.tableStates;
    int lowest = both.lowest();
    if (lowest >= 0 && tables_.stateTables[size_t(lowest)])
        table_ = tables_.stateTables[size_t(lowest)].get();
}

void TCodeMemoParser::resetState(int state)
{
    StateSet context = tables_.contexts[size_t(state & 0xFF)];
    if (context.empty())
        context = tables_.startStates;
    stack_.clear();
    containerOpen_ = false;
    setCurrent(context);
}

template <class C>
int TCodeMemoParser::failToken(C& cursor, ScanOffset start, int& length)
{
    cursor.seek(start);
    cursor.next();
    length = int(cursor.position() - start);
    return 0;
}

template <class C>
bool TCodeMemoParser::callMatch(const CharSpec& entry, C& cursor, ScanOffset tokenStart, int& value)
{
    if (entry.matchKind == 0)
        return runRecogniser(entry.matchIndex, cursor, tokenStart);
    if (!OnCustomParse)
        return false;
    int length = int(cursor.position() - tokenStart);
    return OnCustomParse(*this, entry.matchIndex, static_cast<ScanCursor&>(cursor), length, value);
}

template <class C>
bool TCodeMemoParser::endMatches(const EndSpec& end, C& cursor, ScanOffset tokenStart, int& value)
{
    ScanOffset before = cursor.position();
    if (end.isMatch) {
        CharSpec entry;
        entry.matchKind = end.matchKind;
        entry.matchIndex = end.matchIndex;
        int probe = value;
        bool matched = callMatch(entry, cursor, tokenStart, probe);
        if (!matched || !end.use)
            cursor.seek(before);
        if (matched)
            value = probe;
        return matched;
    }
    const TCM_CharGroupManager& groups = tables_.words.groups();
    for (unsigned i = 0; i < end.count; ++i) {
        if (cursor.atEnd() || !groups.at(end.groups[i]).contains(cursor.current(), utf8Letters_)) {
            cursor.seek(before);
            return false;
        }
        cursor.next();
    }
    if (!end.use)
        cursor.seek(before);
    return true;
}

// The extension loop of handlers and token bodies. Every step must consume a character, so the
// loop is bounded by the text.
template <class C>
bool TCodeMemoParser::extend(const CharSpec& body, const EndSpec& end, bool testFirst, C& cursor,
                             ScanOffset tokenStart, int& value)
{
    const TCM_CharGroupManager& groups = tables_.words.groups();
    const TCM_CharGroup& bodyGroup = groups.at(body.group);
    for (bool first = true;; first = false) {
        if (cursor.atEnd())
            return true;
        if ((!first || testFirst) && endMatches(end, cursor, tokenStart, value))
            return true;
        ScanOffset before = cursor.position();
        if (body.hasMatch) {
            bool custom = body.matchKind != 0;
            if (!custom && isStandardRecogniser(body.matchIndex))
                return runRecogniser(body.matchIndex, cursor, tokenStart) && cursor.position() > before;
            if (!callMatch(body, cursor, tokenStart, value) || cursor.position() <= before)
                return false;
            if (custom)
                return true;  // a custom match reads the whole extension in one step
        } else {
            if (!bodyGroup.contains(cursor.current(), utf8Letters_))
                return false;
            cursor.next();
        }
    }
}

int TCodeMemoParser::nextToken(ScanCursor& cursor, int& length) { return scanToken(cursor, length); }

int TCodeMemoParser::nextToken(BufferCursor& cursor, int& length) { return scanToken(cursor, length); }

template <class C>
int TCodeMemoParser::scanToken(C& cursor, int& length)
{
    const ScanOffset start = cursor.position();
    if (cursor.atEnd()) {
        length = 0;
        return 0;
    }
    const unsigned char startChar = cursor.current();
    int value = -1;
    bool keyword = false;
    ScanOffset ignored = 0;
    int wordLength = 0;

    if (!tables_.words.empty()) {
        if (const KeywordEnding* w = tables_.words.lookup(cursor, ignored, wordLength, false, utf8Letters_))
            value = w->value;
    }
    if (value < 0) {
        cursor.seek(start);
        if (const TKeywords* trie = settings_.keywordTrie()) {
            if (const KeywordEnding* k = trie->lookup(cursor, ignored, wordLength, false, utf8Letters_)) {
                value = k->value;
                keyword = true;
            } else {
                cursor.seek(start);
            }
        }
    }

    if (value >= 0) {
        if (const auto& handler = tables_.handlers[size_t(value & 0xFF)]) {
            if (!extend(handler->start, handler->end, handler->start.testEndFirst, cursor, start, value))
                return failToken(cursor, start, length);
        }
    } else if (const TokenDef* def = table_->find(utf8Letters_ && startChar >= 0x80 ? 'a' : startChar, current_)) {
        value = def->value;
        if (def->start.hasMatch) {
            if (!runRecogniser(def->start.matchIndex, cursor, start) || cursor.position() <= start)
                return failToken(cursor, start, length);
        } else {
            cursor.next();
            bool hasBody = def->body.hasMatch || def->body.group != 0;
            if (hasBody && !extend(def->body, def->end, def->body.testEndFirst, cursor, start, value))
                return failToken(cursor, start, length);
        }
    } else {
        return failToken(cursor, start, length);
    }

    if (cursor.position() <= start)
        return failToken(cursor, start, length);
    value &= 0xFF;
    length = int(cursor.position() - start);

    const auto& record = tables_.states[size_t(value)];
    const bool hasRecord = record && !keyword;
    if (hasRecord && !record->valid.meets(current_))
        return failToken(cursor, start, length);
    // A container's change holds until the reader has passed the token after it.
    if (containerOpen_ && cursor.position() >= containerEnd_) {
        containerOpen_ = false;
        setCurrent(saved_);
    }
    if (hasRecord) {
        if (!containerOpen_) {
            saved_ = current_;
            if (record->container) {
                containerOpen_ = true;
                containerEnd_ = cursor.position();
            }
        }
        transition(*record);
    }
    return value;
}

void TCodeMemoParser::transition(const StateRecord& record)
{
    StateSet next = current_;
    auto pop = [&] {
        if (stack_.empty())
            throw ECodeMemoParserError("Stack underflow");
        next = stack_.back();
        stack_.pop_back();
    };
    auto push = [&] {
        if (stack_.size() >= kMaxStackDepth)
            stack_.erase(stack_.begin());
        stack_.push_back(next);
    };
    if (record.stackOp == kPopBefore)
        pop();
    else if (record.stackOp == kPushBefore)
        push();
    if (!record.noChange) {
        next |= record.add;
        next.subtract(record.remove);
    }
    if (record.stackOp == kPopAfter)
        pop();
    else if (record.stackOp == kPushAfter)
        push();
    if (!(next == current_))
        setCurrent(next);
}

}  // namespace quarry
