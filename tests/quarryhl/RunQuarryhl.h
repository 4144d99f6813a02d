#pragma once
// Runs the quarryhl program as a script would and collects what it prints.
#include "support/RunProgram.h"

namespace quarry::test {

inline ToolRun runQuarryhl(const std::string& args, const std::string& redirect)
{
    return runProgram(QUARRYHL_EXE, args, redirect);
}

}  // namespace quarry::test
