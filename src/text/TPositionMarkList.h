#pragma once
#include <cstdint>
#include <functional>
#include <vector>

#include "text/EditorTypes.h"

namespace quarry {

// Marks at character positions (breakpoints, code breaks) that receive every insertion and
// deletion as (position, signed count). A mark whose character is deleted is freed.
class TPositionMarkList {
public:
    struct Entry {
        Offset position = 0;
        std::int32_t state = 0;
        std::int32_t data = 0;
        bool operator==(const Entry&) const = default;
    };

    virtual ~TPositionMarkList() = default;

    // Adds a mark, or updates state and data of the mark already at that position.
    void Add(Offset position, std::int32_t state = 0, std::int32_t data = 0);
    bool Remove(Offset position);
    const Entry* Find(Offset position) const;
    // Changes a mark's state and fires OnStateChange; false when no mark is there.
    bool SetState(Offset position, std::int32_t state);
    const std::vector<Entry>& Entries() const { return entries_; }
    void Clear();

    // count > 0: inserted at position; count < 0: -count characters deleted from position.
    void Shift(Offset position, std::int32_t count);

    std::function<void(const Entry&)> OnFree;
    std::function<void(const Entry&)> OnStateChange;

private:
    std::vector<Entry> entries_;  // sorted by position, positions unique
};

}  // namespace quarry
