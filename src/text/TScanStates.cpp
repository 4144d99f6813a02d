#include "text/TScanStates.h"

namespace quarry {

TScanStates::Index TScanStates::Intern(std::string_view state) {
    if (last_ != kUnknown && *states_[last_ - 1u] == state) return last_;
    if (const auto it = index_.find(state); it != index_.end()) return last_ = it->second;
    if (states_.size() >= kCapacity) return kUnknown;
    const auto [it, added] = index_.emplace(std::string(state), static_cast<Index>(states_.size() + 1));
    states_.push_back(&it->first);
    return last_ = it->second;
}

std::vector<TScanStates::Index> TScanStates::Keep(const std::vector<bool>& used) {
    std::vector<Index> renumbered(states_.size() + 1, kUnknown);
    std::vector<const std::string*> kept;
    for (std::size_t i = 1; i <= states_.size(); ++i) {
        if (i < used.size() && used[i]) {
            kept.push_back(states_[i - 1]);
            renumbered[i] = static_cast<Index>(kept.size());
        } else {
            index_.erase(*states_[i - 1]);
        }
    }
    states_ = std::move(kept);
    for (std::size_t i = 0; i < states_.size(); ++i) index_[*states_[i]] = static_cast<Index>(i + 1);
    last_ = kUnknown;
    return renumbered;
}

void TScanStates::Clear() {
    index_.clear();
    states_.clear();
    last_ = kUnknown;
}

}  // namespace quarry
