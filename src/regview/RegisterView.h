#pragma once
#include "regview/FieldAccess.h"
#include "regview/RegisterKeyQueue.h"

#include <string>
#include <vector>

namespace quarry {

// The register window as the register run sees it.
class RegisterView {
public:
    virtual ~RegisterView() = default;

    // Shows the window for a register (its line from column 3) with one row per field.
    virtual void Open(const std::string& registerText, const std::vector<std::string>& rows) = 0;
    virtual void SetRow(int index, const std::string& row) = 0;
    // The selected row, with the field's access in the R/W box and the selection colours.
    virtual void SetCurrent(int index, FieldAccess access) = 0;
    virtual void SetValueText(const std::string& text) = 0;
    // Lets the user interface run until the window has a key; Escape once it is closed.
    virtual QueuedKey NextKey() = 0;
    virtual void Close() = 0;
    virtual void BringToFront() = 0;
};

}  // namespace quarry
