// The search the game's solver is checked against, for tests and benchmarks: breadth-first
// over the bank of every character, where only characters alike in picture, colour,
// weight and goal and named by no rule merge into counts. It takes at most 32 characters
// and is bounded by positions alone.
#pragma once

#include <cstdint>

#include "model/solver.hpp"

namespace model {

SolveResult plainSolveFrom(const TaskData& task, const Position& from,
                           uint64_t stateLimit = kDefaultStateLimit,
                           uint64_t memoryLimit = kSolverMemoryLimit);

}  // namespace model
