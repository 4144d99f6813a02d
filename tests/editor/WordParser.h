#pragma once
#include <cctype>
#include <string>

#include "editorsettings/TCM_Settings.h"
#include "highlight/TCustomCodeMemoParser.h"
#include "text/TEdStream.h"

namespace quarry::test {

// A small scanner for tests: words are token 1, digits 2, "/* ... */" comments 3 (across lines,
// with each line end inside a comment token 5), blanks and line ends 4, anything else 0. Its
// state is one byte: 'c' inside a comment, '-' outside.
class WordParser final : public TCustomCodeMemoParser {
public:

    std::uint8_t NextToken(TCustomCodeMemo&, TEdStream& s, std::int32_t& length) override {
        ++calls;
        const Offset start = s.Position();
        const char c = s.Current();
        std::uint8_t value = 0;
        if (inComment_ && c == '\r') {
            s.Next();
            value = 5;  // a line end inside a comment: restarting here means "in a comment"
        } else if (inComment_ || (c == '/' && PeekNext(s) == '*')) {
            if (!inComment_) {
                s.Next();
                s.Next();
                inComment_ = true;
            }
            while (!s.AtEnd() && s.Current() != '\r') {
                const char d = s.Current();
                s.Next();
                if (d == '*' && s.Current() == '/') {
                    s.Next();
                    inComment_ = false;
                    break;
                }
            }
            value = 3;
        } else if (std::isalpha(static_cast<unsigned char>(c))) {
            while (std::isalnum(static_cast<unsigned char>(s.Current()))) s.Next();
            value = 1;
        } else if (std::isdigit(static_cast<unsigned char>(c))) {
            while (std::isdigit(static_cast<unsigned char>(s.Current()))) s.Next();
            value = 2;
        } else if (c == ' ' || c == '\t' || c == '\r') {
            s.Next();
            value = 4;
        } else {
            s.Next();
        }
        length = s.Position() - start;
        return value;
    }
    void ResetState(std::uint8_t state) override {
        ++resets;
        lastReset = state;
        inComment_ = state == 5;
    }
    void SaveState(std::string& state) const override { state.assign(1, inComment_ ? 'c' : '-'); }
    void RestoreState(std::string_view state) override {
        restored = std::string(state);
        inComment_ = state == "c";
    }
    TCM_Settings& Settings() override { return settings; }

    TCM_Settings settings;
    int calls = 0;
    int resets = 0;
    int lastReset = -1;
    std::string restored;  // the state installed last by RestoreState

private:
    static char PeekNext(TEdStream& s) {
        s.Next();
        const char c = s.Current();
        s.Previous();
        return c;
    }
    bool inComment_ = false;
};

}  // namespace quarry::test
