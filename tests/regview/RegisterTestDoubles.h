#pragma once
// Stand-ins for the pick window, the register window and the editor, so that the register run
// and the whole command run without a window and every step can be checked.
#include "regview/CodeLineEditor.h"
#include "regview/RegisterPicker.h"
#include "regview/RegisterView.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quarry::test {

// Records each list it is shown and answers from a queue: an index chooses, nullopt is Esc.
class ScriptedPicker final : public RegisterPicker {
public:
    struct Shown {
        std::string caption;
        std::vector<std::string> items;
        int preselected;
    };

    void Choose(int index) { answers_.push_back(index); }
    void Cancel() { answers_.push_back(std::nullopt); }
    const std::vector<Shown>& shown() const { return shown_; }
    std::vector<std::string> Captions() const
    {
        std::vector<std::string> captions;
        for (const auto& list : shown_)
            captions.push_back(list.caption);
        return captions;
    }

    bool Pick(const ItemText& itemText, int count, const std::string& caption, int& index) override
    {
        Shown list{caption, {}, index};
        for (int i = 0; i < count; ++i)
            list.items.push_back(itemText(i));
        shown_.push_back(std::move(list));
        if (answers_.empty()) {
            ADD_FAILURE() << "unexpected pick list \"" << caption << "\"";
            return false;
        }
        const auto answer = answers_.front();
        answers_.pop_front();
        if (answer)
            index = *answer;
        return answer.has_value();
    }

    ~ScriptedPicker() override { EXPECT_TRUE(answers_.empty()) << "pick answers left unused"; }

private:
    std::deque<std::optional<int>> answers_;
    std::vector<Shown> shown_;
};

// The register window's state as the run leaves it, keys from a queue (Esc once it runs dry).
class ScriptedView final : public RegisterView {
public:
    void Type(std::vector<QueuedKey> keys) { keys_.insert(keys_.end(), keys.begin(), keys.end()); }
    // Runs before each key is handed out (a user acting while the window waits).
    std::function<void()> whileWaiting;

    std::string registerText;
    std::vector<std::string> rows;
    int current = -1;
    FieldAccess access = FieldAccess::Other;
    std::string valueText;
    bool open = false;
    int opened = 0;
    int broughtToFront = 0;

    void Open(const std::string& text, const std::vector<std::string>& newRows) override
    {
        registerText = text;
        rows = newRows;
        open = true;
        ++opened;
    }
    void SetRow(int index, const std::string& row) override { rows.at(static_cast<std::size_t>(index)) = row; }
    void SetCurrent(int index, FieldAccess fieldAccess) override
    {
        current = index;
        access = fieldAccess;
    }
    void SetValueText(const std::string& text) override { valueText = text; }
    QueuedKey NextKey() override
    {
        if (whileWaiting)
            whileWaiting();
        if (keys_.empty())
            return {RegisterKey::Escape};
        const QueuedKey key = keys_.front();
        keys_.pop_front();
        return key;
    }
    void Close() override { open = false; }
    void BringToFront() override { ++broughtToFront; }

private:
    std::deque<QueuedKey> keys_;
};

inline QueuedKey typed(char c) { return {RegisterKey::Character, c}; }
inline QueuedKey key(RegisterKey k, int data = 0) { return {k, data}; }

// An editor window of text lines with a caret and a clipboard; pasting inserts the clipboard at
// the caret as the editor does (a CR starts a new line).
class FakeEditor final : public CodeLineEditor {
public:
    bool active = true;
    std::vector<std::string> lines{""};
    int caretRow = 0;  // 0-based
    int caretColumn = 0;
    std::optional<std::string> clipboard;
    std::vector<std::string> calls;

    bool HasActiveEditor() override { return active; }
    void KeepClipboard() override
    {
        calls.push_back("keep");
        kept_ = clipboard;
    }
    void RestoreClipboard() override
    {
        calls.push_back("restore");
        clipboard = kept_;
    }
    void SetClipboardText(const std::string& text) override
    {
        calls.push_back("set");
        clipboard = text;
    }
    void MoveCaretToLineStart() override
    {
        calls.push_back("home");
        caretColumn = 0;
    }
    void Paste() override
    {
        calls.push_back("paste");
        auto& line = lines.at(static_cast<std::size_t>(caretRow));
        const std::string before = line.substr(0, static_cast<std::size_t>(caretColumn));
        std::string after = line.substr(static_cast<std::size_t>(caretColumn));
        line = before;
        for (const char c : clipboard.value_or("")) {
            if (c == '\r') {
                lines.insert(lines.begin() + ++caretRow, "");
                caretColumn = 0;
            } else {
                lines[static_cast<std::size_t>(caretRow)] += c;
                ++caretColumn;
            }
        }
        lines[static_cast<std::size_t>(caretRow)] += after;
    }

private:
    std::optional<std::string> kept_;
};

}  // namespace quarry::test
