// Opening the catalogue over 1,000 task files, from the command to its first frame: cold,
// when the rows' verdicts are solved, and warm, when they are found by the files' content
// (a second opening in the same run of the game). Also how long the rows in view wait for
// their verdicts once the list's solving budget is spent, and the slowest frame meanwhile.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <thread>
#include <vector>

#include "app/screens.hpp"
#include "app/task_catalogue.hpp"
#include "app/task_difficulty.hpp"
#include "app/task_list_box.hpp"
#include "bench/bench_game.hpp"
#include "bench/solver_tasks.hpp"
#include "bench/timing.hpp"
#include "model/task_file.hpp"

namespace bench {

void releaseBenchGame();

namespace {

constexpr int kFiles = 1000;
// How long a list may take to settle its rows in view before the run counts as stuck.
constexpr auto kMaxSettling = std::chrono::seconds(20);

enum class Mix {
    Pack,   // the pack's tasks over and over: a class folder as teachers fill it
    Large,  // only tasks of 16 characters, each far over the budget of one frame
};

std::vector<model::TaskData> kindsOf(Mix mix) {
    std::vector<model::TaskData> kinds;
    if (mix == Mix::Large) return {jealousCouples(8, 4), distinctChain(16, 3), jealousCouples(8, 3)};
    for (auto& [name, source] : packSources()) kinds.push_back(std::move(source.task));
    return kinds;
}

// Each file its own title, so each has its own content and its own verdict to find.
void writeTaskFiles(HeadlessGame& game, Mix mix) {
    const std::vector<model::TaskData> kinds = kindsOf(mix);
    for (int i = 0; i < kFiles; ++i) {
        model::TaskData task = kinds[static_cast<size_t>(i) % kinds.size()];
        char title[model::kSavableTitleBytes + 1];
        std::snprintf(title, sizeof title, "%04d. %s", i + 1, task.title.c_str());
        task.title = title;
        game.addTaskFile(task);
    }
}

size_t settledRows(const app::TaskListBox& list, size_t first, size_t last) {
    size_t settled = 0;
    for (size_t i = first; i < last && i < list.entries.size(); ++i)
        settled += list.entries[i].difficulty.settled;
    return settled;
}

// The rows the list settles as they come into view: those it shows at its top.
size_t rowsInView(const app::TaskListBox& list) {
    return std::min(list.entries.size(), static_cast<size_t>(list.height / 33 + 2));
}

void BM_CatalogueOpen(benchmark::State& state, Mix mix, bool cold) {
    releaseBenchGame();  // one headless game at a time
    HeadlessGame game;
    try {
        writeTaskFiles(game, mix);
        game.start();
        game.closeMenu();
        game.wait(1000);
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
        return;
    }
    if (!cold) {
        // A catalogue opened before and scrolled through: every kept row's verdict known.
        app::showCatalogue();
        app::currentTaskList()->waitForRows();
    }
    std::vector<double> opens, inView, worstFrames;
    size_t rows = 0, settledAtBuild = 0, view = 0;
    for (auto _ : state) {
        app::closeScreen();
        if (cold) app::verdictCache().clear();
        const auto t0 = Clock::now();
        app::showCatalogue();
        const app::TaskListBox& list = *app::currentTaskList();
        rows = list.entries.size();
        settledAtBuild = settledRows(list, 0, rows);
        view = rowsInView(list);
        game.wait(10);
        const auto t1 = Clock::now();
        double worst = 0;
        // The rows are judged on a thread of their own: the frames go on meanwhile, a
        // millisecond apart, as long as the judging may take.
        bool stuck = false;
        while (settledRows(list, 0, view) < view && !stuck) {
            const auto f0 = Clock::now();
            game.wait(10);
            worst = std::max(worst, ms(Clock::now() - f0));
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            stuck = Clock::now() - t0 > kMaxSettling;
        }
        const auto t2 = Clock::now();
        if (stuck) {
            state.SkipWithError("the rows in view were never settled");
            break;
        }
        state.SetIterationTime(std::chrono::duration<double>(t1 - t0).count());
        opens.push_back(ms(t1 - t0));
        inView.push_back(ms(t2 - t0));
        worstFrames.push_back(worst);
    }
    state.counters["open_ms"] = median(opens);
    state.counters["in_view_ms"] = median(inView);
    state.counters["worst_frame_ms"] = median(worstFrames);
    state.counters["rows"] = static_cast<double>(rows);
    state.counters["rows_in_view"] = static_cast<double>(view);
    state.counters["settled_at_build"] = static_cast<double>(settledAtBuild);
    app::closeScreen();
}

BENCHMARK_CAPTURE(BM_CatalogueOpen, pack / cold, Mix::Pack, true)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);
BENCHMARK_CAPTURE(BM_CatalogueOpen, pack / warm, Mix::Pack, false)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);
BENCHMARK_CAPTURE(BM_CatalogueOpen, large / cold, Mix::Large, true)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(BM_CatalogueOpen, large / warm, Mix::Large, false)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);

}  // namespace
}  // namespace bench
