#pragma once
// What the search and replace commands share: their options and an editor control without a
// window, holding the file as the editor would (line ends as CR, so offsets count each line end
// as one character).
#include "editor/TCodeMemoHost.h"
#include "editor/TCustomCodeMemo.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace quarry::hl {

struct SearchOptions {
    std::uint16_t flags = 0;           // TCodeMemoSearch flag bits, kDirect included
    std::vector<std::string> operands; // what is left after the options
    std::string error;                 // set when the options are wrong
};

// Reads --regex, --case, --word and --back.
SearchOptions parseSearchOptions(const std::vector<std::string>& args);

// A host with fixed metrics and no screen.
class HeadlessHost final : public TCodeMemoHost {
public:
    void SetFont(const TCM_Font&) override {}
    int CharWidth(unsigned char) const override { return 8; }
    int AverageCharWidth() const override { return 8; }
    int LineHeight() const override { return 16; }
    int ClientWidth() const override { return 800; }
    int ClientHeight() const override { return 600; }
    bool HasClipboardText() const override { return false; }
    std::string ClipboardText() const override { return {}; }
    void SetClipboardText(const std::string&) override {}
    void Invalidate() override {}
    void Beep() override {}
};

// A control holding the file, caret at the start (or the end for a backward search).
struct LoadedFile {
    HeadlessHost host;
    std::unique_ptr<TCustomCodeMemo> memo;
};
void loadForSearch(LoadedFile& file, const std::string& path, bool backward);

}  // namespace quarry::hl
