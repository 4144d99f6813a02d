#include "platform/SystemMessage.h"

#include <cstring>

namespace quarry {

std::string systemMessage(int code)
{
    std::string text = std::strerror(code);
    while (!text.empty() && (text.back() == '.' || text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    return text;
}

}  // namespace quarry
