// What the catalogue shows of the pupil's progress: a check mark and the best count on
// solved rows, and the next task not solved yet for the winner picture's button.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include "model/progress.hpp"
#include "ui/resources.hpp"

namespace app {

struct TaskEntry;

// The row's right end holds the task's shortest count; the solved mark stands left of it.
constexpr int kShortestColumnWidth = 34;
// The colour of the pupil's best count beside the check mark.
constexpr uint32_t kSolvedCountColour = 0xFFB9F08A;

// What the marks are drawn from: the pupil's progress as last read, the tasks the files
// hold and the check mark's picture while the catalogue shows it.
struct SolvedMarks {
    model::Progress progress;
    std::map<std::string, std::optional<uint64_t>> keys;  // by path; nothing: unreadable
    ui::TexturePtr check;
};

// Reads the progress file afresh and forgets the task keys read from files: tasks may
// have been solved, saved or changed since.
void reloadSolvedMarks();
// Gives the check mark picture back (the catalogue closes).
void releaseSolvedMarks();
// The fewest crossings the row's task was solved in; nothing when it is not solved. Reads
// the file when its task is not known yet.
std::optional<int> bestCountOf(const std::string& path);
// The task a file holds (nothing: none, or the file could not be read), as the catalogue
// learnt it away from the screen's thread.
void rememberTaskKey(const std::string& path, std::optional<uint64_t> key);
// Right-aligned at `right`, just left of the shortest count's column; returns the mark's
// left edge (`right` when the task is not solved or not known yet). Reads no file.
// outlined: the row is lit, its count needs an outline to stay readable.
int drawSolvedMark(const std::string& path, int right, int rowY, int rowHeight, bool outlined = false);
// The check mark alone, its top-left at (x, y).
void drawCheckMark(int x, int y);
constexpr int kCheckMarkHeight = 18;
// The first task after `current` in catalogue order, wrapping around, that is not solved;
// empty when every task is.
std::string nextUnsolvedTask(const std::string& current);

}  // namespace app
