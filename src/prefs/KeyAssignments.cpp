#include "prefs/KeyAssignments.h"

#include "editorsettings/VirtualKeys.h"
#include "prefs/PrefsTexts.h"

#include <algorithm>

namespace quarry {

namespace {

TShortCut Ctrl(char key) { return TShortCut(scCtrl | std::uint8_t(key)); }

// The application's own short-cuts: File, Edit, Search, Help and closing windows.
const TShortCut kReserved[] = {
    Ctrl('A'), Ctrl('C'), Ctrl('D'), Ctrl('F'), Ctrl('N'), Ctrl('O'), Ctrl('P'), Ctrl('R'),
    Ctrl('S'), Ctrl('V'), Ctrl('X'), Ctrl('Z'), TShortCut(scCtrl | scShift | 'Z'),
    TShortCut(VK_F1), TShortCut(VK_F1 + 2), TShortCut(scCtrl | (VK_F1 + 3)), TShortCut(scAlt | (VK_F1 + 3)),
};

}  // namespace

KeyAssignments::KeyAssignments(const TKeyboardActionContoller& keys) : keys_(keys), original_(BindingsOf(keys)) {}

bool KeyAssignments::Changed() const { return BindingsOf(keys_) != original_; }

std::vector<KeyAssignments::Binding> KeyAssignments::BindingsOf(const TKeyboardActionContoller& keys)
{
    std::vector<Binding> out;
    keys.Keys().ForEachBinding([&](const TKeyStore::Node& node) {
        const Sequence sequence = node.parent ? Sequence{node.parent->key, node.key} : Sequence{node.key, 0};
        out.emplace_back(sequence, node.action);
    });
    return out;
}

std::vector<KeyAssignments::Sequence> KeyAssignments::SequencesOf(std::int32_t action) const
{
    std::vector<Sequence> out;
    for (const auto& [sequence, bound] : BindingsOf(keys_))
        if (bound == action)
            out.push_back(sequence);
    return out;
}

bool KeyAssignments::IsReserved(Sequence sequence)
{
    return sequence.second == 0 && std::find(std::begin(kReserved), std::end(kReserved), sequence.first) != std::end(kReserved);
}

TKeyboardActionContoller KeyAssignments::Rebuilt(const std::vector<Binding>& bindings) const
{
    TKeyboardActionContoller table;
    for (const auto& [code, text] : keys_.ActionNames())
        table.RegisterAction(code, text);
    for (const auto& [sequence, action] : bindings)
        table.AddBinding(sequence.first, sequence.second, action);
    return table;
}

std::optional<std::string> KeyAssignments::Add(std::int32_t action, Sequence sequence)
{
    if (sequence.first == 0)
        return std::string(prefstexts::kNoKey);
    if (IsReserved(sequence))
        return std::string(prefstexts::kReservedAdd);
    TKeyboardActionContoller table = keys_;
    try {
        table.AddBinding(sequence.first, sequence.second, action);
    } catch (const std::exception& e) {
        return std::string(e.what());
    }
    keys_ = table;
    return std::nullopt;
}

std::optional<std::string> KeyAssignments::Delete(std::int32_t action, Sequence sequence)
{
    if (IsReserved(sequence))
        return std::string(prefstexts::kReservedDelete);
    auto bindings = BindingsOf(keys_);
    const auto found = std::find(bindings.begin(), bindings.end(), Binding{sequence, action});
    if (found == bindings.end())
        return std::nullopt;
    bindings.erase(found);
    keys_ = Rebuilt(bindings);
    return std::nullopt;
}

std::optional<std::string> KeyAssignments::Edit(std::int32_t action, Sequence old, Sequence sequence)
{
    if (IsReserved(old) || IsReserved(sequence))
        return std::string(prefstexts::kReservedEdit);
    if (sequence.first == 0)
        return std::string(prefstexts::kNoKey);
    auto bindings = BindingsOf(keys_);
    const auto found = std::find(bindings.begin(), bindings.end(), Binding{old, action});
    if (found != bindings.end())
        bindings.erase(found);
    try {
        TKeyboardActionContoller table = Rebuilt(bindings);
        table.AddBinding(sequence.first, sequence.second, action);
        keys_ = table;
    } catch (const std::exception& e) {
        return std::string(e.what());
    }
    return std::nullopt;
}

}  // namespace quarry
