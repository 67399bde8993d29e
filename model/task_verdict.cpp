#include "model/task_verdict.hpp"

#include <algorithm>

#include "base/name_hash.hpp"
#include "model/rule_check.hpp"

namespace model {

namespace {

// A character whose goal place is its start place never has to cross.
bool pinned(const CharacterData& c) { return c.leftX == c.rightX && c.leftY == c.rightY; }

struct Loads {
    int64_t negativeSum = 0;  // all the characters of negative weight aboard at once
    int64_t lightest = 0, secondLightest = 0;
    int movers = 0;  // characters that have to cross
    bool anyPinned = false;
};

Loads loadsOf(const TaskData& task) {
    Loads loads;
    std::vector<int64_t> weights;
    for (const CharacterData& c : task.characters) {
        weights.push_back(c.weight);
        if (c.weight < 0) loads.negativeSum += c.weight;
        if (pinned(c)) {
            loads.anyPinned = true;
        } else {
            ++loads.movers;
        }
    }
    std::sort(weights.begin(), weights.end());
    if (!weights.empty()) loads.lightest = weights[0];
    if (weights.size() > 1) loads.secondLightest = weights[1];
    return loads;
}

// The rule that refuses a crossing ending with every character that must cross on the
// bank `side` (the boat there too), or -1.
int ruleBrokenWithAllOn(const TaskData& task, int side) {
    const size_t n = task.characters.size();
    std::vector<int8_t> place(n);
    std::vector<uint64_t> kinds(n);
    for (size_t i = 0; i < n; ++i) {
        const CharacterData& c = task.characters[i];
        place[i] = static_cast<int8_t>(pinned(c) ? -1 : side);
        kinds[i] = kindKey(base::nameHash(c.name.c_str()), c.colour);
    }
    const CrossingVerdict verdict =
        judgeCrossing(place, kinds, false, task.hasBoatman(), side, task.rules);
    return verdict.verdict == Verdict::Allowed ? -1 : verdict.rule;
}

// Causes that need no search; each one alone makes the task unsolvable.
TaskVerdict certainCause(const TaskData& task) {
    TaskVerdict verdict;
    const Loads loads = loadsOf(task);
    const int64_t capacity = task.capacity();
    if (!task.hasBoatman()) {
        // The lightest load with someone aboard.
        const int64_t lightestLoad = loads.negativeSum < 0 ? loads.negativeSum : loads.lightest;
        if (task.characters.empty() || lightestLoad > capacity) {
            verdict.cause = Unsolvable::NobodyToRow;
            return verdict;
        }
    }
    for (size_t i = 0; i < task.characters.size(); ++i) {
        const CharacterData& c = task.characters[i];
        const int64_t aboard = c.weight + loads.negativeSum - std::min<int64_t>(c.weight, 0);
        if (!pinned(c) && aboard > capacity &&
            (verdict.character < 0 || c.weight > task.characters[verdict.character].weight)) {
            verdict.character = static_cast<int>(i);
        }
    }
    if (verdict.character >= 0) {
        verdict.cause = Unsolvable::BoatTooSmall;
        return verdict;
    }
    verdict.rule = ruleBrokenWithAllOn(task, 1);
    if (verdict.rule >= 0) {
        verdict.cause = Unsolvable::BrokenAtGoal;
        return verdict;
    }
    // Room for one only and no boatman: the boat comes back with the one who took it.
    if (!task.hasBoatman() && loads.negativeSum == 0 && !loads.anyPinned && loads.movers > 1 &&
        loads.lightest + loads.secondLightest > capacity) {
        verdict.cause = Unsolvable::NobodyToReturn;
    }
    return verdict;
}

}  // namespace

TaskVerdict judgeTask(const TaskData& task, const SearchBudget& budget) {
    TaskVerdict verdict = certainCause(task);
    if (verdict.cause != Unsolvable::None) return verdict;
    const SolveResult result = solveTask(task, budget);
    verdict.status = result.status;
    verdict.statesVisited = result.statesVisited;
    verdict.work = result.work;
    if (result.status == SolveStatus::Solved) {
        verdict.crossings = static_cast<int>(result.moves.size());
    } else if (result.status == SolveStatus::NoSolution) {
        verdict.rule = ruleBrokenWithAllOn(task, -1);
        verdict.cause = verdict.rule >= 0 ? Unsolvable::BrokenAtStart : Unsolvable::RulesBlock;
    }
    return verdict;
}

TaskVerdict judgeTask(const TaskData& task, uint64_t stateLimit) {
    return judgeTask(task, SearchBudget::forPositions(stateLimit));
}

uint64_t contentKey(const std::vector<uint8_t>& bytes) {
    // FNV-1a, 64-bit.
    uint64_t h = 0xcbf29ce484222325ULL;
    for (const uint8_t b : bytes) {
        h ^= b;
        h *= 0x100000001b3ULL;
    }
    return h ^ bytes.size();
}

std::optional<TaskVerdict> VerdictCache::find(uint64_t key) const {
    const auto found = verdicts_.find(key);
    if (found == verdicts_.end()) return std::nullopt;
    return found->second;
}

void VerdictCache::store(uint64_t key, const TaskVerdict& verdict) {
    // A catalogue never holds this many files; a long session of edits only refills it.
    if (verdicts_.size() >= kMaxEntries) verdicts_.clear();
    verdicts_[key] = verdict;
}

}  // namespace model
