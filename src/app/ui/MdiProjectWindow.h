#pragma once
#include "app/ProjectHost.h"

#include <QPointer>

namespace quarry {

class TMDIChild;

// An editor window as the project commands see it. Holds the window weakly: once the window is
// gone every question gets a neutral answer and every order is ignored.
class MdiProjectWindow final : public ProjectWindow {
public:
    explicit MdiProjectWindow(TMDIChild* child);
    ~MdiProjectWindow() override;

    TMDIChild* child() const;

    std::string fileName() const override;
    WindowState windowState() const override;
    WindowBounds bounds() const override;
    WindowBounds restoredBounds() const override;
    bool isVisible() const override;
    int lineCount() const override;
    TextPosition caret() const override;
    void setCaret(int row, int column) override;
    TextPosition marker(int k) const override;
    void setMarker(int k, int row, int column) override;
    void setBounds(const WindowBounds& bounds) override;
    void recordRestoredBounds() override;
    EncodingChoice encoding() const override;
    void setEncoding(EncodingChoice choice) override;
    void setWindowState(WindowState state) override;

private:
    QPointer<TMDIChild> child_;
};

}  // namespace quarry
