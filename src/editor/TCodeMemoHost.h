#pragma once
#include <string>

#include "text/EditorTypes.h"

namespace quarry {

struct TCM_Font;

// What the control's logic needs from the window that shows it: text metrics of its font, the
// client size, the clipboard, repaint requests, a beep and printing. The Qt widget implements
// it; tests use a fixed-pitch host.
class TCodeMemoHost {
public:
    virtual ~TCodeMemoHost() = default;

    // The control asks for a font; the metrics below then describe it.
    virtual void SetFont(const TCM_Font& font) = 0;
    virtual int CharWidth(unsigned char c) const = 0;
    virtual int AverageCharWidth() const = 0;
    virtual int LineHeight() const = 0;
    virtual int ClientWidth() const = 0;
    virtual int ClientHeight() const = 0;

    // Plain text in the platform's form (CR LF line ends).
    virtual bool HasClipboardText() const = 0;
    virtual std::string ClipboardText() const = 0;
    virtual void SetClipboardText(const std::string& text) = 0;

    // The whole control must be painted again.
    virtual void Invalidate() = 0;
    // The caret moved or changed shape.
    virtual void CaretChanged() {}
    virtual void Beep() = 0;
    // Printing of the selection was asked for (the printing code lives with the widget).
    virtual void PrintSelection() {}
};

}  // namespace quarry
