#pragma once
#include <QProxyStyle>

namespace quarry {

// Editor window captions are full paths. Cut at their end (the toolkit's way) several tiled
// windows of one directory look alike; cut in the middle, each keeps its file name.
class MiddleElidedCaptionStyle final : public QProxyStyle {
public:
    // One instance for all windows, alive as long as the application.
    static MiddleElidedCaptionStyle* Shared();

    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget) const override;

private:
    MiddleElidedCaptionStyle();
};

}  // namespace quarry
