// Which characters of a task the solver may take for one another. Swapping two members of
// a class (or, for couples and other groups, two whole groups member by member) changes
// no verdict: weights, goals, the kinds the quantity rules count and the pair rules all
// stay the same. Exchanges that are checked one pair at a time generate every permutation
// of a class, so any of them may be folded.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "model/task_data.hpp"

namespace model {

struct InterchangeableBlocks {
    int size = 1;              // members of each block
    std::vector<int> members;  // block b's member k at b * size + k; member k answers member k
    int blocks() const { return static_cast<int>(members.size()) / size; }
};

// Every character in exactly one class. Characters that cannot be exchanged with anyone
// are classes of one block of one member. Groups are found among characters sharing a
// colour (at most kMaxGroupSize of them).
constexpr int kMaxGroupSize = 6;
std::vector<InterchangeableBlocks> interchangeableBlocks(const TaskData& task,
                                                         std::span<const uint64_t> kinds);

}  // namespace model
