#include "app/ui/MdiProjectWindow.h"

#include "editorwin/ui/TMDIChild.h"

namespace quarry {

MdiProjectWindow::MdiProjectWindow(TMDIChild* child) : child_(child) {}

MdiProjectWindow::~MdiProjectWindow() = default;

TMDIChild* MdiProjectWindow::child() const { return child_; }

std::string MdiProjectWindow::fileName() const { return child_ ? child_->FileName() : std::string(); }

WindowState MdiProjectWindow::windowState() const { return child_ ? child_->State() : WindowState::Normal; }

WindowBounds MdiProjectWindow::bounds() const { return child_ ? child_->Bounds() : WindowBounds{}; }

WindowBounds MdiProjectWindow::restoredBounds() const { return child_ ? child_->RestoredBounds() : WindowBounds{}; }

bool MdiProjectWindow::isVisible() const { return child_ && !child_->isHidden(); }

int MdiProjectWindow::lineCount() const { return child_ ? child_->LineCount() : 0; }

TextPosition MdiProjectWindow::caret() const
{
    if (!child_)
        return {};
    const auto at = child_->GetCaret();
    return {at.row, at.column};
}

void MdiProjectWindow::setCaret(int row, int column)
{
    if (child_)
        child_->SetCaret(row, column);
}

TextPosition MdiProjectWindow::marker(int k) const
{
    if (!child_)
        return {};
    const auto at = child_->GetMarker(k);
    return {at.row, at.column};
}

void MdiProjectWindow::setMarker(int k, int row, int column)
{
    if (child_)
        child_->SetMarker(k, row, column);
}

void MdiProjectWindow::setBounds(const WindowBounds& bounds)
{
    if (!child_)
        return;
    // A window that opens while another one is maximised comes up maximised too; the bounds
    // read are its normal place.
    if (child_->State() != WindowState::Normal)
        child_->SetState(WindowState::Normal);
    child_->SetBounds(bounds);
}

void MdiProjectWindow::recordRestoredBounds()
{
    if (child_)
        child_->SetRestoredBounds(child_->Bounds());
}

void MdiProjectWindow::setWindowState(WindowState state)
{
    if (child_)
        child_->SetState(state);
}

EncodingChoice MdiProjectWindow::encoding() const
{
    return child_ ? child_->Document().Encoding() : EncodingChoice::Auto;
}

void MdiProjectWindow::setEncoding(EncodingChoice choice)
{
    if (child_ && choice != EncodingChoice::Auto)
        child_->Document().ReopenInEncoding(choice == EncodingChoice::Utf8 ? TextEncoding::Utf8 : TextEncoding::Windows1252);
}

}  // namespace quarry
