// ferrolin-solve --check: a teacher's check of collected solution files.
#pragma once

#include <string>
#include <vector>

namespace tools {

// Prints a line per solution file (folders are searched for *.sln) and a summary; returns
// the exit status: 0 every file complete, 1 some incomplete or breaking a rule, 2 some
// file unreadable.
int checkSolutions(const std::vector<std::string>& paths);

}  // namespace tools
