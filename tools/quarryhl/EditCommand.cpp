// quarryhl edit [--lang NAME | --script FILE | --compiled FILE] FILE EDITS: applies the edits of
// EDITS (see EditList.h) in order to FILE held in an editor control, each as typing applies it,
// with the control's incremental re-scan after each, and lists the tokens of the final text as
// "quarryhl tokens" does. Comparing the two lists tests the re-scan: they must be equal.
#include "Command.h"
#include "EditList.h"
#include "HighlightInput.h"
#include "TokenListWriter.h"

#include "editor/HeadlessHost.h"
#include "editor/TCustomCodeMemo.h"

#include <stdexcept>
#include <utility>

namespace quarry::hl {
namespace {

// Where tokens begin. A re-scan reports the tokens it read; the others keep the places they had,
// moved with the text.
class TokenStarts final {
public:
    void seen(Offset start, Offset end) { tokens_.emplace_back(start, end); }
    // Takes the tokens reported since the last call, after the text changed at `at` from `removed`
    // to `inserted` characters.
    void update(Offset at, Offset removed, Offset inserted)
    {
        starts_.erase(starts_.begin() + at, starts_.begin() + at + removed);
        starts_.insert(starts_.begin() + at, size_t(inserted), false);
        for (const auto& [start, end] : tokens_) {
            starts_[size_t(start)] = true;
            std::fill(starts_.begin() + start + 1, starts_.begin() + end, false);
        }
        tokens_.clear();
    }
    void write(TTextStore& store, TokenListWriter& list) const
    {
        Offset at = 0;
        for (RecordId id = store.First(); id != kNoRecord; id = store.Next(id)) {
            const TLineRecord& rec = store.Record(id);
            const std::uint8_t* values = store.StylesOf(rec);
            for (Offset i = 0; i < rec.length; ++i, ++at) {
                if (!starts_[size_t(at)])
                    continue;
                Offset end = at + 1;
                while (end < Offset(starts_.size()) && !starts_[size_t(end)])
                    ++end;
                list.add(at, end - at, values ? values[i] : 0);
            }
        }
    }

private:
    std::vector<bool> starts_;
    std::vector<std::pair<Offset, Offset>> tokens_;
};

int run(const std::vector<std::string>& args)
{
    HighlightOptions o = HighlightOptions::parse(args);
    if (o.positional.size() != 2)
        throw UsageError("usage: quarryhl edit [--lang NAME | --script FILE | --compiled FILE] FILE EDITS [-o OUT]");
    const std::string& editsFile = o.positional[1];
    const std::vector<TextEdit> edits = readEdits(editsFile);
    auto parser = loadParser(o, o.positional[0]);

    HeadlessHost host;
    TCustomCodeMemo memo(host);
    memo.SetScanAhead(-1);
    memo.LoadFromFile(o.positional[0]);
    TokenStarts starts;
    memo.OnTokenSeen = [&](std::uint8_t&, Offset start, Offset end) {
        if (start >= 0)
            starts.seen(start, end);
    };
    memo.SetParser(1, parser.get());
    memo.SetActiveParser(1);
    starts.update(0, 0, memo.Store().CharCount());
    for (const TextEdit& edit : edits) {
        const Offset size = memo.Store().CharCount();
        if (edit.offset > size || edit.erase > size - edit.offset)
            throw std::runtime_error(editsFile + ":" + std::to_string(edit.line) + ": the edit reaches past the end of " +
                                     "the text (" + std::to_string(size) + " characters)");
        memo.SetSelection(edit.offset, edit.offset + edit.erase);
        memo.ReplaceSelection(edit.text);
        starts.update(edit.offset, edit.erase, memo.Store().CharCount() - size + edit.erase);
    }

    OutputSink out(o);
    TokenListWriter list(out.stream());
    starts.write(memo.Store(), list);
    list.flush();
    out.finish();
    return 0;
}

const RegisterCommand registration(
    "edit",
    "edit [--lang NAME|--script F|--compiled F] FILE EDITS   apply EDITS (lines \"OFFSET DELETE TEXT\", TEXT with "
    "\\n \\t \\\\ \\xHH) as typed, re-scanning as the editor does, and list the tokens of the result",
    run);

}  // namespace
}  // namespace quarry::hl
