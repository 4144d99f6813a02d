#pragma once
#include <cstdint>

namespace quarry {

class TCustomCodeMemo;

// Decodes the messages a control answers (the standard edit-control messages and the private
// block 0C00..0C15) into calls on the control. Pointers travel in lParam (and in wParam where a
// message says so); every buffer a caller hands in comes with its capacity.
class TCodeMemoMessages final {
public:
    static std::intptr_t Perform(TCustomCodeMemo& memo, std::uint32_t message, std::uintptr_t wParam,
                                 std::intptr_t lParam);

private:
    static std::intptr_t Standard(TCustomCodeMemo& memo, std::uint32_t message, std::uintptr_t wParam,
                                  std::intptr_t lParam, bool& handled);
    static std::intptr_t Private(TCustomCodeMemo& memo, std::uint32_t message, std::uintptr_t wParam,
                                 std::intptr_t lParam);
};

}  // namespace quarry
