// The catalogue's difficulty column: each row's shortest number of crossings, or a mark
// for a task without a solution or too large to check, found by the file's content.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/task_verdict.hpp"
#include "platform/types.hpp"

namespace app {

struct TaskEntry;

struct EntryDifficulty {
    bool settled = false;  // the verdict is known, or the file cannot tell one
    std::optional<model::TaskVerdict> verdict;
};

// Verdicts live as long as the program, so a catalogue opened again solves nothing.
model::VerdictCache& verdictCache();

// Settles entries [first, last) from the cache, and by solving while `budget` (in solver
// states) lasts; at least one solve is made when the budget is not 0 at the start.
void settleDifficulties(std::vector<TaskEntry>& entries, size_t first, size_t last, uint64_t budget);

// What the column shows for a row and in which colour; empty while not settled.
struct DifficultyMark {
    std::string text;
    uint32_t colour = 0;
};
DifficultyMark difficultyMark(const EntryDifficulty& difficulty);

}  // namespace app
