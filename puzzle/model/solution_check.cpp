#include "puzzle/model/solution_check.hpp"

#include <cstdint>
#include <vector>

#include "base/name_hash.hpp"
#include "puzzle/model/rule_check.hpp"

namespace model {

namespace {

bool pinned(const CharacterData& c) { return c.leftX == c.rightX && c.leftY == c.rightY; }

bool aboard(const MoveData& move, size_t i) { return i < move.mask.size() && move.mask.test(i); }

}  // namespace

SolutionCheck checkSolution(const TaskData& task) {
    const size_t n = task.characters.size();
    // A character standing on its start place counts as on the left bank, so one whose
    // start and goal places coincide is on the left wherever the boat leaves it.
    std::vector<int8_t> place(n, -1);
    std::vector<uint64_t> kind(n);
    for (size_t i = 0; i < n; ++i) {
        kind[i] = kindKey(base::nameHash(task.characters[i].name.c_str()), task.characters[i].colour);
    }
    SolutionCheck check;
    check.crossings = static_cast<int>(task.moves.size());
    int boatSide = -1;
    for (size_t m = 0; m < task.moves.size(); ++m) {
        const MoveData& move = task.moves[m];
        const int destination = -boatSide;
        bool valid = move.direction == destination;
        bool empty = true;
        int64_t load = 0;
        std::vector<int8_t> after = place;
        for (size_t i = 0; i < n && valid; ++i) {
            if (!aboard(move, i)) continue;
            valid = place[i] == boatSide;
            empty = false;
            load += task.characters[i].weight;
            after[i] = static_cast<int8_t>(pinned(task.characters[i]) ? -1 : destination);
        }
        // The judge sees passengers on the bank they sail to, as play does before landing.
        std::vector<int8_t> judged = place;
        for (size_t i = 0; i < n; ++i) {
            if (aboard(move, i)) judged[i] = static_cast<int8_t>(destination);
        }
        valid = valid && load <= task.capacity() &&
                judgeCrossing(judged, kind, empty, task.hasBoatman(), destination, task.rules).verdict ==
                    Verdict::Allowed;
        if (!valid) {
            check.status = SolutionStatus::BreaksRule;
            check.failedCrossing = static_cast<int>(m) + 1;
            return check;
        }
        place = after;
        boatSide = destination;
    }
    bool atGoal = true;
    for (size_t i = 0; i < n; ++i) atGoal = atGoal && (place[i] > 0 || pinned(task.characters[i]));
    check.status = atGoal ? SolutionStatus::Complete : SolutionStatus::Incomplete;
    return check;
}

}  // namespace model
