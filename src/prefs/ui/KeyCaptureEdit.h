#pragma once
// A box that shows the key stroke last pressed in it ("Ctrl+K") instead of typing: every key,
// Tab and the application's short-cuts included, is taken as the stroke to capture.
#include "text/EditorTypes.h"

#include <QLineEdit>

namespace quarry {

class KeyCaptureEdit final : public QLineEdit {
    Q_OBJECT
public:
    explicit KeyCaptureEdit(QWidget* parent = nullptr);

    TShortCut Stroke() const { return stroke_; }
    void SetStroke(TShortCut stroke);

Q_SIGNALS:
    void strokeChanged(TShortCut stroke);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    TShortCut stroke_ = 0;
};

}  // namespace quarry
