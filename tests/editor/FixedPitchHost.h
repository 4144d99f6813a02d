#pragma once
#include <string>

#include "editorsettings/TCM_Settings.h"
#include "editor/TCodeMemoHost.h"

namespace quarry::test {

// A host with fixed-pitch metrics (8 by 16 pixels a character) and a clipboard in memory.
class FixedPitchHost final : public TCodeMemoHost {
public:
    void SetFont(const TCM_Font& f) override { font = f; }
    int CharWidth(unsigned char) const override { return 8; }
    int AverageCharWidth() const override { return 8; }
    int LineHeight() const override { return 16; }
    int ClientWidth() const override { return width; }
    int ClientHeight() const override { return height; }
    bool HasClipboardText() const override { return hasClipboard; }
    std::string ClipboardText() const override { return clipboard; }
    void SetClipboardText(const std::string& text) override {
        clipboard = text;
        hasClipboard = true;
    }
    void Invalidate() override { ++invalidations; }
    void Beep() override { ++beeps; }
    void PrintSelection() override { ++prints; }

    int width = 800;
    int height = 160;  // ten lines
    TCM_Font font;
    std::string clipboard;
    bool hasClipboard = false;
    int invalidations = 0;
    int beeps = 0;
    int prints = 0;
};

}  // namespace quarry::test
