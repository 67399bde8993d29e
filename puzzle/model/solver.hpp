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

// The most positions a search started while the pupil waits may visit. Measured in a
// release build: the pack's largest task needs 1 901 positions (0.2 ms), six jealous
// couples with a boat of four 8 036 (1.2 ms); a search that runs into the bound, or into
// the crossing budget it implies, gives up within about 170 ms of processor time.
constexpr uint64_t kInteractiveStateLimit = 150'000;

// Where everyone stands: bank[i] is -1 (left bank), +1 (right bank) or 0 (in the boat,
// counted on the boat's bank); characters beyond the vector stand on the left. Characters
// whose start and goal places coincide always count as on the left bank.
struct Position {
    std::vector<int8_t> bank;
    int boat = -1;
};

// A shortest way to the goal from `from`. Of alike characters, those in the boat are
// the first taken. Already at the goal: Solved with no moves.
SolveResult solveFrom(const TaskData& task, const Position& from, uint64_t stateLimit = 20'000'000);
// From the start: everyone on the left bank with the boat.
// kind keys are derived from the picture names and colours as play does.
SolveResult solveTask(const TaskData& task, uint64_t stateLimit = 20'000'000);

}  // namespace model
