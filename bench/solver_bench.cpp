// The solver on every task of the pack and on larger generated tasks, in states per
// second. The pack is read from its sources, so each run is named after its file.
#include <benchmark/benchmark.h>

#include <deque>
#include <string>

#include "bench/solver_tasks.hpp"
#include "model/solver.hpp"
#include "model/task_verdict.hpp"
#include "tests/support/random_tasks.hpp"

namespace bench {
namespace {

// Far above the command line's default, so that the largest generated tasks are measured
// rather than refused.
constexpr uint64_t kBenchStateLimit = 20'000'000;

void BM_Solve(benchmark::State& state, const model::TaskData* task, int knownCrossings) {
    model::SolveResult result;
    for (auto _ : state) {
        result = model::solveTask(*task, kBenchStateLimit);
        benchmark::DoNotOptimize(result.moves.data());
    }
    state.counters["states"] = static_cast<double>(result.statesVisited);
    state.counters["crossings"] = static_cast<double>(result.moves.size());
    state.counters["states_per_s"] = benchmark::Counter(static_cast<double>(result.statesVisited),
                                                        benchmark::Counter::kIsIterationInvariantRate);
    if (result.status == model::SolveStatus::TooLarge) {
        state.SkipWithError(task->characters.size() > 32 ? "too large: a move holds 32 characters"
                                                         : "too large: over the state limit");
    } else if (result.status != model::SolveStatus::Solved) {
        state.SkipWithError("no solution");
    } else if (knownCrossings >= 0 && static_cast<int>(result.moves.size()) != knownCrossings) {
        state.SkipWithError("the shortest solution differs from the pack's");
    }
}

// The hint's search: from the start (the farthest a pupil can be from the goal) within
// the bound play uses, so a task past the bound shows how long the pupil waits for "too big".
void BM_Hint(benchmark::State& state, const model::TaskData* task) {
    model::SolveResult result;
    for (auto _ : state) {
        result = model::solveFrom(*task, model::Position{}, model::kInteractiveStateLimit);
        benchmark::DoNotOptimize(result.moves.data());
    }
    state.counters["states"] = static_cast<double>(result.statesVisited);
    state.counters["crossings"] = static_cast<double>(result.moves.size());
    if (result.status == model::SolveStatus::TooLarge) state.SetLabel("too big to hint");
    if (result.status == model::SolveStatus::NoSolution) state.SetLabel("no solution");
}

// The editor's verdict within the interactive bound: the screen waits for it.
void BM_Verdict(benchmark::State& state, const model::TaskData* task) {
    model::TaskVerdict verdict;
    for (auto _ : state) {
        verdict = model::judgeTask(*task);
        benchmark::DoNotOptimize(verdict.crossings);
    }
    state.counters["crossings"] = verdict.crossings;
    state.counters["states"] = static_cast<double>(verdict.statesVisited);
    if (verdict.status == model::SolveStatus::TooLarge) state.SetLabel("too big");
    if (verdict.status == model::SolveStatus::NoSolution) state.SetLabel("no solution");
}

// Registered benchmarks keep pointers to their tasks.
std::deque<model::TaskData> tasks;

// Without `solve`, only the hint's bounded search: the unbounded one may take hours.
void add(const std::string& name, model::TaskData task, int knownCrossings, bool solve = true) {
    tasks.push_back(std::move(task));
    if (solve) {
        benchmark::RegisterBenchmark(("BM_Solve/" + name).c_str(), BM_Solve, &tasks.back(),
                                     knownCrossings)
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::RegisterBenchmark(("BM_Hint/" + name).c_str(), BM_Hint, &tasks.back())
        ->Unit(benchmark::kMillisecond);
}

}  // namespace

void registerSolverBenchmarks() {
    std::pair<std::string, model::TaskData> largest;
    for (auto& [name, source] : packSources()) {
        if (source.task.characters.size() >= largest.second.characters.size())
            largest = {"pack/" + name, source.task};
        add("pack/" + name, std::move(source.task), source.crossings);
    }
    add("couples/6_boat4", jealousCouples(6, 4), -1);
    add("couples/8_boat4", jealousCouples(8, 4), -1);
    add("couples/10_boat4", jealousCouples(10, 4), -1);
    add("couples/10_boat3", jealousCouples(10, 3), -1);
    add("crowd/40_boat2", crowd(40, false), 77);
    add("crowd/40_boatman", crowd(40, true), 79);
    add("monks_trolls/10+10_boat5", monksAndTrolls(10, 5), -1);
    add("monks_trolls/16+16_boat5", monksAndTrolls(16, 5), -1);
    add("monks_trolls/20+20_boat5", monksAndTrolls(20, 5), -1);
    add("distinct/16_chain_boat3", distinctChain(16, 3), -1);
    add("crafted/32_refused_everywhere", test::refusedEverywhere(), -1, false);
    // What the editor may be asked about: the pack's largest task and the hardest made ones.
    const std::pair<const char*, model::TaskData> verdicts[] = {
        {largest.first.c_str(), largest.second},
        {"couples/8_boat4", jealousCouples(8, 4)},
        {"couples/8_boat3", jealousCouples(8, 3)},
        {"couples/10_boat4", jealousCouples(10, 4)},
        {"couples/10_boat3", jealousCouples(10, 3)},
        {"crowd/40_boat2", crowd(40, false)},
        {"crowd/40_boatman", crowd(40, true)},
        {"monks_trolls/8+8_boat3", monksAndTrolls(8, 3)},
        {"distinct/16_chain_boat3", distinctChain(16, 3)},
        {"distinct/16_chain_boat5", distinctChain(16, 5)},
        {"distinct/16_chain_boat8", distinctChain(16, 8)},
        {"crafted/32_refused_everywhere", test::refusedEverywhere()},
    };
    for (const auto& [name, task] : verdicts) {
        tasks.push_back(task);
        benchmark::RegisterBenchmark((std::string("BM_Verdict/") + name).c_str(), BM_Verdict,
                                     &tasks.back())
            ->Unit(benchmark::kMillisecond);
    }
}

}  // namespace bench
