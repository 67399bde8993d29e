#include "app/task_difficulty.hpp"

#include <mutex>

#include "ui/cp1251.hpp"

namespace app {

using ui::operator""_cp;

namespace {

std::mutex cacheGuard;

}  // namespace

model::VerdictCache& verdictCache() {
    // Never destroyed: a judging thread may still be at work while the program ends.
    static auto* cache = new model::VerdictCache;
    return *cache;
}

std::optional<model::TaskVerdict> knownVerdict(uint64_t contentKey) {
    std::lock_guard<std::mutex> lock(cacheGuard);
    return verdictCache().find(contentKey);
}

void rememberVerdict(uint64_t contentKey, const model::TaskVerdict& verdict) {
    std::lock_guard<std::mutex> lock(cacheGuard);
    verdictCache().store(contentKey, verdict);
}

DifficultyMark difficultyMark(const EntryDifficulty& difficulty) {
    if (difficulty.unreadable) return {"!", 0xFFFF9070};
    if (!difficulty.verdict) return {};
    switch (difficulty.verdict->status) {
        case model::SolveStatus::Solved:
            return {std::to_string(difficulty.verdict->crossings), 0xFFFFFFCC};
        case model::SolveStatus::NoSolution:
            return {"—"_cp, 0xFFFFB070};
        case model::SolveStatus::TooLarge:
            return {"?", 0xC0FFFFCC};
    }
    return {};
}

}  // namespace app
