#pragma once
#include <functional>
#include <string>

#include "text/TLineSegmenter.h"

namespace quarry {

class TCM_Settings;

// Cuts logical lines at the wrap width in pixels, after the last blank that fits, or hard at the
// width when a segment holds no blank. TABs advance to the settings' tab stops. Lines whose
// first character is one of the override characters are left whole when the override is on
// (the store still cuts lines of TLineSegmenter::kLongLine characters and more).
class TWordWrapSegmenter final : public TLineSegmenter {
public:
    void Split(std::string_view line, std::vector<std::int32_t>& lengths) const override;

    int widthPixels = 8;
    std::function<int(unsigned char)> charWidth;
    int tabWidthPixels = 8;  // width of one column for TAB expansion
    const TCM_Settings* settings = nullptr;
    bool overrideOn = false;
    std::string overrideChars;
};

}  // namespace quarry
