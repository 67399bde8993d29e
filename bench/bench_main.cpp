// ferrolin-bench: frames, start-up and the solver, then a summary of the goals.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace bench {
void registerSolverBenchmarks();
void registerAgreementBenchmarks();
void releaseBenchGame();
}  // namespace bench

namespace {

// The per-frame goals: at most 1.3 times the bare SDL frame and under 2 ms.
constexpr double kRatioGoal = 1.3;
constexpr double kFrameGoalMs = 2.0;
// Frames over a plain copy of a whole frame: at rest, and while the boat crosses.
constexpr double kRestGoal = 1.5;
constexpr double kCrossingGoal = 2.5;

// Shows the runs as usual and keeps them for the summary.
class CollectingReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration) kept.push_back(run);
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::vector<Run> kept;
};

double counter(const benchmark::BenchmarkReporter::Run& run, const char* name) {
    const auto it = run.counters.find(name);
    return it == run.counters.end() ? 0 : it->second.value;
}

bool startsWith(const std::string& s, const char* prefix) { return s.rfind(prefix, 0) == 0; }

// "BM_Frame/play/min_time:3.000/manual_time" -> "play"
std::string shortName(const std::string& name, size_t prefix) {
    std::string rest = name.substr(prefix);
    for (const char* tail : {"/min_time:", "/iterations:", "/manual_time", "/real_time"}) {
        const size_t at = rest.find(tail);
        if (at != std::string::npos) rest.resize(at);
    }
    return rest;
}

void printSummary(const std::vector<benchmark::BenchmarkReporter::Run>& runs) {
    std::printf("\n== Summary ==\n");
    std::printf(
        "Frames drawn in full (no composition cache), 1024x768, headless software renderer "
        "(medians per frame):\n");
    std::printf("  %-10s %9s %12s %7s %7s  %s\n", "screen", "ours ms", "bare SDL ms", "ratio", "allocs",
                "goal <= 1.3x and < 2 ms");
    for (const auto& run : runs) {
        const std::string name = run.benchmark_name();
        if (!startsWith(name, "BM_Frame/")) continue;
        if (run.error_occurred) {
            std::printf("  %-10s failed: %s\n", shortName(name, 9).c_str(), run.error_message.c_str());
            continue;
        }
        const double ours = counter(run, "uncached_ms");
        const double bare = counter(run, "bare_ms");
        const double ratio = counter(run, "ratio");
        const bool met = ratio <= kRatioGoal && ours < kFrameGoalMs;
        std::printf("  %-10s %9.3f %12.3f %7.2f %7.0f  %s%s\n", shortName(name, 9).c_str(), ours, bare,
                    ratio, counter(run, "allocs"), met ? "met" : "NOT met",
                    counter(run, "same_pixels") == 1 ? "" : " (the replay drew other pixels!)");
    }
    std::printf(
        "Frames over one plain memcpy of a 1024x768x4 frame, same run (goal <= %.1fx at rest, "
        "<= %.1fx in a crossing):\n",
        kRestGoal, kCrossingGoal);
    std::printf("  %-10s %9s %9s %11s %9s %9s  %s\n", "frame", "ms", "memcpy ms", "uncached ms", "ratio",
                "uncached", "goal");
    for (const auto& run : runs) {
        const std::string name = run.benchmark_name();
        const bool crossing = startsWith(name, "BM_Crossing");
        if ((!crossing && !startsWith(name, "BM_Frame/")) || run.error_occurred) continue;
        const double ratio = counter(run, crossing ? "crossing_over_memcpy" : "rest_over_memcpy");
        const std::string label = crossing ? "crossing" : shortName(name, 9) + " rest";
        std::printf("  %-10s %9.3f %9.3f %11.3f %9.2f %9.2f  %s\n", label.c_str(),
                    counter(run, "frame_ms"), counter(run, "memcpy_ms"), counter(run, "uncached_ms"),
                    ratio, counter(run, "uncached_over_memcpy"),
                    ratio <= (crossing ? kCrossingGoal : kRestGoal) ? "met" : "NOT met");
    }
    for (const auto& run : runs) {
        if (!startsWith(run.benchmark_name(), "BM_StartUp")) continue;
        if (run.error_occurred) {
            std::printf("Start-up failed: %s\n", run.error_message.c_str());
            continue;
        }
        std::printf(
            "Start-up, headless (median): first frame %.1f ms, menu rolled down %.1f ms "
            "(the roll's sleeps skipped); first start in the process %.1f ms\n",
            counter(run, "first_frame_ms"), counter(run, "menu_down_ms"),
            counter(run, "cold_first_frame_ms"));
    }
    std::printf(
        "Opening the catalogue over 1000 task files (medians): cold, every kept row's verdict "
        "solved; warm, found by the files' content\n  %-12s %9s %14s %15s %6s %17s\n",
        "files", "first frame", "rows in view", "slowest frame", "rows", "settled at build");
    for (const auto& run : runs) {
        const std::string name = run.benchmark_name();
        if (!startsWith(name, "BM_CatalogueOpen/")) continue;
        if (run.error_occurred) {
            std::printf("  %-12s %s\n", shortName(name, 17).c_str(), run.error_message.c_str());
            continue;
        }
        std::printf("  %-12s %8.1f ms %11.1f ms %12.1f ms %6.0f %17.0f\n", shortName(name, 17).c_str(),
                    counter(run, "open_ms"), counter(run, "in_view_ms"), counter(run, "worst_frame_ms"),
                    counter(run, "rows"), counter(run, "settled_at_build"));
    }
    std::printf("Solver:\n  %-28s %10s %9s %10s %14s\n", "task", "states", "crossings", "ms",
                "states/s");
    for (const auto& run : runs) {
        const std::string name = run.benchmark_name();
        if (!startsWith(name, "BM_Solve/")) continue;
        if (run.error_occurred) {
            std::printf("  %-28s %s\n", shortName(name, 9).c_str(), run.error_message.c_str());
            continue;
        }
        std::printf("  %-28s %10.0f %9.0f %10.3f %14.0f\n", shortName(name, 9).c_str(),
                    counter(run, "states"), counter(run, "crossings"), run.GetAdjustedRealTime(),
                    counter(run, "states_per_s"));
    }
}

}  // namespace

int main(int argc, char** argv) {
    bench::registerSolverBenchmarks();
    bench::registerAgreementBenchmarks();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    CollectingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    bench::releaseBenchGame();
    benchmark::Shutdown();
    printSummary(reporter.kept);
    return 0;
}
