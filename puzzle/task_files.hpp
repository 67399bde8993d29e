// Task and solution files on disk: the shell, the catalogue and the editor call these;
// the byte layout itself is model::encodeTask / decodeTask.
#pragma once

#include <optional>
#include <string>

#include "model/task_data.hpp"
#include "puzzle/win_plaque.hpp"

namespace puzzle {

struct PlaySession;
struct Task;

// The task played with the crossings made, as a solution file holds it.
model::TaskData playedTaskData(const PlaySession& session);

// Writes the task as a new task file (creating the file exclusively); false when the
// file exists (existed set) or cannot be written.
bool writeNewTaskFile(const Task& task, const std::string& path, bool* existed);
// Writes the task played with its moves, replacing the file safely.
bool writeSolutionFile(const PlaySession& session, const std::string& path);
// Folder + "/_hex.dat" or "/_hex - N.dat" (N = 1..99), the first name that is free.
// The data folder is created when it is the target. patienceMs > 0: the folder may stop
// answering, so each write is waited for that long at most (noAnswer tells when it was not).
bool saveNewTask(const Task& task, const std::string& folder, int patienceMs = 0,
                 bool* noAnswer = nullptr);
// Reads and checks a whole task or solution file; nothing on screen changes.
std::optional<model::TaskData> loadTaskFile(const std::string& path);
// Builds the play screen for a checked task read from `path` and replays its moves; the
// previous screen must be closed.
void startPlay(PlaySession& session, const model::TaskData& data, const std::string& path,
               NextTask next);

}  // namespace puzzle
