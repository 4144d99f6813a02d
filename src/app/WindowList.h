#pragma once
#include <string>
#include <vector>

namespace quarry {

// The numbered window items of the Window menu: the file names of the open editor windows,
// trimmed and sorted without regard to case; the first nine get an item, more open
// "&More Windows...".
class WindowList final {
public:
    static constexpr int kMenuItems = 9;

    struct Item {
        bool visible = false;
        bool checked = false;
        std::string caption;  // "&" + k + " " + entry
        bool operator==(const Item&) const = default;
    };

    explicit WindowList(const std::vector<std::string>& fileNames);

    const std::vector<std::string>& Entries() const { return entries_; }
    // Items 1..9 (index 0..8); `activeCaption` is the active window's caption (may be empty).
    std::vector<Item> MenuItems(const std::string& activeCaption) const;
    bool MoreWindows() const { return entries_.size() > kMenuItems; }
    // The position of the active window's entry, -1 when none.
    int IndexOf(const std::string& caption) const;

    // File names compare upper-cased and trimmed.
    static bool SameEntry(const std::string& a, const std::string& b);

private:
    std::vector<std::string> entries_;
};

}  // namespace quarry
