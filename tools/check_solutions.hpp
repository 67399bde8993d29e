// ferrolin-solve --check: a teacher's check of collected solution files.
#pragma once

#include <string>
#include <vector>

#include "model/task_data.hpp"

namespace tools {

// Prints a line per solution file (folders are searched for *.sln) and a summary with the
// number of different tasks seen; returns the exit status: 0 every file complete, 1 some
// incomplete or breaking a rule, 2 some file unreadable. With setTask, a solution of any
// other task is "another task" and counts as incomplete.
int checkSolutions(const std::vector<std::string>& paths, const model::TaskData* setTask = nullptr);

}  // namespace tools
