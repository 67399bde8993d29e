// Shortest solutions by breadth-first search over (bank of every character, boat side),
// judged by the same rule check as play.
#pragma once

#include <cstdint>
#include <vector>

#include "puzzle/model/task_data.hpp"

namespace model {

enum class SolveStatus { Solved, NoSolution, TooLarge };

struct SolveResult {
    SolveStatus status = SolveStatus::NoSolution;
    std::vector<MoveData> moves;  // the crossings, in order
    uint64_t statesVisited = 0;
};

// kind keys are derived from the picture names and colours as play does.
SolveResult solveTask(const TaskData& task, uint64_t stateLimit = 20'000'000);

}  // namespace model
