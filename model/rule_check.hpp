// The verdict on a planned crossing, over plain data: where every character will stand,
// their kinds, the boat and the rules. Play, the solver and the tests share it.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "model/position.hpp"
#include "model/task_data.hpp"

namespace model {

enum class Verdict {
    Allowed,
    NobodyToRow,        // empty boat without a boatman
    ForbiddenTogether,  // a ForbidTogether rule failed: mark characters a and b
    Unbalanced,         // a MoreThan / NotLessThan rule failed: mark bank
};

struct CrossingVerdict {
    Verdict verdict = Verdict::Allowed;
    int rule = -1;               // index of the rule that failed
    int markA = -1, markB = -1;  // ForbiddenTogether: the pair
    int bank = 0;                // Unbalanced: -1 left, +1 right
};

// place[i]: -1 or +1, the bank character i stands on once the boat has reached
// `destination` (passengers count on the destination bank).
// kind[i]: the character's kind key (picture hash and colour); equal keys, equal kinds.
// A rule naming a character that does not exist holds.
CrossingVerdict judgeCrossing(std::span<const int8_t> place, std::span<const uint64_t> kind,
                              bool boatEmpty, bool boatman, int destination,
                              std::span<const RuleData> rules);

// The same for the boat leaving `at` for `destination`, with its passengers.
CrossingVerdict judgeCrossing(const Position& at, std::span<const uint64_t> kind, bool boatman,
                              int destination, std::span<const RuleData> rules);
// The kind of every character of the task.
std::vector<uint64_t> kindsOf(const TaskData& task);

// The kind key of a character: its picture name hash in the high half, colour in the low.
uint64_t kindKey(uint32_t nameHash, uint32_t colour);

}  // namespace model
