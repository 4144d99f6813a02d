#include "editor/TCustomCodeMemo.h"
#include "editor/TCustomCodeMemoOperation.h"

#include <algorithm>

#include "editor/TCodeMemoHost.h"
#include "editor/TCodeMemoMessages.h"
#include "editor/TCodeMemoStrings.h"
#include "editor/TWordWrapSegmenter.h"
#include "highlight/TCodeMemoScanner.h"
#include "text/ECodeMemo.h"
#include "text/EFileSaveError.h"
#include "text/EFileTooLarge.h"
#include "text/EditorMessages.h"
#include "text/Format.h"
#include "text/LineEnds.h"
#include "text/TFileStream.h"

namespace quarry {

// ---------------------------------------------------------------- construction

TCustomCodeMemo::TCustomCodeMemo(TCodeMemoHost& host)
    : host_(host),
      store_(std::make_unique<TTextStore>()),
      scanner_(std::make_unique<TCodeMemoScanner>(*store_)),
      segmenter_(std::make_unique<TWordWrapSegmenter>()) {
    lines_ = std::make_unique<TCodeMemoStrings>(*this);
    segmenter_->charWidth = [this](unsigned char c) { return host_.CharWidth(c); };
    ApplySettings();
}

std::intptr_t TCustomCodeMemo::Perform(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    return TCodeMemoMessages::Perform(*this, message, wParam, lParam);
}

TCustomCodeMemo::~TCustomCodeMemo() {
    for (TCustomCodeMemoParser* parser : parsers_)
        if (parser) parser->RemoveClient(*this);
}

// ---------------------------------------------------------------- settings and parsers

TCM_Settings& TCustomCodeMemo::Settings() {
    TCustomCodeMemoParser* parser = ActiveParserObject();
    return parser ? parser->Settings() : ownSettings_;
}

TCustomCodeMemoParser* TCustomCodeMemo::ActiveParserObject() const {
    return activeSlot_ >= 1 && activeSlot_ <= kParserSlots ? parsers_[static_cast<std::size_t>(activeSlot_ - 1)]
                                                          : nullptr;
}

TCustomCodeMemoParser* TCustomCodeMemo::Parser(int slot) const {
    if (slot < 1 || slot > kParserSlots) throw ECodeMemo(msg::ParserIndexRange);
    return parsers_[static_cast<std::size_t>(slot - 1)];
}

void TCustomCodeMemo::SetParser(int slot, TCustomCodeMemoParser* parser) {
    if (slot < 1 || slot > kParserSlots) throw ECodeMemo(msg::ParserIndexRange);
    TCustomCodeMemoParser*& entry = parsers_[static_cast<std::size_t>(slot - 1)];
    if (entry == parser) return;
    TCustomCodeMemoParser* old = entry;
    entry = parser;
    if (old && std::find(parsers_.begin(), parsers_.end(), old) == parsers_.end()) old->RemoveClient(*this);
    if (parser) parser->AddClient(*this);
    if (slot == activeSlot_) ApplySettings();
}

void TCustomCodeMemo::SetActiveParser(int slot) {
    if (slot < 0 || slot > kParserSlots) throw ECodeMemo(msg::ParserIndexRange);
    activeSlot_ = slot;
    ApplySettings();
}

void TCustomCodeMemo::ParserDestroyed(TCustomCodeMemoParser& parser) {
    bool active = false;
    for (std::size_t i = 0; i < parsers_.size(); ++i)
        if (parsers_[i] == &parser) {
            parsers_[i] = nullptr;
            active = active || static_cast<int>(i) + 1 == activeSlot_;
        }
    if (active) ApplySettings();
}

void TCustomCodeMemo::ParserChanged(TCustomCodeMemoParser& parser) {
    if (&parser == ActiveParserObject()) Perform(cm::CM_PARSERCHANGED);
}

// Takes option word, wrap column and font from the active settings and scans everything again.
void TCustomCodeMemo::ApplySettings() {
    TCM_Settings& settings = Settings();
    options_ = settings.options;
    wrapAtColumn_ = settings.wrapAtColumn;
    SetFont(settings.font);
    UpdateSegmenter();
    for (RecordId rec = store_->First(); rec != kNoRecord; rec = store_->Next(rec)) store_->DropStyles(rec);
    if (ActiveParserObject() && store_->CharCount() > 0) {
        TOperation op(*this);
        NoteChange(0);
    }
    host_.Invalidate();
}

void TCustomCodeMemo::SetFont(const TCM_Font& font) {
    font_ = font;
    host_.SetFont(font_);
    UpdateSegmenter();
    host_.Invalidate();
}

void TCustomCodeMemo::SetOptions(TCodeMemoOptions options) {
    options_ = options;
    UpdateSegmenter();
    if (!HasOption(smoCaretAfterEOL)) beyondEol_ = false;
    host_.Invalidate();
}

void TCustomCodeMemo::SetWrapAtColumn(std::int32_t column) {
    wrapAtColumn_ = std::max<std::int32_t>(column, 0);
    UpdateSegmenter();
}

void TCustomCodeMemo::SetWrapOverride(const std::string& characters) {
    Settings().wrapOverride = characters;
    UpdateSegmenter();
}

void TCustomCodeMemo::Resized() {
    UpdateSegmenter();
    host_.Invalidate();
}

// Installs the wrap segmenter (or none) and re-cuts the text when the cut would differ.
void TCustomCodeMemo::UpdateSegmenter() {
    if (!segmenter_) return;
    const TCM_Settings& settings = Settings();
    const bool wrap = HasOption(smoWordWrap);
    int width = 8;
    if (wrapAtColumn_ > 0) {
        width = wrapAtColumn_ * host_.AverageCharWidth();
    } else {
        width = host_.ClientWidth() - (HasOption(smoShowGutter) ? settings.gutter : 0) - 2 * settings.margin;
    }
    if (width <= 0) width = 8;
    const bool overrideOn = HasOption(smoWrapOverride);
    const bool changed = (store_->Segmenter() != nullptr) != wrap ||
                         (wrap && (segmenter_->widthPixels != width || segmenter_->overrideOn != overrideOn ||
                                   segmenter_->overrideChars != settings.wrapOverride ||
                                   segmenter_->settings != &settings));
    segmenter_->widthPixels = width;
    segmenter_->tabWidthPixels = host_.AverageCharWidth();
    segmenter_->settings = &settings;
    segmenter_->overrideOn = overrideOn;
    segmenter_->overrideChars = settings.wrapOverride;
    store_->SetSegmenter(wrap ? segmenter_.get() : nullptr);
    if (changed) RewrapAll();
}

void TCustomCodeMemo::RewrapAll() {
    store_->Resegment();
    host_.Invalidate();
}

bool TCustomCodeMemo::IsWordChar(unsigned char c) const {
    if (fn_CharIsInWord) return fn_CharIsInWord(c);
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c >= 128;
}

// ---------------------------------------------------------------- text

std::string TCustomCodeMemo::Text() { return store_->Text(); }

void TCustomCodeMemo::SetText(std::string_view text) {
    TOperation op(*this);
    store_->Clear();
    store_->InsertText(0, text.data(), static_cast<std::int32_t>(text.size()));
    if (UndoStack()) UndoStack()->Reset();
    detachedEdits_ = false;
    ClearSelectionState(0);
    firstVisible_ = 0;
    leftColumn_ = 0;
    NoteChange(0);
}

void TCustomCodeMemo::Clear() { SetText({}); }

bool TCustomCodeMemo::SelectWordAt(Offset offset) {
    const auto inWord = [&](Offset p) {
        return p >= 0 && p < store_->CharCount() && IsWordChar(static_cast<unsigned char>(store_->CharAt(p)));
    };
    if (!inWord(offset)) return false;
    Offset start = offset;
    Offset end = offset;
    while (inWord(start - 1)) --start;
    while (inWord(end)) ++end;
    SetSelection(start, end);
    return true;
}

std::string TCustomCodeMemo::SelText() { return store_->GetText(SelStart(), SelStart() + SelLength()); }

// ---------------------------------------------------------------- files

void TCustomCodeMemo::LoadFromStream(TStream& stream) {
    TOperation op(*this);
    TUndoStack* undo = UndoStack();
    if (undo) undo->Reset();
    store_->Clear();
    try {
        store_->LoadFromStream(stream, 0);
    } catch (const std::bad_alloc&) {
        // Half a text is worse than none: give the memory back and say why.
        store_->Clear();
        throw ECodeMemo(msg::NotEnoughMemory);
    }
    if (undo) undo->Reset();
    detachedEdits_ = false;
    ClearSelectionState(0);
    firstVisible_ = leftColumn_ = 0;
    NoteChange(0);
}

void TCustomCodeMemo::CheckLoadSize(const std::string& fileName, std::int64_t size) const {
    if (size > store_->CharLimit())
        throw EFileTooLarge(Format(msg::FileTooLarge, fileName.c_str(), static_cast<unsigned long long>(size),
                                   store_->CharLimit()));
}

void TCustomCodeMemo::LoadFromFile(const std::string& fileName) {
    // Opening first: a missing file leaves the text as it was.
    TFileStream stream(fileName, TFileStream::Mode::OpenRead);
    CheckLoadSize(fileName, stream.Size());
    LoadFromStream(stream);
    if (HasOption(smoTitleAsFilename)) printTitle = fileName;
}

void TCustomCodeMemo::ReloadFromFile(const std::string& fileName) {
    TFileStream stream(fileName, TFileStream::Mode::OpenRead);
    const std::int64_t size = stream.Size();
    CheckLoadSize(fileName, size);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    bytes.resize(static_cast<std::size_t>(std::max<std::int64_t>(stream.Read(bytes.data(), size), 0)));
    std::string text;
    NormaliseLineEnds(bytes, text);
    TOperation op(*this);
    ReplaceRange(0, store_->CharCount(), text, ukStream);
    if (HasOption(smoTitleAsFilename)) printTitle = fileName;
}

void TCustomCodeMemo::SaveToStreamFormat(TStream* stream, TSaveFormat format, TSelLineStyle style) {
    if (format == TSaveFormat::sfRTF || format == TSaveFormat::sfHTML) {
        if (!stream) throw EFileSaveError(msg::BadStream);
        if (!exporter) throw ECodeMemo(Format(msg::ExportUnavailable, format == TSaveFormat::sfRTF ? "RTF" : "HTML"));
        exporter->Write(*this, *stream, 0, store_->CharCount(), format);
        return;
    }
    const TSelLineStyle kept = store_->SelLineStyle;
    store_->SelLineStyle = style;
    try {
        store_->SaveToStream(stream, format);
    } catch (...) {
        store_->SelLineStyle = kept;
        throw;
    }
    store_->SelLineStyle = kept;
}

void TCustomCodeMemo::SaveToStream(TStream* stream) { SaveToStreamFormat(stream, saveFormat, store_->SelLineStyle); }

void TCustomCodeMemo::SaveToFile(const std::string& fileName) {
    TFileStream stream(fileName, TFileStream::Mode::Create);
    SaveToStream(&stream);
}

}  // namespace quarry
