#pragma once
#include <string>

namespace quarry {

// The system's own text for an error code of a failed system call ("No such file or
// directory" for 2), without a trailing full stop or line break.
std::string systemMessage(int code);

}  // namespace quarry
