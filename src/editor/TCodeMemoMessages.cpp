#include "editor/TCodeMemoMessages.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "text/LineEnds.h"
#include "editor/TCodeMemoHost.h"
#include "editor/TCustomCodeMemo.h"
#include "text/TStream.h"

namespace quarry {

namespace {
template <typename T>
T* Pointer(std::intptr_t value) {
    return reinterpret_cast<T*>(value);
}

template <typename T>
T* Pointer(std::uintptr_t value) {
    return reinterpret_cast<T*>(value);
}

// Copies text into a caller's buffer of `capacity` bytes with a closing NUL; returns the count
// of characters copied.
std::intptr_t CopyOut(const std::string& text, char* buffer, std::size_t capacity) {
    if (!buffer || capacity == 0) return 0;
    const std::size_t n = std::min(text.size(), capacity - 1);
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
    return static_cast<std::intptr_t>(n);
}
}  // namespace

std::intptr_t TCodeMemoMessages::Perform(TCustomCodeMemo& memo, std::uint32_t message, std::uintptr_t wParam,
                                         std::intptr_t lParam) {
    if (message >= cm::CM_SELECTION && message <= cm::CM_UNDOSTACK) return Private(memo, message, wParam, lParam);
    bool handled = false;
    return Standard(memo, message, wParam, lParam, handled);
}

std::intptr_t TCodeMemoMessages::Standard(TCustomCodeMemo& memo, std::uint32_t message, std::uintptr_t wParam,
                                          std::intptr_t lParam, bool& handled) {
    TTextStore& store = memo.Store();
    handled = true;
    const auto displayLines = [&]() {
        if (store.First() == kNoRecord) return LineIndex{1};
        return store.LineCount() + (store.Record(store.Last()).EndsWithCR() ? 1 : 0);
    };
    switch (message) {
        case cm::WM_SETTEXT:
            memo.SetText(lParam ? std::string_view(Pointer<const char>(lParam)) : std::string_view{});
            return 1;
        case cm::WM_GETTEXT:
            return CopyOut(WithPlatformLineEnds(memo.Text()), Pointer<char>(lParam), wParam);
        case cm::WM_GETTEXTLENGTH:
            return static_cast<std::intptr_t>(
                store.WrittenSize(0, store.CharCount(), TSaveFormat::sfTEXT, TSelLineStyle::lsCRLF));
        case cm::EM_GETSEL: {
            const Offset start = memo.SelStart();
            const Offset end = memo.SelStart() + memo.SelLength();
            if (auto* p = Pointer<std::int32_t>(wParam)) *p = start;
            if (auto* p = Pointer<std::int32_t>(lParam)) *p = end;
            return (start > 0xFFFF || end > 0xFFFF) ? -1 : static_cast<std::intptr_t>(start | (end << 16));
        }
        case cm::EM_SETSEL: {
            const auto start = static_cast<std::int32_t>(wParam);
            auto end = static_cast<std::int32_t>(lParam);
            if (start == -1) {
                memo.SetSelection(memo.Caret(), memo.Caret());
                return 0;
            }
            if (end == -1) end = store.CharCount();
            memo.SetSelection(start, end);
            return 0;
        }
        case cm::EM_LINESCROLL:
            memo.SetLeftColumn(memo.LeftColumn() + static_cast<std::int32_t>(wParam));
            memo.SetFirstVisibleLine(memo.FirstVisibleLine() + static_cast<std::int32_t>(lParam));
            return 1;
        case cm::EM_GETLINECOUNT:
            return displayLines();
        case cm::EM_LINEINDEX: {
            auto line = static_cast<std::int32_t>(wParam);
            if (line == -1) line = memo.CaretLine();
            if (line < 0 || line >= displayLines()) return -1;
            if (line >= store.LineCount()) return store.CharCount();
            return store.LineByIndex(line).lineStart;
        }
        case cm::EM_LINELENGTH: {
            auto at = static_cast<std::int32_t>(wParam);
            if (at == -1) at = memo.Caret();
            if (store.First() == kNoRecord) return 0;
            const TTextStore::Location loc = store.Locate(at);
            if (loc.lineStart >= store.CharCount()) return 0;
            return store.Record(loc.record).ContentLength();
        }
        case cm::EM_REPLACESEL:
        case cm::CM_REPLACESEL:
            memo.ReplaceSelection(lParam ? std::string_view(Pointer<const char>(lParam)) : std::string_view{});
            return 0;
        case cm::EM_GETLINE: {
            auto* buffer = Pointer<char>(lParam);
            if (!buffer) return 0;
            std::uint16_t capacity = 0;
            std::memcpy(&capacity, buffer, sizeof capacity);
            const auto line = static_cast<std::int32_t>(wParam);
            if (line < 0 || line >= store.LineCount()) return 0;
            const TTextStore::Location loc = store.LineByIndex(line);
            const TLineRecord& rec = store.Record(loc.record);
            const std::size_t n = std::min<std::size_t>(rec.ContentLength(), capacity);
            std::memcpy(buffer, store.TextOf(rec), n);
            return static_cast<std::intptr_t>(n);
        }
        case cm::EM_CANUNDO:
            return memo.CanUndo() ? 1 : 0;
        case cm::EM_UNDO:
        case cm::WM_UNDO:
            memo.Undo();
            return 1;
        case cm::EM_LINEFROMCHAR: {
            auto at = static_cast<std::int32_t>(wParam);
            if (at == -1) at = memo.SelStart();
            if (store.First() == kNoRecord) return 0;
            return store.Locate(at).line;
        }
        case cm::EM_GETFIRSTVISIBLELINE:
            return memo.FirstVisibleLine();
        case cm::WM_CUT:
            memo.CutToClipboard();
            return 0;
        case cm::WM_COPY:
            memo.CopyToClipboard();
            return 0;
        case cm::WM_PASTE:
            memo.PasteFromClipboard();
            return 0;
        case cm::WM_CLEAR:
            if (memo.HasSelection()) memo.ReplaceSelection({});
            return 0;
        case cm::EM_CANPASTE:
            return memo.Host().HasClipboardText() ? 1 : 0;
        default:
            handled = false;
            return 0;
    }
}

std::intptr_t TCodeMemoMessages::Private(TCustomCodeMemo& memo, std::uint32_t message, std::uintptr_t wParam,
                                         std::intptr_t lParam) {
    TTextStore& store = memo.Store();
    const bool set = (wParam & 1) != 0;
    switch (message) {
        case cm::CM_SELECTION: {
            auto* pair = Pointer<std::int32_t>(lParam);
            if (!pair) return 0;
            if (!set) {
                pair[0] = memo.Anchor();
                pair[1] = memo.Caret();
                return 1;
            }
            std::int32_t end = pair[1];
            if ((wParam & 2) && end == -1) end = store.CharCount();
            memo.SetSelection(pair[0], end);
            return 1;
        }
        case cm::CM_SETOPTIONS:
            if (wParam == 1) memo.SetOptions(static_cast<TCodeMemoOptions>(lParam));
            return static_cast<std::intptr_t>(memo.Options());
        case cm::CM_REPLACESEL:
            memo.ReplaceSelection(lParam ? std::string_view(Pointer<const char>(lParam)) : std::string_view{});
            return 0;
        case cm::CM_PAINTLOCK:
            if (set) {
                if (lParam != 0) {
                    ++memo.paintLock_;
                } else if (memo.paintLock_ > 0 && --memo.paintLock_ == 0 && !(wParam & 2)) {
                    memo.UpdateSegmenter();
                    memo.Host().Invalidate();
                }
            }
            return memo.paintLock_ > 0 ? 1 : 0;
        case cm::CM_LOADSTREAM:
            if (auto* stream = Pointer<TStream>(lParam)) {
                memo.LoadFromStream(*stream);
                if (!(wParam & 2)) memo.Host().Invalidate();
            }
            return 0;
        case cm::CM_SAVESTREAM: {
            TSaveFormat format = TSaveFormat::sfTEXT;
            TSelLineStyle style = TSelLineStyle::lsLF;
            if (wParam & cm::SF_RTF) format = TSaveFormat::sfRTF;
            else if (wParam & cm::SF_HTML) format = TSaveFormat::sfHTML;
            else if (wParam & cm::SF_LF) format = TSaveFormat::sfUNIX;
            else if (wParam & cm::SF_CRLF) style = TSelLineStyle::lsCRLF;
            memo.SaveToStreamFormat(Pointer<TStream>(lParam), format, style);
            return 0;
        }
        case cm::CM_MODIFIED:
            if (set) memo.SetModified(lParam != 0);
            return memo.Modified() ? 1 : 0;
        case cm::CM_FIRSTLINE:
            if (set) memo.SetFirstVisibleLine(static_cast<LineIndex>(lParam));
            return memo.FirstVisibleLine();
        case cm::CM_FIRSTCOLUMN:
            if (set) memo.SetLeftColumn(static_cast<std::int32_t>(lParam));
            return memo.LeftColumn();
        case cm::CM_COPYSEL: {
            const std::string text = memo.SelText();
            if (lParam && wParam > 0) CopyOut(text, Pointer<char>(lParam), wParam);
            return static_cast<std::intptr_t>(text.size());
        }
        case cm::CM_CANREDO:
            return memo.CanRedo() ? 1 : 0;
        case cm::CM_REDO:
            memo.Redo();
            return 1;
        case cm::CM_INDENT:
            memo.IndentSelection();
            return 0;
        case cm::CM_UNINDENT:
            memo.UnindentSelection();
            return 0;
        case cm::CM_PARSERCHANGED:
            memo.ApplySettings();
            return 0;
        case cm::CM_SETTOKENS: {
            const auto* bytes = Pointer<const std::uint8_t>(lParam);
            if (!bytes || store.First() == kNoRecord) return 0;
            LineIndex first = 0;
            LineIndex last = store.LineCount() - 1;
            if (const auto* range = Pointer<const std::int32_t>(wParam)) {
                first = std::max<LineIndex>(range[0], 0);
                last = std::min<LineIndex>(range[1], store.LineCount() - 1);
            }
            if (first > last) return 0;
            TTextStore::Location loc = store.LineByIndex(first);
            for (LineIndex line = first; line <= last && loc.record != kNoRecord; ++line) {
                const TLineRecord& rec = store.Record(loc.record);
                store.SetStyles(loc.record, bytes);
                store.SetFlags(loc.record, lfRepaint, lfChanged);
                bytes += rec.length;
                loc = {rec.next, line + 1, loc.lineStart + rec.length};
            }
            memo.Host().Invalidate();
            return 1;
        }
        case cm::CM_UNDOSTACK:
            if (set) store.SetUndo(Pointer<TUndoStack>(lParam));
            return reinterpret_cast<std::intptr_t>(store.Undo());
        default:
            return 0;
    }
}

}  // namespace quarry
