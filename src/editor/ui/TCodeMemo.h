#pragma once
#include <QAbstractScrollArea>
#include <QCursor>
#include <QElapsedTimer>
#include <QPoint>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "editor/TCodeMemoHost.h"
#include "editor/TCustomCodeMemo.h"
#include "editor/TViewScanner.h"
#include "editor/ui/TCodeMemoPainter.h"
#include "editor/ui/TLineComposer.h"
#include "editor/ui/TLineDrawData.h"
#include "editor/ui/TPaintFonts.h"

class QMimeData;
class QPrinter;

namespace quarry {

class TCodeMemoExporter;
class TColourResolver;

// The editor control on screen: a scroll area around the control's logic (TCustomCodeMemo) with
// the six parser slots. It paints the text from the line records (composed display text, runs
// of equal token value, selection, line colours, margin lines, gutter), turns Qt keys into the
// virtual-key codes of the key path and typed characters into Windows-1252 bytes, handles the
// mouse, the clipboard, drag and drop and printing, and scans only what it shows: the rest of
// the text is scanned in small slices while the program is idle.
//
// The logic is reached through Memo(): text, caret, selection, actions, undo, bookmarks, line
// marks and colours, files and messages. The window only adds what needs a screen. Memo().OnEdited
// and Memo().exporter are the window's own: it needs them for its background scan and the
// clipboard's rich text.
class TCodeMemo : public QAbstractScrollArea, private TCodeMemoHost {
    Q_OBJECT

public:
    // ClipCopyFormats bits.
    enum TClipFormat : std::uint8_t { smTEXT = 1, smRTF = 2 };
    // Kinds of data reported by OnDataDrop.
    enum TDropKind : std::uint8_t { dkText = 1, dkHTML = 2, dkFiles = 4 };
    enum class TScrollBars : std::uint8_t { ssNone, ssHorizontal, ssVertical, ssBoth };

    explicit TCodeMemo(QWidget* parent = nullptr);
    ~TCodeMemo() override;
    TCodeMemo(const TCodeMemo&) = delete;  // a window; parsers know its control by identity
    TCodeMemo& operator=(const TCodeMemo&) = delete;

    TCustomCodeMemo& Memo() { return *memo_; }
    const TCustomCodeMemo& Memo() const { return *memo_; }

    // ---- parser slots 1..6 and the active one (0 or an empty slot: the control's own settings)
    void SetParser(int slot, TCustomCodeMemoParser* parser) { memo_->SetParser(slot, parser); }
    TCustomCodeMemoParser* Parser(int slot) const { return memo_->Parser(slot); }
    void SetActiveParser(int slot) { memo_->SetActiveParser(slot); }
    int ActiveParser() const { return memo_->ActiveParser(); }

    // ---- appearance
    void SetCodeFont(const TCM_Font& font) { memo_->SetFont(font); }
    // The gutter's font lives in the active settings, like the text font.
    TCM_Font GutterFont() { return memo_->Settings().gutterFont; }
    void SetGutterFont(const TCM_Font& font);
    bool ShowFocusLine() const { return showFocusLine_; }
    void SetShowFocusLine(bool show);
    bool HideSelection() const { return hideSelection_; }
    void SetHideSelection(bool hide);
    std::uint8_t ClipCopyFormats() const { return clipCopyFormats_; }
    void SetClipCopyFormats(std::uint8_t formats) { clipCopyFormats_ = formats; }
    bool MonoPrint() const { return monoPrint_; }
    void SetMonoPrint(bool mono) { monoPrint_ = mono; }
    const QCursor& HyperCursor() const { return hyperCursor_; }
    void SetHyperCursor(const QCursor& cursor);
    TScrollBars ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollBars bars);

    // ---- geometry of the view (viewport coordinates)
    int CellWidth() const { return fonts_.CharWidth(); }
    int LineHeight() const override { return fonts_.LineHeight(); }
    int GutterWidth();
    int TextLeft();
    struct THit {
        LineIndex line = 0;        // display line
        std::int32_t column = 0;   // display column, rounded to the nearest character boundary
        bool inGutter = false;
    };
    THit HitTest(QPoint point);
    // The character offset under a point (clipped to its line), for drops and hot spots.
    Offset OffsetAt(QPoint point);
    Offset OffsetOfHit(const THit& hit);

    // Inserts dropped text (plain, or HTML trimmed) at the point. moveSelection: the data is the
    // selection being dragged within this window, which leaves its place; one undo step.
    bool DropText(const QMimeData& data, QPoint point, bool moveSelection);

    // ---- the look of text without a token in the control's own settings (effect 0)
    TColor DefTextColor();
    void SetDefTextColor(TColor colour);
    TColor DefBackColor();
    void SetDefBackColor(TColor colour);
    std::uint8_t DefFontStyle() { return memo_->OwnSettings().effects[0].fontStyle; }
    void SetDefFontStyle(std::uint8_t style);

    // ---- printing
    void Print(QPrinter& printer);
    void PrintSelection(QPrinter& printer);

    // ---- scanning: texts up to this many characters are scanned completely in the background;
    // in larger ones lines are scanned as they come into view, and the background only carries
    // the effect of edits on over lines scanned before.
    void SetIdleScanLimit(Offset characters) { idleScanLimit_ = characters; }
    TViewScanner& ViewScanner() { return *viewScanner_; }
    // Runs background slices until the text is scanned (tests, printing a large text).
    void FinishIdleScan();
    bool IdleScanPending() const { return idleTimer_.isActive(); }

    // ---- events of the window (the control's own events are on Memo())
    std::function<std::int32_t(TLineDrawData& data)> OnDrawLine;
    std::function<void(std::int32_t lineNo)> OnGutterClick;
    std::function<void(QPainter& painter, const QRect& rect, int mark)> OnDrawMark;
    std::function<void(const std::string& hyperData, int hyperType)> OnHyperlinkClick;
    std::function<void(const std::string& hyperData, int hyperType)> OnHyperlinkHover;
    std::function<void(QPoint clickPos, Offset charOffset)> OnTripleClick;
    std::function<void(const QStringList& fileList, QPoint atPoint)> OnFilesDropped;
    // The caret or the selection moved, by whatever means (keys, a search, a jump to a marker).
    std::function<void()> OnCaretMoved;
    std::function<void(std::uint8_t sourceTypes, QPoint atPoint)> OnDataDrop;
    std::function<void(const QMimeData& data, QPoint atPoint, Qt::DropAction& effect)> OnOLEDragOver;
    // Draws the page header instead of the built-in one; returns the text area's top.
    std::function<int(QPainter& renderCanvas, const QRect& renderRect, bool& transparentText)> OnPrintHeaderFooter;
    // The print-selection action (caPRINTSEL); unassigned, a print dialog is shown.
    std::function<void()> OnPrintSelection;
    std::function<void(char& key)> OnKeyPress;
    std::function<void(std::uint16_t& key, TShiftState& shift)> OnKeyUp;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    // ---- TCodeMemoHost
    void SetFont(const TCM_Font& font) override;
    int CharWidth(unsigned char c) const override { return fonts_.Width(c); }
    int AverageCharWidth() const override { return fonts_.CharWidth(); }
    int ClientWidth() const override;
    int ClientHeight() const override;
    bool HasClipboardText() const override;
    std::string ClipboardText() const override;
    void SetClipboardText(const std::string& text) override;
    void Invalidate() override;
    void CaretChanged() override;
    void Beep() override;
    void PrintSelection() override;

    // ---- painting
    void PaintLines(QPainter& painter, const QRect& area);
    void PaintGutterLine(QPainter& painter, const TColourResolver& colours, const TLineRecord& rec, int top,
                         std::int32_t lineNumber, bool continuation, std::uint16_t lineMarks);
    void PaintCaret(QPainter& painter);
    void SyncScrollBars();
    void PrintRange(QPrinter& printer, Offset from, Offset to);
    std::int32_t VisibleColumns();

    // ---- input
    // The key path would take this stroke now (a binding of the active settings, or the second
    // stroke of a sequence).
    bool KeyIsBound(std::uint16_t vk, TShiftState shift);
    void TypeText(const QString& text);
    void SelectWordAt(const THit& hit);
    bool HotSpotAt(QPoint point, std::string& text, int& value);
    void UpdateHover(QPoint point);
    void ExtendSelectionTo(QPoint point);
    void PlaceCaret(const THit& hit, bool extend);
    void AutoScroll();
    void StartDrag();
    std::uint8_t DropKinds(const QMimeData& data) const;

    // ---- background scanning
    void StartIdleScan();
    void IdleScanSlice();

    std::unique_ptr<TCustomCodeMemo> memo_;
    std::unique_ptr<TViewScanner> viewScanner_;
    std::unique_ptr<TCodeMemoExporter> exporter_;
    TPaintFonts fonts_;
    TCM_Font gutterFontKey_;
    QFont gutterFont_;
    TStyleLooks looks_;
    TComposedLine composed_;

    bool showFocusLine_ = false;
    bool hideSelection_ = true;
    bool monoPrint_ = false;
    std::uint8_t clipCopyFormats_ = smTEXT;
    QCursor hyperCursor_{Qt::PointingHandCursor};
    TScrollBars scrollBars_ = TScrollBars::ssBoth;

    bool syncing_ = false;          // the scroll bars are being set from the view
    bool caretVisible_ = true;      // blink phase
    QTimer blinkTimer_;
    QTimer autoScrollTimer_;
    QTimer idleTimer_;
    Offset idleScanLimit_ = 16 * 1024 * 1024;
    TCodeMemoOptions paintedOptions_ = 0;

    // Mouse state.
    bool selecting_ = false;
    bool dragCandidate_ = false;    // pressed inside the selection: a drag may start
    bool internalDrop_ = false;     // our own drag ended in this window
    QPoint pressPoint_;
    QPoint lastMouse_;
    QElapsedTimer lastDoubleClick_;
    QPoint doubleClickPoint_;
    int wheelRemainder_ = 0;
    int wheelRemainderX_ = 0;
    std::string hoverText_;
    int hoverValue_ = -1;
    bool hoverCursor_ = false;
    Offset dropCaret_ = -1;         // where a drop would go, shown while dragging over
};

}  // namespace quarry
