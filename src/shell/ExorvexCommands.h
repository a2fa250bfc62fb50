#pragma once
// The command-line companion: each command is a thin call of one computation on the
// program folder. Arguments and printed texts are UTF-8.
#include <ostream>
#include <string>
#include <vector>

namespace exo {

// Runs one command line (without the program name); returns the exit status: 0 done,
// 1 failure (a file error), 2 bad or missing argument. Errors go to `err` as one line.
int RunExorvex(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace exo
