#include "editor/TCustomCodeMemo.h"
#include "editor/TCustomCodeMemoOperation.h"

#include <algorithm>

#include "editor/TCodeMemoHost.h"
#include "editor/TWordWrapSegmenter.h"
#include "highlight/TCodeMemoScanner.h"
#include "text/CodePage1252.h"
#include "text/Utf8.h"

namespace quarry {

// ---------------------------------------------------------------- encoding

void TCustomCodeMemo::SetEncoding(TextEncoding encoding) {
    if (encoding == encoding_) return;
    encoding_ = encoding;
    anchor_ = CharStartOf(anchor_);
    caret_ = CharStartOf(caret_);
    beyondEol_ = false;
    segmenter_->utf8 = IsUtf8();
    store_->SetKeepSequences(IsUtf8());
    scanner_->utf8Letters = IsUtf8();
    // Cuts, word characters and token values all depend on what a character is.
    if (store_->Segmenter() || store_->LineCount() != store_->LogicalLineCount()) RewrapAll();
    RescanAll();
    host_.CaretChanged();
    if (OnChange) OnChange();
}

Offset TCustomCodeMemo::NextCharStart(Offset offset) {
    const Offset count = store_->CharCount();
    if (offset >= count) return count;
    if (!IsUtf8() || static_cast<unsigned char>(store_->CharAt(offset)) < 0x80) return offset + 1;
    const std::string bytes = store_->GetText(offset, std::min<Offset>(offset + 4, count));
    return offset + Utf8::LengthAt(bytes, 0);
}

Offset TCustomCodeMemo::PrevCharStart(Offset offset) {
    offset = std::min(offset, store_->CharCount());
    if (offset <= 0) return 0;
    if (!IsUtf8() || static_cast<unsigned char>(store_->CharAt(offset - 1)) < 0x80) return offset - 1;
    const Offset from = std::max<Offset>(offset - 4, 0);
    const std::string bytes = store_->GetText(from, offset);
    return from + static_cast<Offset>(Utf8::StartBefore(bytes, bytes.size()));
}

Offset TCustomCodeMemo::CharStartOf(Offset offset) {
    offset = std::clamp<Offset>(offset, 0, store_->CharCount());
    if (!IsUtf8() || offset >= store_->CharCount() || !Utf8::IsContinuation(static_cast<unsigned char>(store_->CharAt(offset))))
        return offset;
    // A lead byte at most three bytes back whose sequence covers the offset.
    const Offset from = std::max<Offset>(offset - 3, 0);
    const std::string bytes = store_->GetText(from, std::min<Offset>(offset + 4, store_->CharCount()));
    const auto here = static_cast<std::size_t>(offset - from);
    for (std::size_t at = here; at-- > 0;) {
        if (Utf8::IsContinuation(static_cast<unsigned char>(bytes[at]))) continue;
        const Utf8::Decoded d = Utf8::Decode(bytes, at);
        return d.valid && at + static_cast<std::size_t>(d.length) > here ? from + static_cast<Offset>(at) : offset;
    }
    return offset;
}

std::int32_t TCustomCodeMemo::CharCountBetween(Offset from, Offset to) {
    from = std::clamp<Offset>(from, 0, store_->CharCount());
    to = std::clamp<Offset>(to, from, store_->CharCount());
    if (!IsUtf8()) return to - from;
    const std::string bytes = store_->GetText(from, to);
    std::int32_t count = 0;
    for (std::size_t i = 0; i < bytes.size(); i += static_cast<std::size_t>(Utf8::LengthAt(bytes, i))) ++count;
    return count;
}

std::int32_t TCustomCodeMemo::StepColumn(std::string_view text, std::size_t& i, std::int32_t column,
                                         const TCM_Settings& settings) const {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c == '\t') {
        ++i;
        return settings.NextTabStop(column);
    }
    if (c < 0x80 || !IsUtf8()) {
        ++i;
        return column + 1;
    }
    const Utf8::Decoded d = Utf8::Decode(text, i);
    i += static_cast<std::size_t>(d.length);
    return column + (d.valid ? Utf8::Width(d.code) : 1);
}

void TCustomCodeMemo::TypeCodePoint(char32_t code) {
    if (code < 0x80) {
        KeyPress(static_cast<char>(code));
        return;
    }
    if (readOnly) return;
    if (IsUtf8()) {
        TypeCharacter(Utf8::Encode(code));
        return;
    }
    unsigned char byte = 0;
    if (CodePage1252::FromCode(code, byte)) KeyPress(static_cast<char>(byte));
}

std::string TCustomCodeMemo::FromUtf8(std::string_view text) const {
    return IsUtf8() ? std::string(text) : CodePage1252::FromUtf8(text);
}

}  // namespace quarry
