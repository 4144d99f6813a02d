#include "highlight/TWordStore.h"

namespace quarry {

std::string TWordStore::key(const std::string& name) const
{
    if (caseSensitive_)
        return name;
    std::string folded = name;
    for (char& c : folded)
        if (c >= 'A' && c <= 'Z')
            c = char(c + 32);
    return folded;
}

}  // namespace quarry
