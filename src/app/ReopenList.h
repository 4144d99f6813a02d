#pragma once
#include <string>
#include <vector>

namespace quarry {

class PersistentEditorStore;

// The reopen list: full names of closed files, newest first, at most 20, kept in the editor
// store's "[MRU]" section.
class ReopenList final {
public:
    static constexpr std::size_t kMaxEntries = 20;

    explicit ReopenList(PersistentEditorStore* store) : store_(store) {}

    std::vector<std::string> Entries() const;
    // Puts a name at the top unless the list holds it already, and stores the list.
    void Add(const std::string& name);
    // Takes a name off the list (a file that is gone) and stores the list.
    void Remove(const std::string& name);

private:
    PersistentEditorStore* store_;
};

}  // namespace quarry
