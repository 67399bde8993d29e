#include "app/task_difficulty.hpp"

#include <algorithm>

#include "app/task_list_box.hpp"
#include "model/task_file.hpp"
#include "platform/files.hpp"
#include "ui/cp1251.hpp"

namespace app {

using ui::operator""_cp;

model::VerdictCache& verdictCache() {
    static model::VerdictCache cache;
    return cache;
}

void settleDifficulties(std::vector<TaskEntry>& entries, size_t first, size_t last, uint64_t budget) {
    model::VerdictCache& cache = verdictCache();
    for (size_t i = first; i < last && i < entries.size(); ++i) {
        EntryDifficulty& difficulty = entries[i].difficulty;
        if (difficulty.settled) continue;
        const auto bytes = platform::readFile(entries[i].path(), model::kMaxTaskFileBytes);
        if (!bytes) {
            difficulty.settled = true;
            continue;
        }
        const uint64_t key = model::contentKey(*bytes);
        if (auto known = cache.find(key)) {
            difficulty.verdict = known;
            difficulty.settled = true;
            continue;
        }
        if (budget == 0) continue;
        const std::optional<model::TaskData> task = model::decodeTask(*bytes);
        difficulty.settled = true;
        if (!task) continue;
        const model::TaskVerdict verdict = model::judgeTask(*task);
        cache.store(key, verdict);
        difficulty.verdict = verdict;
        budget -= std::min(budget, std::max<uint64_t>(verdict.statesVisited, 1));
    }
}

DifficultyMark difficultyMark(const EntryDifficulty& difficulty) {
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
