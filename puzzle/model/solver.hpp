// Shortest solutions by breadth-first search over (bank of every character, boat side),
// judged by the same rule check as play.
#pragma once

#include <cstdint>
#include <vector>

#include "puzzle/model/task_data.hpp"

namespace model {

enum class SolveStatus { Solved, NoSolution, TooLarge };

// Why a search gave up: too many characters for a move to record, the position limit
// (which also caps the loads tried), or the memory its tables would need.
enum class SolveBound { None, Characters, States, Memory };

// Enough for every task of the pack and for ten jealous couples, and reached within a
// few seconds even where every character differs.
constexpr uint64_t kDefaultStateLimit = 1'000'000;
// The visited positions and the two frontiers together take no more than this.
constexpr uint64_t kSolverMemoryLimit = uint64_t{256} << 20;

struct SolveResult {
    SolveStatus status = SolveStatus::NoSolution;
    SolveBound bound = SolveBound::None;  // set when the status is TooLarge
    std::vector<MoveData> moves;          // the crossings, in order
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
SolveResult solveFrom(const TaskData& task, const Position& from,
                      uint64_t stateLimit = kDefaultStateLimit,
                      uint64_t memoryLimit = kSolverMemoryLimit);
// From the start: everyone on the left bank with the boat.
// kind keys are derived from the picture names and colours as play does.
SolveResult solveTask(const TaskData& task, uint64_t stateLimit = kDefaultStateLimit,
                      uint64_t memoryLimit = kSolverMemoryLimit);

}  // namespace model
