// Replays the crossings a solution file holds from the task's start, judging each one as
// play would, so that a teacher can check homework without loading every file.
#pragma once

#include "model/task_data.hpp"

namespace model {

enum class SolutionStatus {
    Complete,    // every crossing allowed and every character at its goal at the end
    Incomplete,  // every crossing allowed, but the goal is not reached yet
    BreaksRule,  // crossing `failedCrossing` is not allowed
};

struct SolutionCheck {
    SolutionStatus status = SolutionStatus::Incomplete;
    int crossings = 0;       // the crossings the file holds
    int failedCrossing = 0;  // 1-based, with BreaksRule
};

// A crossing is refused when the boat is on the other bank, a passenger stands on the other
// bank, the load is heavier than the boat takes, nobody rows or a rule fails. Passenger
// bits of characters that do not exist are ignored, as play ignores them.
SolutionCheck checkSolution(const TaskData& task);

}  // namespace model
