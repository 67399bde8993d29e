// What the game tells a pupil who asks for help: the next crossing of a shortest way to
// the goal from the position on screen, or why there is none.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "model/solver.hpp"
#include "model/task_data.hpp"

namespace model {

enum class HintKind {
    Cross,       // put `board` into the boat, take `takeOut` out of it, sail `direction`
    StuckHere,   // no way on from here, but there is one from the start: undoing helps
    NoSolution,  // the task cannot be solved at all
    TooBig,      // the search ran past its bound
};

struct Hint {
    HintKind kind = HintKind::TooBig;
    int direction = 0;
    std::vector<int> board;    // characters to put into the boat
    std::vector<int> takeOut;  // passengers who must stay behind
    int crossingsLeft = 0;     // of the shortest way, this crossing included
};

// `at` as the solver takes it: passengers in the boat are 0 in `bank`.
Hint hintFor(const TaskData& task, const Position& at, uint64_t stateLimit = kInteractiveStateLimit);

// The fewest crossings that solve the task from its start; nothing when the task has no
// solution or the search ran past the bound.
std::optional<int> shortestCrossings(const TaskData& task, uint64_t stateLimit = kInteractiveStateLimit);

}  // namespace model
