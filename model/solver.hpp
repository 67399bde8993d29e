// Shortest solutions by breadth-first search over positions up to symmetry: characters
// no rule, goal or weight tells apart count as one class (a position knows how many of
// each stand where), and groups that differ only by colour, such as couples, are
// interchangeable as wholes. Crossings are judged by the same rule check as play.
#pragma once

#include <cstdint>
#include <vector>

#include "model/position.hpp"
#include "model/task_data.hpp"

namespace model {

enum class SolveStatus { Solved, NoSolution, TooLarge };

// Why a search gave up: positions too many to number, the position limit, the work
// limit (crossings tried and judged), or the memory its tables would need.
enum class SolveBound { None, Characters, States, Work, Memory };

// Enough for every task of the pack and for ten jealous couples, and reached within a
// few seconds even where every character differs.
constexpr uint64_t kDefaultStateLimit = 1'000'000;
// The visited positions and the two frontiers together take no more than this.
constexpr uint64_t kSolverMemoryLimit = uint64_t{256} << 20;

// The most positions a search started while the pupil waits may visit. With alike
// characters and couples folded, the pack's largest task needs XXX positions.
constexpr uint64_t kInteractiveStateLimit = 150'000;

// Work is counted in steps of a few nanoseconds: a crossing tried is four steps, judging
// one against the rules costs a step per character and rule it has to look at. A search
// may take this many steps for each position it is allowed, so the pupil's bound of
// 150 000 positions gives up within about 0.1 s of processor time whatever the task.
constexpr uint64_t kWorkPerPosition = 200;
// Whatever the position limit, at least this much (a few milliseconds): a small limit
// bounds positions, not the crossings tried on the way to them.
constexpr uint64_t kMinWork = uint64_t{1} << 20;

// What a search may spend. Plain data: any thread may run a search with its own.
struct SearchBudget {
    uint64_t positions = kDefaultStateLimit;
    uint64_t work = kDefaultStateLimit * kWorkPerPosition;
    uint64_t memory = kSolverMemoryLimit;

    // The work that goes with a position limit: kWorkPerPosition each, at least kMinWork.
    static SearchBudget forPositions(uint64_t positions, uint64_t memory = kSolverMemoryLimit);
};

struct SolveResult {
    SolveStatus status = SolveStatus::NoSolution;
    SolveBound bound = SolveBound::None;  // set when the status is TooLarge
    std::vector<MoveData> moves;          // the crossings, in order
    uint64_t statesVisited = 0;
    uint64_t judgements = 0;  // crossings judged against the rules
    uint64_t refusals = 0;    // refused crossings remembered apart from the positions
    uint64_t work = 0;        // steps spent, as the budget counts them
};

// A shortest way to the goal from `from`, naming real characters. Of interchangeable
// ones, those in the boat are the first taken. Already at the goal: Solved with no moves.
SolveResult solveFrom(const TaskData& task, const Position& from, const SearchBudget& budget);
SolveResult solveFrom(const TaskData& task, const Position& from,
                      uint64_t stateLimit = kDefaultStateLimit,
                      uint64_t memoryLimit = kSolverMemoryLimit);
// From the start: everyone on the left bank with the boat.
SolveResult solveTask(const TaskData& task, const SearchBudget& budget);
SolveResult solveTask(const TaskData& task, uint64_t stateLimit = kDefaultStateLimit,
                      uint64_t memoryLimit = kSolverMemoryLimit);

}  // namespace model
