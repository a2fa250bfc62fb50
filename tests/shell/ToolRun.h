#pragma once
// One run of the command-line tool inside the test process: its exit status and what it
// printed on each stream.
#include "shell/ExorvexCommands.h"

#include <sstream>
#include <string>
#include <vector>

namespace exo::test {

struct ToolRun {
    int status;
    std::string out;
    std::string err;
};

inline ToolRun Exorvex(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int status = RunExorvex(args, out, err);
    return {status, out.str(), err.str()};
}

} // namespace exo::test
