#pragma once
#include <array>
#include <cstddef>
#include <optional>

namespace quarry {

// The keys the register window passes on; mouse actions arrive as their key equivalents, a left
// click as Click with the row under the mouse.
enum class RegisterKey { Up, Down, Left, Right, Space, Enter, Escape, Insert, Click, Character };

struct QueuedKey {
    RegisterKey key = RegisterKey::Escape;
    int data = 0;  // the row of a Click, the character typed
    bool operator==(const QueuedKey&) const = default;
};

// A small ring of keys between the window's handlers and the register run, which takes one key
// at a time. Keys that find it full are dropped: nobody types sixteen keys ahead of a list.
class RegisterKeyQueue final {
public:
    static constexpr std::size_t kCapacity = 16;

    bool Push(QueuedKey key);
    std::optional<QueuedKey> Pop();
    bool Empty() const { return count_ == 0; }
    void Clear() { count_ = 0; }

private:
    std::array<QueuedKey, kCapacity> keys_{};
    std::size_t first_ = 0;
    std::size_t count_ = 0;
};

}  // namespace quarry
