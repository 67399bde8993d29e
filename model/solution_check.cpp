#include "model/solution_check.hpp"

#include <cstdint>
#include <vector>

#include "model/position.hpp"
#include "model/rule_check.hpp"

namespace model {

namespace {

bool aboard(const MoveData& move, size_t i) { return i < move.mask.size() && move.mask.test(i); }

}  // namespace

SolutionCheck checkSolution(const TaskData& task) {
    const int n = static_cast<int>(task.characters.size());
    const std::vector<uint64_t> kind = kindsOf(task);
    Position at = startPosition(task);
    SolutionCheck check;
    check.crossings = static_cast<int>(task.moves.size());
    for (size_t m = 0; m < task.moves.size(); ++m) {
        const MoveData& move = task.moves[m];
        const int destination = -at.boat;
        // Everyone named boards first, whatever the load; the load is judged with the rules.
        bool valid = move.direction == destination;
        for (int i = 0; i < n && valid; ++i) {
            if (!aboard(move, static_cast<size_t>(i))) continue;
            valid = at.bank[static_cast<size_t>(i)] == at.boat;
            if (valid) at.board(i, task.characters[static_cast<size_t>(i)].weight);
        }
        // The judge sees passengers on the bank they sail to, as play does before landing.
        valid = valid && at.load <= task.capacity() &&
                judgeCrossing(at, kind, task.hasBoatman(), destination, task.rules).verdict ==
                    Verdict::Allowed;
        if (!valid) {
            check.status = SolutionStatus::BreaksRule;
            check.failedCrossing = static_cast<int>(m) + 1;
            return check;
        }
        cross(at, destination, task);
    }
    check.status = atGoal(at, task) ? SolutionStatus::Complete : SolutionStatus::Incomplete;
    return check;
}

}  // namespace model
