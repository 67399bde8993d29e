// The hint's count against the plain search's on the pack and on 200 random solvable
// tasks (couples and other groups told apart only by colour among them): run once, a
// mismatch is an error naming the task.
#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "bench/solver_tasks.hpp"
#include "model/hint.hpp"
#include "model/plain_solver.hpp"
#include "tests/support/random_tasks.hpp"

namespace bench {
namespace {

constexpr uint64_t kPlainStateLimit = 20'000'000;

// The crossings the hint counts from the start (-1: no solution, -2: too big).
int hintCount(const model::TaskData& task) {
    const model::Hint hint = model::hintFor(task, model::Position{});
    if (hint.kind == model::HintKind::Cross) return hint.crossingsLeft;
    return hint.kind == model::HintKind::TooBig ? -2 : -1;
}

void compare(benchmark::State& state,
             const std::vector<std::pair<std::string, model::TaskData>>& tasks) {
    int agreed = 0;
    std::string mismatches;
    for (auto _ : state) {
        agreed = 0;
        mismatches.clear();
        for (const auto& [name, task] : tasks) {
            const model::SolveResult plain = model::plainSolveFrom(task, {}, kPlainStateLimit);
            const int expected = plain.status == model::SolveStatus::Solved
                                     ? static_cast<int>(plain.moves.size())
                                 : plain.status == model::SolveStatus::NoSolution ? -1
                                                                                  : -2;
            const int got = hintCount(task);
            if (got == expected) {
                ++agreed;
            } else {
                mismatches +=
                    " " + name + " (" + std::to_string(got) + " for " + std::to_string(expected) + ")";
            }
        }
    }
    state.counters["tasks"] = static_cast<double>(tasks.size());
    state.counters["agreed"] = agreed;
    if (!mismatches.empty()) state.SkipWithError(("the hint differs on" + mismatches).c_str());
}

std::vector<std::pair<std::string, model::TaskData>> packTasks, randomTasks;

}  // namespace

void registerAgreementBenchmarks() {
    for (auto& [name, source] : packSources()) packTasks.emplace_back(name, std::move(source.task));
    std::mt19937 random(2026);
    for (int round = 0; randomTasks.size() < 200; ++round) {
        model::TaskData task = round % 2 ? test::randomGroupTask(random, 16) : test::randomTask(random);
        if (model::plainSolveFrom(task, {}, kPlainStateLimit).status != model::SolveStatus::Solved)
            continue;
        randomTasks.emplace_back("random " + std::to_string(round), std::move(task));
    }
    benchmark::RegisterBenchmark("BM_HintAgreesWithPlainSearch/pack", compare, packTasks)
        ->Iterations(1)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_HintAgreesWithPlainSearch/200_random_solvable", compare,
                                 randomTasks)
        ->Iterations(1)
        ->Unit(benchmark::kMillisecond);
}

}  // namespace bench
