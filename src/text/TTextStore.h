#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "text/EditorTypes.h"
#include "text/TLineRecord.h"
#include "text/TRecordPool.h"
#include "text/TScanStates.h"
#include "text/TTextArena.h"

namespace quarry {

class TStream;
class TUndoStack;
class TLineSegmenter;
class TLineTrackManager;
class TCustomBookmarks;
class TCM_Breakpoints;
class TCM_CodeBreak;
class TMarkedRanges;

// The text of one editor control: a doubly linked list of line records (one per display
// segment) with a finger, the last answer of Locate, so that sequential questions cost a short
// walk. Every hard line break is the single character CR inside; all text that enters is
// normalised first. The store also owns what must move with the text: numbered and named
// bookmarks, line tracks, breakpoints, code breaks, marked ranges and the undo log (which records
// nothing by itself: the control writes to it).
//
// Invariants (CheckInvariants verifies them):
//   - the records from First to Last hold exactly CharCount characters and LineCount records;
//   - only the last segment of a logical line ends with CR, and no other CR occurs; a segment
//     that is not the first of its logical line carries kMarkContinuation;
//   - no record is empty, no segment is longer than TLineSegmenter::kMaxSegment plus its CR;
//   - finger_ names a live record whose start offset and line index are fingerStart_, fingerLine_.
class TTextStore final {
public:
    using ScanStart = TScanStart;

    struct Location {
        RecordId record = kNoRecord;  // the record holding the offset (the last one past the end)
        LineIndex line = 0;           // 0-based display line index
        Offset lineStart = 0;         // offset of that line's first character
        bool operator==(const Location&) const = default;
    };

    TTextStore();
    ~TTextStore();
    TTextStore(const TTextStore&) = delete;  // owns the records, the arena and the undo log
    TTextStore& operator=(const TTextStore&) = delete;

    // ---- size and records
    Offset CharCount() const { return charCount_; }
    LineIndex LineCount() const { return lineCount_; }
    // Number of logical lines as a string list counts them: a final empty line does not count.
    std::int32_t LogicalLineCount() const;
    // Rows the caret can stand on: the logical lines and, after a final line end, the empty line
    // that follows it (0 for an empty text).
    std::int32_t RowCount() const { return first_ == kNoRecord ? 0 : crCount_ + 1; }
    std::int32_t WidestLine() const { return widest_; }
    RecordId First() const { return first_; }
    RecordId Last() const { return last_; }
    const TLineRecord& Record(RecordId id) const { return (*pool_)[id]; }
    // Changes with every change of the text or of its records.
    std::uint64_t Version() const { return version_; }
    RecordId Next(RecordId id) const { return Record(id).next; }
    RecordId Prev(RecordId id) const { return Record(id).prev; }
    // The characters of a record (Length of them, then a NUL) and its token values (null when
    // the record has not been scanned). Valid until the record changes.
    const char* TextOf(const TLineRecord& r) const { return arena_->Pointer(r.text); }
    std::string_view LineText(RecordId id) const { return {TextOf(Record(id)), Record(id).length}; }
    const std::uint8_t* StylesOf(const TLineRecord& r) const {
        return r.styles ? reinterpret_cast<const std::uint8_t*>(arena_->Pointer(r.styles)) : nullptr;
    }
    // Where the scan that wrote a record's values began it; unknown for a record without values.
    ScanStart ScanStartOf(const TLineRecord& r) const;

    // ---- finding text (all move the finger)
    // The record, display line and line start of an offset. Offsets past the end land on the
    // last record; when the text ends with CR the line index is one more (the empty last line)
    // and lineStart is CharCount.
    Location Locate(Offset offset);
    // The record of display line `index` (clipped to the text) and the offset of its first char.
    Location LineByIndex(LineIndex index);
    // Column of an offset in its segment, clipped to the segment's length.
    std::int32_t ColumnOf(Offset offset);
    // Steps back to the first segment of the logical line that holds `at`.
    Location FirstSegment(Location at) const;
    // The logical line (0-based) that holds an offset, and the first segment of logical line n.
    std::int32_t LogicalLineOf(Offset offset);
    Location LocateLogicalLine(std::int32_t index);
    // Offset just past the last character of the logical line starting at `first` (before its CR).
    Offset LogicalLineEnd(Location first) const;
    // Display line index of a record (walks from the nearer of the finger and the ends).
    LineIndex LineOfRecord(RecordId id);

    char CharAt(Offset offset);
    std::string GetText(Offset start, Offset end);
    void AppendText(Offset start, Offset end, std::string& out);
    std::string Text() { return GetText(0, charCount_); }

    // ---- editing
    // Inserts text (count -1: up to its NUL) at `at`, normalising line ends; returns the number of
    // characters inserted. Fires OnTextChange per chunk and shifts everything that follows.
    std::int32_t InsertText(Offset at, const char* text, std::int32_t count = -1);
    std::int32_t InsertText(Offset at, std::string_view text) {
        return InsertText(at, text.data(), static_cast<std::int32_t>(text.size()));
    }
    // Removes [start, end); records that vanish take their bookmarks and tracks with them.
    void DeleteRange(Offset start, Offset end);
    void Clear();
    // The largest CharCount the store accepts (the 32-bit limit; tests lower it).
    void SetCharLimit(Offset limit) { charLimit_ = limit; }
    Offset CharLimit() const { return charLimit_; }

    // ---- loading and saving the plain forms
    // Inserts the rest of the stream at `at` in blocks; returns the offset after the text.
    // Raises EFileTooLarge, before changing anything, when the text cannot fit.
    Offset LoadFromStream(TStream& stream, Offset at);
    Offset LoadFromFile(const std::string& fileName, Offset at);
    // Writes [start, end): lsCRLF turns each CR into CR LF, lsLF keeps the CR; unix writes LF.
    // Returns the bytes written (fewer on a short write).
    std::int64_t WriteText(TStream& stream, Offset start, Offset end, TSaveFormat format, TSelLineStyle style);
    // Writes the whole text in a plain form (sfTEXT with SelLineStyle, or sfUNIX). A short write
    // is tried again from the stream's first position up to three times. Raises EFileSaveError
    // "Bad TStream instance" for a null stream, "Could not save text to stream" when the last
    // attempt is still short.
    void SaveToStream(TStream* stream, TSaveFormat format);
    // Creates (replaces) the file and saves into it.
    void SaveToFile(const std::string& fileName, TSaveFormat format);
    // The bytes WriteText produces for [start, end).
    std::int64_t WrittenSize(Offset start, Offset end, TSaveFormat format, TSelLineStyle style);

    // ---- segmentation
    void SetSegmenter(const TLineSegmenter* segmenter) { segmenter_ = segmenter; }
    const TLineSegmenter* Segmenter() const { return segmenter_; }
    // Re-cuts every logical line (after word wrap, its width or override changed).
    void Resegment();

    // ---- per-record state the control and painting keep
    void SetFlags(RecordId id, std::uint8_t set, std::uint8_t clear = 0);
    void SetLineMarks(RecordId id, std::uint16_t marks);
    void SetBookmarkBits(RecordId id, std::uint16_t bits);  // the low ten bits of marks
    TColor LineColour1(RecordId id) const;
    TColor LineColour2(RecordId id) const;
    void SetLineColours(RecordId id, TColor colour1, TColor colour2);
    // Replaces the token values of a record (Length bytes), allocating the array on first use,
    // and the scan start they were made from.
    void SetStyles(RecordId id, const std::uint8_t* values, ScanStart start = {});
    // Replaces the scan start of a record that holds values.
    void SetScanStart(RecordId id, ScanStart start) { WriteScanStart(Rec(id), start); }
    void DropStyles(RecordId id);

    // ---- the scanner states that ScanStart names, held once per text
    // The index of a state (kUnknown when the table cannot take another).
    TScanStates::Index InternScanState(std::string_view state);
    std::string_view ScanState(TScanStates::Index index) const { return scanStates_.State(index); }
    std::size_t ScanStateCount() const { return scanStates_.Count(); }

    // ---- numbered bookmarks: the bit lives in the record, the 1-based column here (0 = unset)
    std::uint16_t BookmarkColumn(int index) const { return bookmarkColumns_[static_cast<std::size_t>(index)]; }
    void SetBookmarkColumn(int index, std::uint16_t column) { bookmarkColumns_[static_cast<std::size_t>(index)] = column; }
    // The first record (from the start) carrying the bookmark's bit, with its location.
    bool FindBookmark(int index, Location& where);

    // ---- line tracks (IDs validated against the track manager)
    // line is a 1-based display line; the track goes on the first segment of its logical line.
    // Returns the ID, or -1 for a line <= 0 or beyond the text.
    std::int32_t AddTrack(std::int32_t line, std::int32_t value);
    void RemoveTrack(std::int32_t id);   // ECodeMemo "Invalid track ID (%d)" for unknown IDs
    bool IsTrack(std::int32_t id) const;
    std::int32_t TrackValue(std::int32_t id) const;
    // 1-based display line of the record carrying the track.
    std::int32_t TrackLine(std::int32_t id);
    std::int32_t TrackCount() const;

    // ---- the lists that move with the text
    TCustomBookmarks& NamedBookmarks() { return *named_; }
    TCM_Breakpoints& Breakpoints() { return *breakpoints_; }
    TCM_CodeBreak& CodeBreaks() { return *codeBreaks_; }
    TMarkedRanges& MarkedRanges();  // created on first use
    bool HasMarkedRanges() const { return markedRanges_ != nullptr; }

    // ---- the undo log: owned here, may be detached (null) and attached again
    TUndoStack* Undo() const { return undo_; }
    TUndoStack& OwnUndo() { return *ownUndo_; }
    void SetUndo(TUndoStack* undo) { undo_ = undo; }

    TSelLineStyle SelLineStyle = TSelLineStyle::lsCRLF;

    // ---- events
    std::function<void(Offset start, Offset extent)> OnTextChange;
    std::function<void(std::int32_t trackId)> OnTrackAdd;
    std::function<void(std::int32_t trackId)> OnTrackFree;
    std::function<void(const std::string& name)> OnCustomBookmarkFree;

    // ---- diagnostics
    // Bytes held for records, texts and styles (arena blocks and pool chunks).
    std::size_t ReservedBytes() const;
    // Records passed by Locate and LineByIndex walks since the store was made.
    std::uint64_t WalkedRecords() const { return walked_; }
    // Throws std::logic_error naming the first broken invariant.
    void CheckInvariants() const;

private:
    friend class TEdStream;
    static constexpr std::int32_t kChunkSize = 8192;
    // A record's token values are followed by its ScanStart: the state index, then the lookahead.
    static constexpr std::size_t kScanStartBytes = 3;
    static std::size_t StylesBytes(std::uint16_t length) { return length + kScanStartBytes; }

    struct Side {
        TColor colour1 = clNone;
        TColor colour2 = clNone;
        std::vector<std::int32_t> tracks;
    };
    struct Piece {
        std::int32_t length;
        bool continuation;
        bool endsLine;
    };
    // A logical line: its first and last segment and the number of CRs before it. For the empty
    // line after a final CR, first.record is kNoRecord.
    struct LogicalSpan {
        Location first;
        RecordId last = kNoRecord;
        std::int32_t logical = 0;
    };

    TLineRecord& Rec(RecordId id) { return (*pool_)[id]; }
    const TLineRecord& Rec(RecordId id) const { return (*pool_)[id]; }
    void SetFinger(RecordId id, Offset start, LineIndex line, std::int32_t logical) {
        finger_ = id;
        fingerStart_ = start;
        fingerLine_ = line;
        fingerLogical_ = logical;
    }
    Location LastLineLocation() const;
    LogicalSpan SpanAt(Offset at);
    void SpanText(const LogicalSpan& span, std::string& out, std::vector<std::uint8_t>* styles) const;
    void AppendFromRecords(Location from, Offset upTo, std::string& out) const;

    // Inserts text that is normalised already (at most one chunk), fires and shifts.
    std::int32_t InsertNormalised(Offset at, std::string_view chunk);
    void InsertChunk(Offset at, std::string_view chunk);
    void DeleteLines(Offset start, Offset end);
    void ShiftAfterDelete(Offset start, Offset end);
    void ReplaceLines(Location firstSeg, RecordId lastSeg, std::string_view newText, const std::uint8_t* newStyles,
                      RecordId owner, std::int32_t ownerLine, std::int32_t logicalBefore,
                      bool startsContinued = false, bool evenCuts = false);
    // Edits inside a logical line of several segments (without word wrap) rebuild only the
    // segments they touch, so that typing in a line of a megabyte costs no more than elsewhere.
    bool TryLocalInsert(Offset at, std::string_view chunk);
    bool TryLocalDelete(Offset start, Offset end);
    // Rebuilds the logical line holding `at` as one segment when it has become shorter than
    // TLineSegmenter::kLongLine but still has several.
    void JoinIfShort(Offset at);
    Offset ResegmentFrom(Location first, std::int32_t logical);
    // Long lines are cut into pieces of kMaxSegment, or with evenCuts into pieces of about
    // equal length (for a segment that outgrew its size by an edit).
    void SplitIntoPieces(std::string_view text, std::vector<Piece>& pieces, bool startsContinued = false,
                         bool evenCuts = false) const;
    RecordId NewRecord();
    void FreeRecord(RecordId id, std::vector<std::int32_t>& freedTracks);
    void FireTrackFrees(const std::vector<std::int32_t>& freedTracks);
    void SetRecordText(TLineRecord& rec, const char* text, std::int32_t length);
    void WriteScanStart(const TLineRecord& rec, ScanStart start);
    // Drops the states no line names any more and renumbers the rest.
    void CompactScanStates();
    void CountLength(std::int32_t length, int delta);
    void RecomputeWidest();
    Side& SideOf(RecordId id);
    void DropSideIfEmpty(RecordId id);
    std::int32_t CountCRs(Offset start, Offset end);

    std::unique_ptr<TTextArena> arena_;
    std::unique_ptr<TRecordPool> pool_;
    RecordId first_ = kNoRecord;
    RecordId last_ = kNoRecord;
    LineIndex lineCount_ = 0;
    std::int32_t crCount_ = 0;         // number of CR characters (logical line breaks)
    Offset charCount_ = 0;
    Offset charLimit_ = 0x7FFFFFFF;
    std::int32_t widest_ = 0;
    std::vector<std::uint32_t> lengthCounts_;  // records per segment length; keeps widest_ exact

    // The finger: a live record with its start offset, line index and the number of CRs before
    // it, or kNoRecord when the text is empty.
    RecordId finger_ = kNoRecord;
    Offset fingerStart_ = 0;
    LineIndex fingerLine_ = 0;
    std::int32_t fingerLogical_ = 0;

    std::uint64_t walked_ = 0;
    std::uint64_t version_ = 0;
    const TLineSegmenter* segmenter_ = nullptr;
    std::array<std::uint16_t, 10> bookmarkColumns_{};
    std::unordered_map<RecordId, Side> side_;
    std::unique_ptr<TLineTrackManager> tracks_;
    std::unique_ptr<TCustomBookmarks> named_;
    std::unique_ptr<TCM_Breakpoints> breakpoints_;
    std::unique_ptr<TCM_CodeBreak> codeBreaks_;
    std::unique_ptr<TMarkedRanges> markedRanges_;
    std::unique_ptr<TUndoStack> ownUndo_;
    TUndoStack* undo_ = nullptr;
    TScanStates scanStates_;
    // Set when compacting left the table more than half full: compacting again soon would not
    // pay, so further new states stay unknown until the text is replaced.
    bool scanStatesCrowded_ = false;

    std::string work_;                 // scratch for rebuilding logical lines
    std::vector<std::uint8_t> workStyles_;
    std::vector<Piece> pieces_;
    mutable std::vector<std::int32_t> lengths_;  // scratch of SplitIntoPieces
};

}  // namespace quarry
