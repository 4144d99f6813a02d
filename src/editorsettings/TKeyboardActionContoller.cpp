#include "editorsettings/TKeyboardActionContoller.h"

#include "editorsettings/EAmbigiousKeyPair.h"
#include "text/EditorMessages.h"
#include "text/Format.h"
#include "editorsettings/TEditorActions.h"
#include "text/TStream.h"
#include "editorsettings/VirtualKeys.h"

namespace quarry {

namespace {
TKeyboardActionContoller BuildDefault() {
    TKeyboardActionContoller c;
    for (std::int32_t code = 0; code < kActionCount; ++code) c.RegisterAction(code, std::string(ActionDescription(code)));
    const std::uint16_t moves[] = {VK_LEFT, VK_RIGHT, VK_HOME, VK_END, VK_UP, VK_DOWN, VK_PRIOR, VK_NEXT};
    for (std::int32_t i = 0; i < 8; ++i) c.AddBinding(moves[i], 0, caLEFT + i);
    const std::uint16_t wordMoves[] = {VK_LEFT, VK_RIGHT, VK_HOME, VK_END};
    for (std::int32_t i = 0; i < 4; ++i) c.AddBinding(scCtrl | wordMoves[i], 0, caWORDLEFT + i);
    c.AddBinding(scCtrl | 'X', 0, caCUT);
    c.AddBinding(scCtrl | 'C', 0, caCOPY);
    c.AddBinding(scCtrl | 'V', 0, caPASTE);
    c.AddBinding(VK_DELETE, 0, caDELETE);
    c.AddBinding(VK_BACK, 0, caBACKSPACE);
    c.AddBinding(scCtrl | 'K', 'I', caBLOCKIND);
    c.AddBinding(scCtrl | 'K', 'U', caBLOCKUND);
    c.AddBinding(VK_INSERT, 0, caINSTOGGLE);
    for (std::int32_t n = 0; n < 10; ++n) {
        c.AddBinding(scCtrl | 'K', static_cast<TShortCut>('0' + n), caSETBOOKMARK0 + n);
        c.AddBinding(scCtrl | 'Q', static_cast<TShortCut>('0' + n), caGOTOBOOKMARK0 + n);
    }
    c.AddBinding(scCtrl | 'Y', 0, caDELETELINE);
    c.AddBinding(scCtrl | 'Z', 0, caUNDO);
    c.AddBinding(scCtrl | scShift | 'Z', 0, caREDO);
    c.AddBinding(scCtrl | VK_BACK, 0, caDELPREVWORD);
    c.AddBinding(scCtrl | 'K', 'P', caPRINTSEL);
    c.AddBinding(scCtrl | VK_DELETE, 0, caDELNEXTWORD);
    c.AddBinding(scCtrl | VK_UP, 0, caSCROLLUP);
    c.AddBinding(scCtrl | VK_DOWN, 0, caSCROLLDOWN);
    return c;
}
}  // namespace

const TKeyboardActionContoller& TKeyboardActionContoller::Default() {
    static const TKeyboardActionContoller instance = BuildDefault();
    return instance;
}

TShortCut TKeyboardActionContoller::Stroke(std::uint16_t key, TShiftState shift) {
    TShortCut stroke = static_cast<TShortCut>(key & 0xFF);
    if (shift & ssShift) stroke |= scShift;
    if (shift & ssCtrl) stroke |= scCtrl;
    if (shift & ssAlt) stroke |= scAlt;
    return stroke;
}

void TKeyboardActionContoller::AddBinding(TShortCut first, TShortCut second, std::int32_t action) {
    const TKeyStore::AddResult result = store_.Add(first, second, action);
    if (!result.added)
        throw EAmbigiousKeyPair(
            Format(msg::DuplicateKeys, ActionName(action).c_str(), ActionName(result.collidingAction).c_str()));
}

TKeyboardActionContoller::TMatch TKeyboardActionContoller::ProcessKey(std::uint16_t& key, TShiftState& shift,
                                                                     bool& handled) {
    std::int32_t action = -1;
    const TMatch result = store_.Match(Stroke(key, shift), action);
    if (result == TMatch::NoMatch) return result;
    key = 0;
    shift = 0;
    handled = true;
    if (result == TMatch::Recognised && OnAction) OnAction(action);
    return result;
}

void TKeyboardActionContoller::RegisterAction(std::int32_t code, const std::string& text) {
    for (auto& entry : names_)
        if (entry.first == code) {
            entry.second = text;
            return;
        }
    names_.emplace_back(code, text);
}

std::string TKeyboardActionContoller::ActionName(std::int32_t code) const {
    for (const auto& entry : names_)
        if (entry.first == code) return entry.second;
    return {};
}

std::pair<TShortCut, TShortCut> TKeyboardActionContoller::KeysOfAction(std::int32_t code, int n) const {
    std::pair<TShortCut, TShortCut> found{0, 0};
    int seen = 0;
    store_.ForEachBinding([&](const TKeyStore::Node& node) {
        if (node.action != code || seen++ != n) return;
        found = node.parent ? std::pair<TShortCut, TShortCut>{node.parent->key, node.key}
                            : std::pair<TShortCut, TShortCut>{node.key, 0};
    });
    return found;
}

int TKeyboardActionContoller::BindingCount() const {
    int count = 0;
    store_.ForEachBinding([&](const TKeyStore::Node&) { ++count; });
    return count;
}

void TKeyboardActionContoller::SaveToStream(TStream& stream) const {
    stream.WriteInt32(static_cast<std::int32_t>(names_.size()));
    for (const auto& [code, text] : names_) {
        stream.WriteInt32(code);
        stream.WriteString(text);
    }
    stream.WriteInt32(BindingCount());
    store_.ForEachBinding([&](const TKeyStore::Node& node) {
        stream.WriteUInt16(node.parent ? node.parent->key : node.key);
        stream.WriteUInt16(node.parent ? node.key : 0);
        stream.WriteInt32(node.action);
    });
}

void TKeyboardActionContoller::LoadFromStream(TStream& stream) {
    Clear();
    const std::int32_t nameCount = stream.ReadInt32();
    for (std::int32_t i = 0; i < nameCount; ++i) {
        const std::int32_t code = stream.ReadInt32();
        RegisterAction(code, stream.ReadString());
    }
    const std::int32_t bindingCount = stream.ReadInt32();
    for (std::int32_t i = 0; i < bindingCount; ++i) {
        const TShortCut first = stream.ReadUInt16();
        const TShortCut second = stream.ReadUInt16();
        AddBinding(first, second, stream.ReadInt32());
    }
}

void TKeyboardActionContoller::Clear() {
    store_.Clear();
    names_.clear();
}

void TKeyboardActionContoller::Assign(const TKeyboardActionContoller& other) {
    if (this == &other) return;
    store_ = other.store_;
    names_ = other.names_;
}

}  // namespace quarry
