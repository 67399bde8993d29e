// What the solver says about a whole task, for the editor and the catalogue: the shortest
// number of crossings, no solution with the likeliest cause, or too large to check.
#pragma once

#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

#include "model/solver.hpp"
#include "model/task_data.hpp"

namespace model {

enum class Unsolvable {
    None,
    NobodyToRow,     // no boatman and no load the boat can take
    NobodyToReturn,  // no boatman and room for one only: whoever crosses must bring it back
    BoatTooSmall,    // a character is heavier than the boat can ever carry
    BrokenAtGoal,    // a rule refuses the final position itself
    BrokenAtStart,   // a rule is broken before anyone moves (and the search finds no way)
    RulesBlock,      // every way is refused somewhere on the road
};

struct TaskVerdict {
    SolveStatus status = SolveStatus::NoSolution;
    int crossings = 0;  // Solved: the shortest number of crossings
    Unsolvable cause = Unsolvable::None;
    int rule = -1;               // BrokenAtGoal, BrokenAtStart: index of the rule
    int character = -1;          // BoatTooSmall: the character that does not fit
    uint64_t statesVisited = 0;  // what the search cost
    uint64_t work = 0;           // in the steps a SearchBudget counts
};

// The causes that rule a solution out by themselves are found without a search, so they
// hold for tasks of any size. A pure function of its arguments: any thread may call it.
TaskVerdict judgeTask(const TaskData& task, const SearchBudget& budget);
TaskVerdict judgeTask(const TaskData& task, uint64_t stateLimit = kInteractiveStateLimit);

// Identity of a file's bytes for caching what was found about them.
uint64_t contentKey(const std::vector<uint8_t>& bytes);

// Verdicts by file content, so an unchanged file is not solved again however it is named,
// and an edited one is.
class VerdictCache {
public:
    static constexpr size_t kMaxEntries = 8192;

    std::optional<TaskVerdict> find(uint64_t key) const;
    void store(uint64_t key, const TaskVerdict& verdict);
    size_t size() const { return verdicts_.size(); }
    void clear() { verdicts_.clear(); }

private:
    std::unordered_map<uint64_t, TaskVerdict> verdicts_;
};

}  // namespace model
