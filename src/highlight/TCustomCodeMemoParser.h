#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>


namespace quarry {

class TCM_Settings;
class TCustomCodeMemo;
class TEdStream;
class TCustomCodeMemoParser;

// What a control that holds a parser in one of its slots hears from it.
class TParserClient {
public:
    virtual ~TParserClient() = default;
    // The parser is being destroyed: drop every reference to it.
    virtual void ParserDestroyed(TCustomCodeMemoParser& parser) = 0;
    // The parser's settings or tables changed (options dialog accepted, recompiled).
    virtual void ParserChanged(TCustomCodeMemoParser& parser) = 0;
};

// The scanner interface the control drives. Before a scan the control either resets the parser
// (0 at the start of the text) or installs a state it saved at a line start during an earlier
// scan, and then calls NextToken repeatedly; the scanning state lives in the parser. Many
// controls may share one parser.
class TCustomCodeMemoParser {
public:
    TCustomCodeMemoParser() = default;
    TCustomCodeMemoParser(const TCustomCodeMemoParser&) = delete;  // controls hold it by identity
    TCustomCodeMemoParser& operator=(const TCustomCodeMemoParser&) = delete;
    // Tells every client that the parser goes away.
    virtual ~TCustomCodeMemoParser();

    // Reads one token at the stream's position, leaves the stream after it, sets length to the
    // characters consumed (at least 1 unless the stream is at its end) and returns the token
    // value; 0 means no token: one character in the default style.
    virtual std::uint8_t NextToken(TCustomCodeMemo& memo, TEdStream& stream, std::int32_t& length) = 0;
    // Installs the context of a state as the current state.
    virtual void ResetState(std::uint8_t state) = 0;
    // Shows the options dialog for the given pages; true when the user accepted. Parsers without
    // a dialog answer false.
    virtual bool ExecuteOptionsDialog(std::uint32_t pages);

    // The whole scanning state between two tokens, as bytes that are equal exactly when scanning
    // on from the two states reads the same tokens: a re-scan restarts from a saved state and
    // stops where its state equals the one saved there before.
    virtual void SaveState(std::string& state) const = 0;
    // Installs a state SaveState gave.
    virtual void RestoreState(std::string_view state) = 0;
    virtual TCM_Settings& Settings() = 0;

    // Controls that hold the parser in a slot register here.
    void AddClient(TParserClient& client);
    void RemoveClient(TParserClient& client);
    const std::vector<TParserClient*>& Clients() const { return clients_; }
    // Tells every client that settings or tables changed.
    void NotifyChanged();

private:
    std::vector<TParserClient*> clients_;
};

}  // namespace quarry
