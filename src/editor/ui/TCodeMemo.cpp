#include "editor/ui/TCodeMemo.h"

#include <QApplication>
#include <QClipboard>
#include <QDrag>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QScrollBar>
#include <QUrl>
#include <QWheelEvent>

#include <algorithm>

#include "text/TMemoryStream.h"
#include "text/TTextStore.h"
#include "text/TUndoStack.h"
#include "editorsettings/VirtualKeys.h"
#include "editor/ui/TCodeMemoClipboard.h"
#include "editor/ui/TCodeMemoPrinter.h"
#include "editor/ui/TColourResolver.h"
#include "editor/ui/TGutterGlyphs.h"
#include "editor/ui/TKeyMap.h"
#include "editor/ui/Windows1252.h"
#include "editor/TCodeMemoExporter.h"

namespace quarry {

namespace {
// One background slice: lines scanned per step, and the time after which the slice yields to
// the event loop so that a key waits at most about this long.
constexpr std::int32_t kIdleLinesPerStep = 256;
constexpr int kIdleSliceMs = 4;
// The colour of visible control characters.
constexpr TColor kControlCharColour = 0x808080;
// The right-margin and wrap-column lines.
constexpr TColor kMarginLineColour = 0xC0C0C0;
constexpr TColor kWrapColumnColour = 0xE0C0C0;
}  // namespace

TCodeMemo::TCodeMemo(QWidget* parent) : QAbstractScrollArea(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setMouseTracking(true);
    viewport()->setAutoFillBackground(false);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    resize(185, 89);

    memo_ = std::make_unique<TCustomCodeMemo>(static_cast<TCodeMemoHost&>(*this));
    viewScanner_ = std::make_unique<TViewScanner>(*memo_);
    exporter_ = std::make_unique<TCodeMemoExporter>();
    memo_->exporter = exporter_.get();
    memo_->OnEdited = [this](Offset from) {
        viewScanner_->Edited(from);
        StartIdleScan();
    };

    blinkTimer_.setInterval(std::max(100, QApplication::cursorFlashTime() / 2));
    connect(&blinkTimer_, &QTimer::timeout, this, [this] {
        caretVisible_ = !caretVisible_;
        viewport()->update();
    });
    autoScrollTimer_.setInterval(50);
    connect(&autoScrollTimer_, &QTimer::timeout, this, &TCodeMemo::AutoScroll);
    idleTimer_.setInterval(0);
    connect(&idleTimer_, &QTimer::timeout, this, &TCodeMemo::IdleScanSlice);

    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
        if (!syncing_) memo_->SetFirstVisibleLine(value);
    });
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
        if (!syncing_) memo_->SetLeftColumn(value);
    });
    SyncScrollBars();
}

TCodeMemo::~TCodeMemo() {
    memo_->OnEdited = nullptr;
    memo_.reset();
}

// ---------------------------------------------------------------- properties

void TCodeMemo::SetGutterFont(const TCM_Font& font) {
    memo_->Settings().gutterFont = font;
    viewport()->update();
}

void TCodeMemo::SetShowFocusLine(bool show) {
    showFocusLine_ = show;
    viewport()->update();
}

void TCodeMemo::SetHideSelection(bool hide) {
    hideSelection_ = hide;
    viewport()->update();
}

void TCodeMemo::SetHyperCursor(const QCursor& cursor) {
    hyperCursor_ = cursor;
    if (hoverCursor_) viewport()->setCursor(hyperCursor_);
}

void TCodeMemo::SetScrollBars(TScrollBars bars) {
    scrollBars_ = bars;
    const bool horizontal = bars == TScrollBars::ssHorizontal || bars == TScrollBars::ssBoth;
    const bool vertical = bars == TScrollBars::ssVertical || bars == TScrollBars::ssBoth;
    setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
}

TColor TCodeMemo::DefTextColor() {
    const TCM_Effect& e0 = memo_->OwnSettings().effects[0];
    return e0.defaultForeground ? clBlack : e0.foreground;
}

void TCodeMemo::SetDefTextColor(TColor colour) {
    TCM_Effect& e0 = memo_->OwnSettings().effects[0];
    e0.foreground = colour;
    e0.defaultForeground = false;
    viewport()->update();
}

TColor TCodeMemo::DefBackColor() {
    const TCM_Effect& e0 = memo_->OwnSettings().effects[0];
    return e0.defaultBackground ? clWhite : e0.background;
}

void TCodeMemo::SetDefBackColor(TColor colour) {
    TCM_Effect& e0 = memo_->OwnSettings().effects[0];
    e0.background = colour;
    e0.defaultBackground = false;
    viewport()->update();
}

void TCodeMemo::SetDefFontStyle(std::uint8_t style) {
    memo_->OwnSettings().effects[0].fontStyle = style;
    viewport()->update();
}

int TCodeMemo::GutterWidth() { return memo_->HasOption(smoShowGutter) ? std::max(0, memo_->Settings().gutter) : 0; }

int TCodeMemo::TextLeft() { return GutterWidth() + std::max(0, memo_->Settings().margin); }

std::int32_t TCodeMemo::VisibleColumns() {
    return std::max(1, (viewport()->width() - TextLeft()) / std::max(1, fonts_.CharWidth()));
}

// ---------------------------------------------------------------- host

void TCodeMemo::SetFont(const TCM_Font& font) {
    fonts_.Set(font);
    CaretChanged();
}

int TCodeMemo::ClientWidth() const { return viewport()->width(); }

int TCodeMemo::ClientHeight() const { return viewport()->height(); }

bool TCodeMemo::HasClipboardText() const {
    const QMimeData* data = QApplication::clipboard()->mimeData();
    return data && TCodeMemoClipboard::HasText(*data);
}

std::string TCodeMemo::ClipboardText() const {
    std::string text;
    if (const QMimeData* data = QApplication::clipboard()->mimeData()) TCodeMemoClipboard::ReadText(*data, text);
    return text;
}

// The control copies its selection: the plain text comes from it, the rich text from the
// exporter over the same range, while the selection still stands.
void TCodeMemo::SetClipboardText(const std::string& text) {
    std::string rtf;
    if ((clipCopyFormats_ & smRTF) && memo_->HasSelection()) {
        const Offset start = memo_->SelStart();
        const Offset end = start + memo_->SelLength();
        TMemoryStream stream;
        exporter_->Write(*memo_, stream, start, end, TSaveFormat::sfRTF);
        rtf = stream.Bytes();
    }
    QApplication::clipboard()->setMimeData(TCodeMemoClipboard::MakeMimeData(text, rtf));
}

void TCodeMemo::Invalidate() {
    if (!memo_ || memo_->PaintLocked()) return;
    viewport()->update();
    SyncScrollBars();
}

void TCodeMemo::CaretChanged() {
    caretVisible_ = true;
    if (hasFocus() && blinkTimer_.interval() > 0) blinkTimer_.start();
    viewport()->update();
    if (OnCaretMoved) OnCaretMoved();
}

void TCodeMemo::Beep() { QApplication::beep(); }

void TCodeMemo::PrintSelection() {
    if (OnPrintSelection) {
        OnPrintSelection();
        return;
    }
    QPrinter printer;
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted) PrintSelection(printer);
}

// ---------------------------------------------------------------- scroll bars

void TCodeMemo::SyncScrollBars() {
    if (!memo_) return;
    const bool was = syncing_;
    syncing_ = true;
    TTextStore& store = memo_->Store();
    const int visible = memo_->VisibleLines();
    const int first = memo_->FirstVisibleLine();
    QScrollBar* v = verticalScrollBar();
    v->setRange(0, std::max({0, store.LineCount() - visible, first}));
    v->setPageStep(visible);
    v->setSingleStep(1);
    v->setValue(first);
    const int columns = VisibleColumns();
    QScrollBar* h = horizontalScrollBar();
    h->setRange(0, std::max({0, store.WidestLine() + 1 - columns, memo_->LeftColumn()}));
    h->setPageStep(columns);
    h->setSingleStep(1);
    h->setValue(memo_->LeftColumn());
    syncing_ = was;
}

void TCodeMemo::scrollContentsBy(int, int) {
    // The view follows the control's first line and column; the scroll bars only ask for them.
}

void TCodeMemo::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    memo_->Resized();
    SyncScrollBars();
}

void TCodeMemo::changeEvent(QEvent* event) {
    if (event->type() == QEvent::PaletteChange) viewport()->update();
    QAbstractScrollArea::changeEvent(event);
}

// ---------------------------------------------------------------- painting

void TCodeMemo::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    if (memo_->Options() != paintedOptions_) {
        const TCodeMemoOptions changed = memo_->Options() ^ paintedOptions_;
        paintedOptions_ = memo_->Options();
        // Highlighting switched on: the values must be looked at again.
        if (changed & smoSyntaxHighlight) {
            viewScanner_->Restart();
            StartIdleScan();
        }
        // Wrapped lines need no sideways scrolling: bring the caret's segment back into view.
        if ((changed & smoWordWrap) && memo_->HasOption(smoWordWrap)) memo_->ScrollCaretIntoView();
    }
    SyncScrollBars();
    PaintLines(painter, viewport()->rect());
    PaintCaret(painter);
}

void TCodeMemo::PaintLines(QPainter& painter, const QRect& area) {
    TTextStore& store = memo_->Store();
    const TCM_Settings& settings = memo_->Settings();
    const TColourResolver colours(palette());
    looks_.Build(settings, colours);
    if (!(gutterFontKey_ == settings.gutterFont)) {
        gutterFontKey_ = settings.gutterFont;
        gutterFont_ = TPaintFonts::MakeFont(settings.gutterFont, false);
    }
    const int lh = fonts_.LineHeight();
    const int cw = fonts_.CharWidth();
    const int gutter = GutterWidth();
    const int margin = std::max(0, settings.margin);
    const int textLeft = gutter + margin;
    const int width = area.width();
    const int rows = area.height() / lh + 1;
    const LineIndex first = memo_->FirstVisibleLine();
    const std::int32_t leftColumn = memo_->LeftColumn();
    const std::int32_t visibleColumns = std::max(1, (width - textLeft) / cw + 1);

    if (store.First() != kNoRecord) viewScanner_->EnsureVisible(first, first + rows - 1);

    TTextLineArgs args;
    args.x0 = textLeft - leftColumn * cw;
    args.clipLeft = textLeft;
    args.clipRight = width;
    args.firstColumn = leftColumn;
    args.lastColumn = leftColumn + visibleColumns;
    args.highlight = memo_->HasOption(smoSyntaxHighlight);
    args.selForeground = colours.Resolve(settings.selTextColor);
    args.selBackground = colours.Resolve(settings.selTextBack);
    args.controlForeground = TColourResolver::FromBgr(kControlCharColour);
    const bool showSelection = memo_->HasSelection() && (!hideSelection_ || hasFocus());
    const Offset selStart = memo_->SelStart();
    const Offset selEnd = selStart + memo_->SelLength();
    const bool showAll = memo_->HasOption(smoShowAllChars);
    const int rightMarginX = textLeft + (settings.rightMargin - leftColumn) * cw;
    const int wrapColumnX = textLeft + (memo_->WrapAtColumn() - leftColumn) * cw;
    const bool drawRightMargin = memo_->HasOption(smoShowRMargin) && rightMarginX >= textLeft;
    const bool drawWrapColumn = memo_->HasOption(smoShowWrapColumn) && memo_->WrapAtColumn() > 0 && wrapColumnX >= textLeft;
    const auto marginLines = [&](int top, int height) {
        painter.setClipRect(QRect(textLeft, 0, std::max(0, width - textLeft), area.height()));
        if (drawRightMargin) {
            painter.setPen(TColourResolver::FromBgr(kMarginLineColour));
            painter.drawLine(rightMarginX, top, rightMarginX, top + height - 1);
        }
        if (drawWrapColumn) {
            painter.setPen(TColourResolver::FromBgr(kWrapColumnColour));
            painter.drawLine(wrapColumnX, top, wrapColumnX, top + height - 1);
        }
        painter.setClipping(false);
    };

    int y = 0;
    if (store.First() != kNoRecord) {
        TTextStore::Location loc = store.LineByIndex(first);
        const TTextStore::Location firstSegment = store.FirstSegment(loc);
        std::int32_t logical = store.LogicalLineOf(firstSegment.lineStart) + 1;
        // The line colours stand on a logical line's first segment and hold for all of them.
        TColor colour1 = store.LineColour1(firstSegment.record);
        TColor colour2 = store.LineColour2(firstSegment.record);
        std::uint16_t lineMarks = store.Record(firstSegment.record).lineMarks;
        for (RecordId id = loc.record; id != kNoRecord && y < area.height(); id = store.Next(id)) {
            const TLineRecord& rec = store.Record(id);
            const bool continuation = (rec.marks & kMarkContinuation) != 0;
            if (!continuation && id != firstSegment.record) {
                colour1 = store.LineColour1(id);
                colour2 = store.LineColour2(id);
                lineMarks = rec.lineMarks;
            }
            const std::string_view text = store.LineText(id);
            TLineComposer::Compose(text, store.StylesOf(rec), settings, showAll, composed_, leftColumn + visibleColumns + 1);

            bool handled = false;
            if (OnDrawLine) {
                TLineDrawData data;
                data.text = composed_.text.c_str();
                data.dc = &painter;
                data.left = textLeft;
                data.top = y;
                data.right = width;
                data.bottom = y + lh;
                data.displayLine = loc.line;
                data.lineStart = loc.lineStart;
                data.length = composed_.Columns();
                data.handled = false;
                OnDrawLine(data);
                handled = data.handled;
            }
            if (!handled) {
                args.top = y;
                args.selFrom = args.selTo = 0;
                args.selectLineEnd = false;
                if (showSelection && selStart < loc.lineStart + rec.length && selEnd > loc.lineStart) {
                    const std::int32_t from = std::max(selStart - loc.lineStart, 0);
                    const std::int32_t to = std::min(selEnd - loc.lineStart, composed_.contentLength);
                    args.selFrom = composed_.columnOfChar[static_cast<std::size_t>(std::min(from, composed_.contentLength))];
                    args.selTo = composed_.columnOfChar[static_cast<std::size_t>(std::max(to, 0))];
                    args.selectLineEnd = composed_.endsLine && selEnd > loc.lineStart + composed_.contentLength;
                    if (args.selectLineEnd && showAll) ++args.selTo;  // the line-end mark is a cell of its own
                }
                args.lineOverride = colour1 != clNone;
                args.overrideBackground = colours.Resolve(colour1);
                args.overrideForeground = colour2 != clNone ? colours.Resolve(colour2) : QColor();
                TCodeMemoPainter::PaintText(painter, composed_, looks_, fonts_, args);
                marginLines(y, lh);
            }
            if (gutter > 0 || margin > 0)
                PaintGutterLine(painter, colours, rec, y, continuation ? 0 : logical, continuation, lineMarks);
            if (rec.EndsWithCR()) ++logical;
            loc = {rec.next, loc.line + 1, loc.lineStart + rec.length};
            y += lh;
        }
    }
    if (y < area.height()) {
        // Below the text: the background, the margin lines and the gutter.
        const int rest = area.height() - y;
        painter.fillRect(QRect(textLeft, y, std::max(0, width - textLeft), rest), looks_.Base().background);
        marginLines(y, rest);
        painter.fillRect(QRect(0, y, gutter, rest), colours.Resolve(settings.gutterColor));
        painter.fillRect(QRect(gutter, y, margin, rest), colours.Resolve(settings.marginColor));
    }
    if (showFocusLine_ && hasFocus()) {
        const LineIndex caretRow = memo_->CaretLine() - first;
        if (caretRow >= 0 && caretRow < rows) {
            QPen pen(looks_.Base().foreground);
            pen.setStyle(Qt::DotLine);
            painter.setPen(pen);
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(QRect(textLeft, caretRow * lh, std::max(1, width - textLeft - 1), lh - 1));
        }
    }
    if (dropCaret_ >= 0) {
        // Where a drop would go.
        const TTextStore::Location at = store.Locate(dropCaret_);
        const int row = at.line - first;
        if (row >= 0 && row < rows) {
            const std::int32_t column = static_cast<std::int32_t>(dropCaret_ - at.lineStart);
            painter.fillRect(QRect(textLeft + (column - leftColumn) * cw, row * lh, 2, lh), looks_.Base().foreground);
        }
    }
}

void TCodeMemo::PaintGutterLine(QPainter& painter, const TColourResolver& colours, const TLineRecord& rec, int top,
                                std::int32_t lineNumber, bool continuation, std::uint16_t lineMarks) {
    const TCM_Settings& settings = memo_->Settings();
    const int gutter = GutterWidth();
    const int lh = fonts_.LineHeight();
    painter.fillRect(QRect(gutter, top, std::max(0, settings.margin), lh), colours.Resolve(settings.marginColor));
    if (gutter <= 0) return;
    const QRect cell(0, top, gutter, lh);
    painter.fillRect(cell, colours.Resolve(settings.gutterColor));
    painter.save();
    painter.setClipRect(cell);
    if (memo_->HasOption(smoLineNumbers) && lineNumber > 0) {
        painter.setFont(gutterFont_);
        painter.setPen(colours.Resolve(settings.gutterFont.color));
        painter.drawText(cell.adjusted(0, 0, -2, 0), Qt::AlignRight | Qt::AlignVCenter, QString::number(lineNumber));
    }
    const int glyphTop = top + (lh - TGutterGlyphs::kHeight) / 2;
    if (!continuation) {
        const std::uint16_t bookmark = rec.marks & kBookmarkMask;
        for (int index = 0; index < 10; ++index)
            if (bookmark & (1u << index)) TGutterGlyphs::DrawBookmark(painter, QPoint(1, glyphTop), index);
        if (lineMarks && OnDrawMark) {
            const QRect markRect(TGutterGlyphs::kWidth + 2, glyphTop, TGutterGlyphs::kWidth, TGutterGlyphs::kHeight);
            for (int mark = 1; mark <= 16; ++mark)
                if (lineMarks & (1u << (mark - 1))) OnDrawMark(painter, markRect, mark);
        }
    } else if (memo_->HasOption(smoShowWrapGlyph)) {
        TGutterGlyphs::DrawWrap(painter, QPoint(gutter - TGutterGlyphs::kWidth - 1, glyphTop));
    }
    painter.restore();
}

void TCodeMemo::PaintCaret(QPainter& painter) {
    if (!hasFocus() || !caretVisible_) return;
    const TCustomCodeMemo::TCaretShape shape = memo_->CaretShape();
    if (shape.x < TextLeft() || shape.y < 0 || shape.y >= viewport()->height()) return;
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.fillRect(QRect(shape.x, shape.y, shape.width, shape.height), Qt::white);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

// ---------------------------------------------------------------- keys

bool TCodeMemo::event(QEvent* event) {
    // TAB and Shift+TAB are keys of the text, not focus moves, while the control wants them.
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) && memo_->wantTab) {
            keyPressEvent(key);
            return true;
        }
    }
    if (event->type() == QEvent::ShortcutOverride) {
        // Keys the control binds (and the second stroke of a sequence) reach it before the
        // window's short-cuts take them; all others stay the window's.
        auto* key = static_cast<QKeyEvent*>(event);
        if (KeyIsBound(TKeyMap::VirtualKey(key->key(), key->modifiers()), TKeyMap::Shift(key->modifiers()))) {
            event->accept();
            return true;
        }
    }
    return QAbstractScrollArea::event(event);
}

bool TCodeMemo::KeyIsBound(std::uint16_t vk, TShiftState shift) {
    const TKeyboardActionContoller& keys = memo_->Settings().keys;
    if (keys.Pending()) return true;
    if (vk == 0) return false;
    switch (vk) {
        // The key path matches these without Shift (Shift extends the selection).
        case VK_BACK: case VK_PRIOR: case VK_NEXT: case VK_END: case VK_HOME:
        case VK_LEFT: case VK_UP: case VK_RIGHT: case VK_DOWN:
            shift = static_cast<TShiftState>(shift & ~ssShift);
            break;
        default:
            break;
    }
    const TShortCut stroke = TKeyboardActionContoller::Stroke(vk, shift);
    for (const TKeyStore::Node* node = keys.Keys().Root(); node; node = node->next)
        if (node->key == stroke) return true;
    return false;
}

bool TCodeMemo::focusNextPrevChild(bool next) {
    if (memo_->wantTab) return false;
    return QAbstractScrollArea::focusNextPrevChild(next);
}

void TCodeMemo::keyPressEvent(QKeyEvent* event) {
    const int qtKey = event->key();
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    event->accept();
    const bool modifierOnly = qtKey == Qt::Key_Shift || qtKey == Qt::Key_Control || qtKey == Qt::Key_Alt ||
                              qtKey == Qt::Key_Meta || qtKey == Qt::Key_AltGr;
    if (modifierOnly) return;
    const std::uint16_t vk = TKeyMap::VirtualKey(qtKey, modifiers);
    if (vk != 0 && memo_->KeyDown(vk, TKeyMap::Shift(modifiers))) return;

    const bool ctrl = (modifiers & Qt::ControlModifier) != 0;
    const bool alt = (modifiers & Qt::AltModifier) != 0;
    if (qtKey == Qt::Key_Return || qtKey == Qt::Key_Enter) {
        char c = ctrl ? '\n' : '\r';
        if (OnKeyPress) OnKeyPress(c);
        if (c) memo_->KeyPress(c);
        return;
    }
    if (qtKey == Qt::Key_Tab || qtKey == Qt::Key_Backtab) {
        if (ctrl || alt) return;
        char c = '\t';
        if (OnKeyPress) OnKeyPress(c);
        if (c) memo_->KeyPress(c);
        return;
    }
    // Ctrl or Alt alone make commands, not characters; both together are AltGr.
    if (ctrl != alt) return;
    TypeText(event->text());
}

void TCodeMemo::TypeText(const QString& text) {
    for (QChar ch : text) {
        unsigned char byte = 0;
        if (!Windows1252::FromUnicode(ch, byte) || byte < 32 || byte == 127) continue;
        char c = static_cast<char>(byte);
        if (OnKeyPress) OnKeyPress(c);
        if (c) memo_->KeyPress(c);
    }
}

void TCodeMemo::keyReleaseEvent(QKeyEvent* event) {
    if (OnKeyUp) {
        std::uint16_t key = TKeyMap::VirtualKey(event->key(), event->modifiers());
        TShiftState shift = TKeyMap::Shift(event->modifiers());
        OnKeyUp(key, shift);
    }
    event->accept();
}

void TCodeMemo::inputMethodEvent(QInputMethodEvent* event) {
    if (!event->commitString().isEmpty()) TypeText(event->commitString());
    event->accept();
}

// ---------------------------------------------------------------- mouse

TCodeMemo::THit TCodeMemo::HitTest(QPoint point) {
    THit hit;
    const int lh = std::max(1, fonts_.LineHeight());
    const int cw = std::max(1, fonts_.CharWidth());
    hit.inGutter = point.x() < GutterWidth();
    const int row = point.y() >= 0 ? point.y() / lh : -((-point.y() + lh - 1) / lh);
    hit.line = std::max<LineIndex>(0, memo_->FirstVisibleLine() + row);
    const int x = point.x() - TextLeft();
    hit.column = std::max<std::int32_t>(0, memo_->LeftColumn() + (x >= 0 ? (x + cw / 2) / cw : 0));
    return hit;
}

Offset TCodeMemo::OffsetAt(QPoint point) { return OffsetOfHit(HitTest(point)); }

Offset TCodeMemo::OffsetOfHit(const THit& hit) {
    TTextStore& store = memo_->Store();
    if (store.First() == kNoRecord) return 0;
    if (hit.line >= store.LineCount()) return store.CharCount();
    const TTextStore::Location loc = store.LineByIndex(hit.line);
    const TLineRecord& rec = store.Record(loc.record);
    TLineComposer::Compose(store.LineText(loc.record), nullptr, memo_->Settings(), false, composed_);
    std::int32_t index = composed_.contentLength;
    if (hit.column < composed_.Columns()) {
        index = composed_.charOfColumn[static_cast<std::size_t>(hit.column)];
        // Inside a TAB's cells: the nearer of its two sides.
        const std::int32_t left = composed_.columnOfChar[static_cast<std::size_t>(index)];
        if (left < hit.column) {
            const std::int32_t right = composed_.columnOfChar[static_cast<std::size_t>(index) + 1];
            if (hit.column * 2 >= left + right) ++index;
        }
    }
    // The last character of a segment that continues on the next one is not a caret place.
    if (!rec.EndsWithCR() && rec.next != kNoRecord) index = std::min(index, static_cast<std::int32_t>(rec.length) - 1);
    return loc.lineStart + index;
}

void TCodeMemo::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    const QPoint point = event->position().toPoint();
    lastMouse_ = point;
    if (event->button() != Qt::LeftButton) return;
    const THit hit = HitTest(point);
    TTextStore& store = memo_->Store();

    // A third click soon after a double click near the same place.
    const bool triple = lastDoubleClick_.isValid() &&
                        lastDoubleClick_.elapsed() <= QApplication::doubleClickInterval() &&
                        (point - doubleClickPoint_).manhattanLength() <= QApplication::startDragDistance();
    lastDoubleClick_.invalidate();

    if (hit.inGutter) {
        if (OnGutterClick && store.First() != kNoRecord && hit.line < store.LineCount()) {
            const TTextStore::Location first = store.FirstSegment(store.LineByIndex(hit.line));
            OnGutterClick(first.line + 1);
        }
        return;
    }
    if (triple) {
        const Offset at = OffsetAt(point);
        if (store.First() != kNoRecord) {
            const TTextStore::Location first = store.FirstSegment(store.Locate(at));
            const Offset end = store.LogicalLineEnd(first);
            memo_->SetSelection(first.lineStart, std::min(end + 1, store.CharCount()));
        }
        if (OnTripleClick) OnTripleClick(point, at);
        return;
    }
    std::string hotText;
    int hotValue = 0;
    if (HotSpotAt(point, hotText, hotValue) && OnHyperlinkClick) OnHyperlinkClick(hotText, hotValue);

    const bool shift = (event->modifiers() & Qt::ShiftModifier) != 0;
    if (!shift && memo_->HasOption(smoOLEDragSource) && memo_->HasSelection()) {
        const Offset at = OffsetAt(point);
        if (at >= memo_->SelStart() && at < memo_->SelStart() + memo_->SelLength()) {
            dragCandidate_ = true;
            pressPoint_ = point;
            return;
        }
    }
    PlaceCaret(hit, shift);
    selecting_ = true;
}

void TCodeMemo::mouseMoveEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    lastMouse_ = point;
    if (dragCandidate_ && (event->buttons() & Qt::LeftButton)) {
        if ((point - pressPoint_).manhattanLength() >= QApplication::startDragDistance()) {
            dragCandidate_ = false;
            StartDrag();
        }
        return;
    }
    if (selecting_ && (event->buttons() & Qt::LeftButton)) {
        ExtendSelectionTo(point);
        if (viewport()->rect().contains(point))
            autoScrollTimer_.stop();
        else if (!autoScrollTimer_.isActive())
            autoScrollTimer_.start();
        return;
    }
    UpdateHover(point);
}

void TCodeMemo::mouseReleaseEvent(QMouseEvent* event) {
    autoScrollTimer_.stop();
    selecting_ = false;
    if (dragCandidate_) {
        // Pressed in the selection but not dragged: an ordinary click.
        dragCandidate_ = false;
        PlaceCaret(HitTest(event->position().toPoint()), false);
    }
}

void TCodeMemo::mouseDoubleClickEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    if (event->button() != Qt::LeftButton) return;
    const THit hit = HitTest(point);
    if (hit.inGutter) {
        mousePressEvent(event);
        return;
    }
    lastDoubleClick_.start();
    doubleClickPoint_ = point;
    if (memo_->HasOption(smoWordSelect)) SelectWordAt(hit);
}

void TCodeMemo::SelectWordAt(const THit& hit) {
    TTextStore& store = memo_->Store();
    if (store.First() == kNoRecord) return;
    const Offset at = OffsetOfHit(hit);
    // The word touching the click: the character right of the point, else the one left of it.
    Offset start = at;
    if (start >= store.CharCount() || !memo_->IsWordChar(static_cast<unsigned char>(store.CharAt(start)))) {
        if (start == 0 || !memo_->IsWordChar(static_cast<unsigned char>(store.CharAt(start - 1)))) return;
        --start;
    }
    Offset end = start;
    while (start > 0 && memo_->IsWordChar(static_cast<unsigned char>(store.CharAt(start - 1)))) --start;
    while (end < store.CharCount() && memo_->IsWordChar(static_cast<unsigned char>(store.CharAt(end)))) ++end;
    memo_->SetSelection(start, end);
    selecting_ = false;
}

void TCodeMemo::ExtendSelectionTo(QPoint point) { PlaceCaret(HitTest(point), true); }

// The caret goes to the character boundary nearest to the point (either side of a TAB), or to
// the point's column when that lies right of the line's end (where the control allows it).
void TCodeMemo::PlaceCaret(const THit& hit, bool extend) {
    TTextStore& store = memo_->Store();
    std::int32_t column = hit.column;
    if (store.First() != kNoRecord && hit.line < store.LineCount()) {
        const Offset at = OffsetOfHit(hit);
        const std::int32_t index = at - store.LineByIndex(hit.line).lineStart;
        const std::int32_t boundary = composed_.columnOfChar[static_cast<std::size_t>(std::min(index, composed_.contentLength))];
        if (index < composed_.contentLength || hit.column < boundary) column = boundary;
    }
    memo_->MoveCaretTo(hit.line, column, extend);
    memo_->ScrollCaretIntoView();
}

void TCodeMemo::AutoScroll() {
    if (!selecting_) {
        autoScrollTimer_.stop();
        return;
    }
    ExtendSelectionTo(lastMouse_);
}

void TCodeMemo::wheelEvent(QWheelEvent* event) {
    const QPoint delta = event->angleDelta();
    const bool horizontal = delta.x() != 0 || (event->modifiers() & Qt::ShiftModifier);
    const int steps = horizontal ? (delta.x() != 0 ? delta.x() : delta.y()) : delta.y();
    int& remainder = horizontal ? wheelRemainderX_ : wheelRemainder_;
    remainder += steps;
    const int notches = remainder / 120;
    remainder -= notches * 120;
    if (notches != 0) {
        const int lines = notches * QApplication::wheelScrollLines();
        if (horizontal)
            memo_->SetLeftColumn(memo_->LeftColumn() - lines);
        else
            memo_->SetFirstVisibleLine(memo_->FirstVisibleLine() - lines);
        SyncScrollBars();
    }
    event->accept();
}

bool TCodeMemo::HotSpotAt(QPoint point, std::string& text, int& value) {
    TTextStore& store = memo_->Store();
    if (store.First() == kNoRecord || point.x() < TextLeft() || !memo_->HasOption(smoSyntaxHighlight)) return false;
    const THit hit = HitTest(point);
    if (hit.line >= store.LineCount()) return false;
    const TTextStore::Location loc = store.LineByIndex(hit.line);
    const TLineRecord& rec = store.Record(loc.record);
    const std::uint8_t* styles = store.StylesOf(rec);
    if (!styles) return false;
    // The character under the point (not the nearest boundary).
    const std::int32_t column = memo_->LeftColumn() + (point.x() - TextLeft()) / std::max(1, fonts_.CharWidth());
    TLineComposer::Compose(store.LineText(loc.record), styles, memo_->Settings(), false, composed_);
    if (column >= composed_.Columns()) return false;
    const std::int32_t index = composed_.charOfColumn[static_cast<std::size_t>(column)];
    const std::uint8_t v = styles[index];
    const TCM_Settings& settings = memo_->Settings();
    if (!settings.effects[settings.map[v]].hotSpot) return false;
    std::int32_t from = index;
    std::int32_t to = index + 1;
    while (from > 0 && styles[from - 1] == v) --from;
    while (to < composed_.contentLength && styles[to] == v) ++to;
    text.assign(store.LineText(loc.record).substr(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from)));
    value = v;
    return true;
}

void TCodeMemo::UpdateHover(QPoint point) {
    std::string text;
    int value = 0;
    const bool hot = HotSpotAt(point, text, value);
    if (hot != hoverCursor_) {
        hoverCursor_ = hot;
        if (hot)
            viewport()->setCursor(hyperCursor_);
        else
            viewport()->setCursor(point.x() < GutterWidth() ? Qt::ArrowCursor : Qt::IBeamCursor);
    }
    if (hot && (text != hoverText_ || value != hoverValue_)) {
        hoverText_ = text;
        hoverValue_ = value;
        if (OnHyperlinkHover) OnHyperlinkHover(text, value);
    } else if (!hot) {
        hoverText_.clear();
        hoverValue_ = -1;
    }
}

// ---------------------------------------------------------------- drag and drop

void TCodeMemo::StartDrag() {
    if (!memo_->HasSelection()) return;
    auto* drag = new QDrag(this);
    drag->setMimeData(TCodeMemoClipboard::MakeDragData(memo_->SelText()));
    internalDrop_ = false;
    const Qt::DropAction action = drag->exec(memo_->readOnly ? Qt::CopyAction : Qt::CopyAction | Qt::MoveAction, Qt::CopyAction);
    // Moved to another window: the text leaves this one. A move inside this one was done by the drop.
    if (action == Qt::MoveAction && !internalDrop_ && !memo_->readOnly) memo_->ReplaceSelection({});
    internalDrop_ = false;
}

std::uint8_t TCodeMemo::DropKinds(const QMimeData& data) const {
    std::uint8_t kinds = 0;
    if (TCodeMemoClipboard::HasPlainText(data)) kinds |= dkText;
    if (data.hasHtml() || data.hasFormat(TCodeMemoClipboard::kWindowsHtmlMime)) kinds |= dkHTML;
    if (data.hasUrls()) {
        for (const QUrl& url : data.urls())
            if (url.isLocalFile()) kinds |= dkFiles;
    }
    return kinds;
}

void TCodeMemo::dragEnterEvent(QDragEnterEvent* event) {
    const std::uint8_t kinds = DropKinds(*event->mimeData());
    const bool files = (kinds & dkFiles) && memo_->HasOption(smoProcessDroppedFiles);
    const bool text = (kinds & (dkText | dkHTML)) && !memo_->readOnly;
    Qt::DropAction action = files ? Qt::CopyAction : (text ? event->proposedAction() : Qt::IgnoreAction);
    if (OnOLEDragOver) OnOLEDragOver(*event->mimeData(), event->position().toPoint(), action);
    if (action == Qt::IgnoreAction) {
        event->ignore();
        return;
    }
    event->setDropAction(action);
    event->accept();
}

void TCodeMemo::dragMoveEvent(QDragMoveEvent* event) {
    const std::uint8_t kinds = DropKinds(*event->mimeData());
    const bool files = (kinds & dkFiles) && memo_->HasOption(smoProcessDroppedFiles);
    const bool text = (kinds & (dkText | dkHTML)) && !memo_->readOnly;
    Qt::DropAction action = files ? Qt::CopyAction : (text ? event->proposedAction() : Qt::IgnoreAction);
    if (OnOLEDragOver) OnOLEDragOver(*event->mimeData(), event->position().toPoint(), action);
    if (action == Qt::IgnoreAction) {
        event->ignore();
        return;
    }
    dropCaret_ = files ? -1 : OffsetAt(event->position().toPoint());
    viewport()->update();
    event->setDropAction(action);
    event->accept();
}

void TCodeMemo::dragLeaveEvent(QDragLeaveEvent* event) {
    dropCaret_ = -1;
    viewport()->update();
    event->accept();
}

void TCodeMemo::dropEvent(QDropEvent* event) {
    dropCaret_ = -1;
    viewport()->update();
    const QMimeData& data = *event->mimeData();
    const QPoint point = event->position().toPoint();
    const std::uint8_t kinds = DropKinds(data);
    if (OnDataDrop) OnDataDrop(kinds, point);
    if ((kinds & dkFiles) && memo_->HasOption(smoProcessDroppedFiles)) {
        QStringList files;
        for (const QUrl& url : data.urls())
            if (url.isLocalFile()) files << url.toLocalFile();
        if (OnFilesDropped) OnFilesDropped(files, point);
        event->acceptProposedAction();
        return;
    }
    if (!(kinds & (dkText | dkHTML)) || memo_->readOnly) {
        event->ignore();
        return;
    }
    const bool own = event->source() == this;
    const bool move = own && event->dropAction() == Qt::MoveAction;
    if (DropText(data, point, move)) {
        if (own) internalDrop_ = true;
        event->setDropAction(own ? Qt::MoveAction : event->dropAction());
        event->accept();
    } else {
        event->ignore();
    }
}

bool TCodeMemo::DropText(const QMimeData& data, QPoint point, bool moveSelection) {
    const bool move = moveSelection && memo_->HasSelection() && !memo_->readOnly;
    std::string text;
    if (memo_->readOnly || !TCodeMemoClipboard::ReadText(data, text)) return false;
    const Offset at = OffsetAt(point);
    const Offset selStart = memo_->SelStart();
    const Offset selEnd = selStart + memo_->SelLength();
    if (move && at >= selStart && at <= selEnd) return true;  // onto itself: nothing moves
    memo_->BeginUndoGroup(ugPaste);
    const auto insertAt = [&](Offset where) {
        const Offset before = memo_->Store().CharCount();
        memo_->SetSelection(where, where);
        memo_->ReplaceSelection(text);
        return memo_->Store().CharCount() - before;
    };
    Offset start = at;
    Offset inserted = 0;
    if (move && at > selEnd) {
        // Insert first so that the selection's offsets still hold, then take it away.
        inserted = insertAt(at);
        memo_->SetSelection(selStart, selEnd);
        memo_->ReplaceSelection({});
        start = at - (selEnd - selStart);
    } else {
        if (move) {
            memo_->SetSelection(selStart, selEnd);
            memo_->ReplaceSelection({});
        }
        inserted = insertAt(at);
    }
    // The dropped text stands selected at its new place.
    memo_->SetSelection(start, start + inserted);
    memo_->EndUndoGroup(ugPaste);
    setFocus(Qt::OtherFocusReason);
    return true;
}

// ---------------------------------------------------------------- focus

void TCodeMemo::focusInEvent(QFocusEvent* event) {
    caretVisible_ = true;
    if (blinkTimer_.interval() > 0) blinkTimer_.start();
    viewport()->update();
    QAbstractScrollArea::focusInEvent(event);
}

void TCodeMemo::focusOutEvent(QFocusEvent* event) {
    blinkTimer_.stop();
    viewport()->update();
    QAbstractScrollArea::focusOutEvent(event);
}

// ---------------------------------------------------------------- printing

void TCodeMemo::Print(QPrinter& printer) { PrintRange(printer, 0, memo_->Store().CharCount()); }

void TCodeMemo::PrintSelection(QPrinter& printer) {
    // The lines that hold the selection; one that the selection ends on at its first character
    // stays out. Without a selection, the caret's line.
    const Offset start = memo_->SelStart();
    PrintRange(printer, start, std::max(start + memo_->SelLength(), start + 1));
}

void TCodeMemo::PrintRange(QPrinter& printer, Offset from, Offset to) {
    const TColourResolver colours(palette());
    TCodeMemoPrinter job(*memo_, colours);
    job.mono = monoPrint_;
    job.title = Windows1252::ToUnicode(memo_->printTitle);
    job.onHeaderFooter = OnPrintHeaderFooter;
    printer.setDocName(job.title);
    job.Print(printer, from, std::min(to, memo_->Store().CharCount()));
    // Printing measured the font on the printer: measure it on the screen again.
    memo_->SetFont(memo_->Font());
    viewport()->update();
}

// ---------------------------------------------------------------- background scanning

void TCodeMemo::StartIdleScan() {
    if (!memo_->ActiveParserObject()) return;
    if (!idleTimer_.isActive()) idleTimer_.start();
}

// Small texts are scanned completely; in larger ones only the effect of edits is carried on,
// and lines never shown keep no values.
void TCodeMemo::IdleScanSlice() {
    viewScanner_->SetFillUnscanned(memo_->Store().CharCount() <= idleScanLimit_);
    QElapsedTimer clock;
    clock.start();
    TViewScanner::TResult result;
    bool more = true;
    while (more && clock.elapsed() < kIdleSliceMs) more = viewScanner_->Step(kIdleLinesPerStep, result);
    if (!more) idleTimer_.stop();
    const LineIndex first = memo_->FirstVisibleLine();
    const LineIndex last = first + memo_->VisibleLines();
    if (result.scanned && result.firstLine <= last && result.lastLine >= first) viewport()->update();
}

void TCodeMemo::FinishIdleScan() {
    viewScanner_->SetFillUnscanned(memo_->Store().CharCount() <= idleScanLimit_);
    TViewScanner::TResult result;
    while (viewScanner_->Step(kIdleLinesPerStep * 16, result)) {
    }
    idleTimer_.stop();
    viewport()->update();
}

}  // namespace quarry
