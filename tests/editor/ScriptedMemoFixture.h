#pragma once
// A control scanning with a parser compiled from a script, and texts in which "^" marks the caret
// and "\n" a line break.
#include "highlight/HighlightTestUtil.h"
#include "editor/MemoFixture.h"

#include <memory>
#include <string>

namespace quarry::test {

class ScriptedMemoFixture : public MemoFixture {
protected:
    explicit ScriptedMemoFixture(const char* script) : parser(compiled(script))
    {
        memo.SetParser(1, parser.get());
        memo.SetActiveParser(1);
    }
    ~ScriptedMemoFixture() override { memo.SetParser(1, nullptr); }

    void LoadAt(const std::string& text)
    {
        const size_t caret = text.find('^');
        std::string plain = text;
        plain.erase(caret, 1);
        for (char& c : plain)
            if (c == '\n')
                c = '\r';
        Load(plain);
        memo.SetSelStart(Offset(caret));
    }
    // The text with "|" for each line break and "^" at the caret.
    std::string ShownAt()
    {
        std::string shown = Shown();
        shown.insert(size_t(memo.Caret()), "^");
        return shown;
    }

    std::unique_ptr<TCodeMemoParser> parser;
};

}  // namespace quarry::test
