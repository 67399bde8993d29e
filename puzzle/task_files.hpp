// Task and solution files on disk: the shell, the catalogue and the editor call these;
// the byte layout itself is model::encodeTask / decodeTask.
#pragma once

#include <string>

#include "puzzle/model/task_data.hpp"

namespace puzzle {

// The task on the play screen with the crossings made, as a solution file holds it.
model::TaskData playedTaskData();

// Writes the Task as a new task file (creating the file exclusively); false when the
// file exists (existed set) or cannot be written.
bool writeNewTaskFile(const std::string& path, bool* existed);
// Writes the Task with its moves (play only), replacing the file safely.
bool writeSolutionFile(const std::string& path);
// Folder + "/_hex.dat" or "/_hex - N.dat" (N = 1..99), the first name that is free.
// The data folder is created when it is the target.
bool saveNewTask(const std::string& folder);
// Checks the whole file, then builds the play screen and replays the stored moves.
bool readTaskFile(const std::string& path);

}  // namespace puzzle
