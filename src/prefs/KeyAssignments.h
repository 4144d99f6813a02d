#pragma once
// The key-assignment page's working table: the commands (the table's action names), the
// sequences bound to each, and adding, deleting and changing a sequence. Single strokes the
// application keeps for its own menus (Ctrl+S, F1, ...) are refused with their messages;
// collisions with a sequence already bound are refused with the key table's own message. A
// refused change leaves the table as it was.
#include "text/EditorTypes.h"
#include "editorsettings/TKeyboardActionContoller.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace quarry {

class KeyAssignments final {
public:
    struct Sequence {
        TShortCut first = 0;
        TShortCut second = 0;  // 0: a single stroke
        bool operator==(const Sequence&) const = default;
    };

    explicit KeyAssignments(const TKeyboardActionContoller& keys);

    const TKeyboardActionContoller& Keys() const { return keys_; }
    // Whether the table differs from the one given at the start.
    bool Changed() const;

    const std::vector<std::pair<std::int32_t, std::string>>& Commands() const { return keys_.ActionNames(); }
    std::vector<Sequence> SequencesOf(std::int32_t action) const;

    static bool IsReserved(Sequence sequence);

    // Each gives the message refusing the change, or nothing when it was made.
    std::optional<std::string> Add(std::int32_t action, Sequence sequence);
    std::optional<std::string> Delete(std::int32_t action, Sequence sequence);
    std::optional<std::string> Edit(std::int32_t action, Sequence old, Sequence sequence);

private:
    using Binding = std::pair<Sequence, std::int32_t>;
    static std::vector<Binding> BindingsOf(const TKeyboardActionContoller& keys);
    // The table rebuilt from its names and the given bindings, in their order.
    TKeyboardActionContoller Rebuilt(const std::vector<Binding>& bindings) const;

    TKeyboardActionContoller keys_;
    std::vector<Binding> original_;
};

}  // namespace quarry
