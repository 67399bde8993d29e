// The catalogue's difficulty column: each row's shortest number of crossings, or a mark
// for a task without a solution or too large to check, found by the file's content.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "model/task_verdict.hpp"
#include "platform/types.hpp"

namespace app {

struct EntryDifficulty {
    bool settled = false;     // the verdict is known, or the file cannot tell one
    bool unreadable = false;  // the file did not answer or could not be read
    std::optional<model::TaskVerdict> verdict;
};

// Verdicts live as long as the program, so a catalogue opened again solves nothing.
model::VerdictCache& verdictCache();
// The cache for the catalogue's judging thread.
std::optional<model::TaskVerdict> knownVerdict(uint64_t contentKey);
void rememberVerdict(uint64_t contentKey, const model::TaskVerdict& verdict);

// What the column shows for a row and in which colour; empty while not settled.
struct DifficultyMark {
    std::string text;
    uint32_t colour = 0;
};
DifficultyMark difficultyMark(const EntryDifficulty& difficulty);

}  // namespace app
