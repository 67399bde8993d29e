#include "model/hint.hpp"

namespace model {

namespace {

bool isStart(const Position& at) {
    if (at.boat > 0) return false;
    for (const int8_t bank : at.bank) {
        if (bank > 0) return false;
    }
    return true;
}

}  // namespace

Hint hintFor(const TaskData& task, const Position& at, uint64_t stateLimit) {
    Hint hint;
    const SolveResult here = solveFrom(task, at, stateLimit);
    if (here.status == SolveStatus::TooLarge) return hint;
    if (here.status == SolveStatus::NoSolution) {
        // From the start a failure is the task's own; elsewhere undoing may lead back to
        // a way, which only the search from the start can tell.
        hint.kind = HintKind::NoSolution;
        if (!isStart(at) && solveTask(task, stateLimit).status != SolveStatus::NoSolution) {
            hint.kind = HintKind::StuckHere;
        }
        return hint;
    }
    hint.kind = HintKind::Cross;
    hint.crossingsLeft = static_cast<int>(here.moves.size());
    if (here.moves.empty()) return hint;
    const MoveData& next = here.moves.front();
    hint.direction = next.direction;
    const int n = static_cast<int>(task.characters.size());
    for (int i = 0; i < n && i < kMaxCharacters; ++i) {
        const bool goes = next.mask.test(static_cast<size_t>(i));
        const bool aboard = i < static_cast<int>(at.bank.size()) && at.bank[i] == 0;
        if (goes && !aboard) hint.board.push_back(i);
        if (!goes && aboard) hint.takeOut.push_back(i);
    }
    return hint;
}

std::optional<int> shortestCrossings(const TaskData& task, uint64_t stateLimit) {
    const SolveResult result = solveTask(task, stateLimit);
    if (result.status != SolveStatus::Solved) return std::nullopt;
    return static_cast<int>(result.moves.size());
}

}  // namespace model
