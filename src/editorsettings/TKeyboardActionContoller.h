#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "text/EditorTypes.h"
#include "editorsettings/TKeyStore.h"

namespace quarry {

class TStream;

// Turns key strokes into editor actions (the class name keeps its historic spelling). Every
// settings object owns one; a process-wide default controller holds the default table that a
// settings reset copies.
class TKeyboardActionContoller final {
public:
    using TKeyboardActionEvent = std::function<void(std::int32_t actionCode)>;
    using TMatch = TKeyStore::TMatch;

    TKeyboardActionContoller() = default;
    TKeyboardActionContoller(const TKeyboardActionContoller& other) { Assign(other); }
    TKeyboardActionContoller& operator=(const TKeyboardActionContoller& other) {
        Assign(other);
        return *this;
    }

    // The default table with every action registered under its description.
    static const TKeyboardActionContoller& Default();

    // Raises EAmbigiousKeyPair when the sequence collides with one already bound.
    void AddBinding(TShortCut first, TShortCut second, std::int32_t action);
    // One step of the match. Pending and Recognised swallow the key (key 0, no shift, handled);
    // Recognised also fires OnAction with the action code.
    TMatch ProcessKey(std::uint16_t& key, TShiftState& shift, bool& handled);
    void Reset() { store_.Reset(); }
    bool Pending() const { return store_.Pending(); }

    void RegisterAction(std::int32_t code, const std::string& text);
    std::string ActionName(std::int32_t code) const;
    const std::vector<std::pair<std::int32_t, std::string>>& ActionNames() const { return names_; }
    // The n-th (0-based) binding of an action; (0, 0) when there is none.
    std::pair<TShortCut, TShortCut> KeysOfAction(std::int32_t code, int n) const;
    int BindingCount() const;

    void SaveToStream(TStream& stream) const;
    void LoadFromStream(TStream& stream);
    void Clear();
    void Assign(const TKeyboardActionContoller& other);

    const TKeyStore& Keys() const { return store_; }
    TKeyboardActionEvent OnAction;

    // Forms a stroke from a virtual key and a modifier state.
    static TShortCut Stroke(std::uint16_t key, TShiftState shift);

private:
    TKeyStore store_;
    std::vector<std::pair<std::int32_t, std::string>> names_;
};

}  // namespace quarry
