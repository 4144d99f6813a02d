#pragma once
#include <cstdint>
#include <string>

namespace quarry {

enum TUndoRecordType : std::uint8_t { urSelection = 0, urText = 1, urStream = 4, urMarker = 5 };

// Phases carried by markers: a transaction's markers carry 0, a group's begin and end 2 and 3.
enum TUndoMarkerPhase : std::int32_t { upTransaction = 0, upGroupBegin = 2, upGroupEnd = 3 };

// One entry of the undo log.
struct TUndoRecord {
    std::int32_t value = 0;       // marker: its phase
    TUndoRecordType type = urSelection;
    std::int32_t a = 0;           // selection: anchor; marker: operation kind or group id
    std::int32_t b = 0;           // selection: caret
    bool hasText = false;         // text: false stands for a null (empty) text
    std::string text;             // text and stream payload
    std::uint64_t serial = 0;     // the record's identity, unique over the life of the process

    static TUndoRecord Marker(std::int32_t id, std::int32_t phase) {
        TUndoRecord r;
        r.type = urMarker;
        r.a = id;
        r.value = phase;
        return r;
    }
    static TUndoRecord Selection(std::int32_t anchor, std::int32_t caret) {
        TUndoRecord r;
        r.type = urSelection;
        r.a = anchor;
        r.b = caret;
        return r;
    }
    static TUndoRecord Text(std::string text, TUndoRecordType type = urText) {
        TUndoRecord r;
        r.type = type;
        r.hasText = !text.empty();
        r.text = std::move(text);
        return r;
    }
};

}  // namespace quarry
