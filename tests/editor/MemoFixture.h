#pragma once
#include <gtest/gtest.h>

#include <string>

#include "editor/FixedPitchHost.h"
#include "editor/TCustomCodeMemo.h"
#include "editorsettings/VirtualKeys.h"

namespace quarry::test {

// A control on a fixed-pitch host, with helpers that type and press keys as a user would.
class MemoFixture : public ::testing::Test {
protected:
    MemoFixture() : memo(host) {}

    void Type(const std::string& text) {
        for (char c : text) memo.KeyPress(c);
    }
    // Presses a key: the key path first, then the character when nothing took the key.
    void Press(std::uint16_t key, TShiftState shift = 0, char ch = 0) {
        if (!memo.KeyDown(key, shift) && ch) memo.KeyPress(ch);
    }
    void Load(const std::string& text) { memo.SetText(text); }
    // Places the caret at 0-based (display line, column) without a selection.
    void At(LineIndex line, std::int32_t column) { memo.MoveCaretTo(line, column, false); }
    // The text with its CRs shown as "|" so that failures print on one line.
    std::string Shown() {
        std::string text = memo.Text();
        for (char& c : text)
            if (c == '\r') c = '|';
        return text;
    }
    void SetOption(TCodeMemoOption option, bool on) {
        memo.SetOptions(on ? (memo.Options() | option) : (memo.Options() & ~static_cast<TCodeMemoOptions>(option)));
    }

    FixedPitchHost host;
    TCustomCodeMemo memo;
};

}  // namespace quarry::test
