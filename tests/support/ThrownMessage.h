#pragma once
// The text of the exception a call raises, so that a test states the exact message in one line.
#include <string>

namespace quarry::test {

// The message of the E the call raises, or "(no exception)"; other exceptions pass through.
template <typename E, typename Call>
std::string thrownMessage(Call&& call)
{
    try {
        call();
    } catch (const E& e) {
        return e.what();
    }
    return "(no exception)";
}

}  // namespace quarry::test
