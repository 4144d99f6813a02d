#pragma once
// A host with fixed metrics and no screen, for an editor control that works without a window:
// the command-line tools and the benchmarks.
#include "editor/TCodeMemoHost.h"

#include <string>

namespace quarry {

class HeadlessHost final : public TCodeMemoHost {
public:
    explicit HeadlessHost(int width = 800, int height = 600) : width_(width), height_(height) {}

    void SetFont(const TCM_Font&) override {}
    int CharWidth(unsigned char) const override { return 8; }
    int AverageCharWidth() const override { return 8; }
    int LineHeight() const override { return 16; }
    int ClientWidth() const override { return width_; }
    int ClientHeight() const override { return height_; }
    bool HasClipboardText() const override { return false; }
    std::string ClipboardText() const override { return {}; }
    void SetClipboardText(const std::string&) override {}
    void Invalidate() override {}
    void Beep() override {}

private:
    int width_;
    int height_;
};

}  // namespace quarry
