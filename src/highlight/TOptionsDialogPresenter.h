#pragma once
// Who shows a parser's options dialog. The dialog is a window, so the layer with the forms
// provides it; until one is set, ExecuteOptionsDialog answers false (no dialog was shown).
#include <cstdint>

namespace quarry {

class TCodeMemoParser;

class TOptionsDialogPresenter {
public:
    virtual ~TOptionsDialogPresenter() = default;
    // Shows the pages of the mask over the parser's settings; true when the user accepted and
    // the settings reached the parser (and its controls and the registry).
    virtual bool Execute(TCodeMemoParser& parser, std::uint32_t pages) = 0;

    static TOptionsDialogPresenter* Current() { return current_; }
    static void SetCurrent(TOptionsDialogPresenter* presenter) { current_ = presenter; }

private:
    static inline TOptionsDialogPresenter* current_ = nullptr;
};

}  // namespace quarry
