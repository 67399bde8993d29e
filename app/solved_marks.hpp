// What the catalogue shows of the pupil's progress: a check mark and the best count on
// solved rows, and the next task not solved yet for the winner picture's button.
#pragma once

#include <optional>
#include <string>

namespace app {

struct TaskEntry;

// The row's right end holds the task's shortest count; the solved mark stands left of it.
constexpr int kShortestColumnWidth = 34;

// Reads the progress file afresh and forgets the task keys read from files: tasks may
// have been solved, saved or changed since.
void reloadSolvedMarks();
// Gives the check mark picture back (the catalogue closes).
void releaseSolvedMarks();
// The fewest crossings the row's task was solved in; nothing when it is not solved.
std::optional<int> bestCountOf(const std::string& path);
// Right-aligned at `right`, just left of the shortest count's column; returns the mark's
// left edge (`right` when the task is not solved).
int drawSolvedMark(const std::string& path, int right, int rowY, int rowHeight);
// The first task after `current` in catalogue order, wrapping around, that is not solved;
// empty when every task is.
std::string nextUnsolvedTask(const std::string& current);

}  // namespace app
