#pragma once
#include <QColor>
#include <QPalette>

#include "text/EditorTypes.h"

namespace quarry {

// Turns the stored colours (blue-green-red, red in the low byte) into screen colours; the
// symbolic system colours (top byte FF, the index below) come from the widget's palette.
class TColourResolver final {
public:
    explicit TColourResolver(const QPalette& palette = QPalette()) : palette_(palette) {}
    QColor Resolve(TColor colour) const;
    static QColor FromBgr(TColor colour);

private:
    QPalette palette_;
};

}  // namespace quarry
