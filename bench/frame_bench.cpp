// Frames of the busiest screens against the bare SDL work of the same frame, and the
// start-up to the first frame. Times are medians of the per-frame times, which stay
// meaningful on a machine that other work shares; the Time column is the mean.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "app/screens.hpp"
#include "app/startup.hpp"
#include "app/window_proc.hpp"
#include "bench/alloc_counter.hpp"
#include "bench/bare_frame.hpp"
#include "bench/bench_game.hpp"
#include "bench/timing.hpp"
#include "platform/graphics.hpp"
#include "platform/sdl_graphics.hpp"
#include "platform/system.hpp"
#include "puzzle/play.hpp"
#include "scene/scene.hpp"
#include "ui/frame.hpp"

namespace bench {
namespace {

enum class Busy { Play, Editor, Catalogue };

// Building a busy screen takes seconds of frames: keep the last one for the next run.
std::unique_ptr<HeadlessGame> game;
Busy gameScreen = Busy::Play;

void dropGame() { game.reset(); }

HeadlessGame& gameWith(Busy screen) {
    if (game && gameScreen == screen) return *game;
    game.reset();
    game = std::make_unique<HeadlessGame>();
    game->start();
    switch (screen) {
        case Busy::Play:
            game->openBusyPlay();
            break;
        case Busy::Editor:
            game->openBusyEditor();
            break;
        case Busy::Catalogue:
            game->openBusyCatalogue();
            break;
    }
    gameScreen = screen;
    return *game;
}

// A sample of the frame's pixels, to check that the replay draws what the frame drew.
uint64_t frameDigest() {
    const platform::Graphics& g = platform::graphics();
    uint64_t h = 1469598103934665603ull;
    for (int y = 0; y < platform::kScreenHeight; y += 3) {
        for (int x = 0; x < platform::kScreenWidth; x += 3) {
            h = (h ^ g.pixel(x, y)) * 1099511628211ull;
        }
    }
    return h;
}

// initHeadless, buildScreens and the menu's roll down, whose first step is the first frame.
// The virtual clock skips the roll's sleeps; the real game waits 10 ms a frame.
void BM_StartUp(benchmark::State& state) {
    // The first start in the process also pays for the font and picture libraries.
    static bool firstInProcess = true;
    static double cold = 0;
    dropGame();
    std::vector<double> toFirstFrame, toMenu;
    for (auto _ : state) {
        HeadlessGame folders;
        const auto t0 = Clock::now();
        platform::resetQuit();
        app::initHeadless();
        FirstFrameWatch watch;
        // The loop plays the menu's roll, and draws the first frame with its first step.
        const bool built = app::buildScreens();
        if (built) app::finishAnimations();
        const auto t1 = Clock::now();
        if (!built || !watch.seen()) {
            state.SkipWithError("buildScreens drew no frame");
            break;
        }
        const double first = ms(watch.when() - t0);
        if (firstInProcess) cold = first;
        firstInProcess = false;
        toFirstFrame.push_back(first);
        toMenu.push_back(ms(t1 - t0));
        state.SetIterationTime(first / 1000);
        app::shutdown();
    }
    state.counters["first_frame_ms"] = median(toFirstFrame);
    state.counters["menu_down_ms"] = median(toMenu);
    if (cold > 0) state.counters["cold_first_frame_ms"] = cold;
}

BENCHMARK(BM_StartUp)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2);

const char* screenName(Busy screen) {
    switch (screen) {
        case Busy::Play:
            return "play";
        case Busy::Editor:
            return "editor";
        case Busy::Catalogue:
            return "catalogue";
    }
    return "screen";
}

// The floor a frame cannot go below: one plain copy of a whole 1024x768 frame.
class FrameCopy {
public:
    FrameCopy() : from_(kBytes, 0x5A), to_(kBytes, 0) {}
    Clock::duration run() {
        const auto t0 = Clock::now();
        std::memcpy(to_.data(), from_.data(), kBytes);
        benchmark::DoNotOptimize(to_.data());
        benchmark::ClobberMemory();
        return Clock::now() - t0;
    }

private:
    static constexpr size_t kBytes = size_t{platform::kScreenWidth} * platform::kScreenHeight * 4;
    std::vector<uint8_t> from_, to_;
};

// One frame drawn without the composition cache (every call carried out).
void uncachedFrame() {
    auto& g = dynamic_cast<platform::SdlGraphics&>(platform::graphics());
    g.setFrameCache(false);
    ui::renderFrame();
    g.setFrameCache(true);
}

// The medians of the cached frames, the uncached ones and the plain copies, and both
// kinds of frame over the copy; returns the uncached median.
double reportFloor(benchmark::State& state, const char* ratioName, const std::vector<double>& frames,
                   const std::vector<double>& uncachedFrames, const std::vector<double>& copies) {
    const double f = median(frames);
    const double u = median(uncachedFrames);
    const double c = median(copies);
    state.counters["frame_ms"] = f;
    state.counters["uncached_ms"] = u;
    state.counters["memcpy_ms"] = c;
    state.counters[ratioName] = c > 0 ? f / c : 0;
    state.counters["uncached_over_memcpy"] = c > 0 ? u / c : 0;
    return u;
}

void BM_Frame(benchmark::State& state, Busy screen) {
    try {
        gameWith(screen);
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
        return;
    }
    ui::renderFrame();
    // FERROLIN_BENCH_SHOTS=FOLDER keeps a picture of each measured frame.
    if (const char* shots = std::getenv("FERROLIN_BENCH_SHOTS")) {
        platform::graphics().savePng(std::string(shots) + "/" + screenName(screen) + ".png");
    }
    const uint64_t ours = frameDigest();
    const BareFrame bare = BareFrame::record();
    bare.replay();
    const bool samePixels = frameDigest() == ours;
    const uint64_t allocationsBefore = allocationCount();
    ui::renderFrame();
    const uint64_t allocationsPerFrame = allocationCount() - allocationsBefore;

    FrameCopy copy;
    std::vector<double> frameTimes, bareTimes, uncachedTimes, copyTimes;
    int first = 0;
    for (auto _ : state) {
        // Rotate the order so that none profits from another's warm caches. The bare
        // replay draws the same pixels, so the cached frame stays valid after it.
        Clock::duration frame{}, baseline{}, uncached{}, floor{};
        for (int pass = 0; pass < 4; ++pass) {
            const auto t0 = Clock::now();
            switch ((pass + first) % 4) {
                case 0:
                    ui::renderFrame();
                    frame = Clock::now() - t0;
                    break;
                case 1:
                    bare.replay();
                    baseline = Clock::now() - t0;
                    break;
                case 2:
                    uncachedFrame();
                    uncached = Clock::now() - t0;
                    break;
                default:
                    floor = copy.run();
                    break;
            }
        }
        first = (first + 1) % 4;
        // All four passes count towards the minimum time: the cached frame alone is so
        // short that the run would otherwise take minutes.
        state.SetIterationTime(
            std::chrono::duration<double>(frame + baseline + uncached + floor).count());
        frameTimes.push_back(ms(frame));
        bareTimes.push_back(ms(baseline));
        uncachedTimes.push_back(ms(uncached));
        copyTimes.push_back(ms(floor));
    }
    const double b = median(bareTimes);
    const double u = reportFloor(state, "rest_over_memcpy", frameTimes, uncachedTimes, copyTimes);
    const FrameCounts counts = bare.counts();
    state.counters["bare_ms"] = b;
    state.counters["ratio"] = b > 0 ? u / b : 0;
    state.counters["copies"] = counts.copies;
    state.counters["fills"] = counts.fills;
    state.counters["Mpixels"] = static_cast<double>(counts.pixels) / 1e6;
    state.counters["Mpx_tinted"] = static_cast<double>(counts.modulatedCopy) / 1e6;
    state.counters["Mpx_fill"] = static_cast<double>(counts.blendedFill) / 1e6;
    state.counters["same_pixels"] = samePixels ? 1 : 0;
    state.counters["allocs"] = static_cast<double>(allocationsPerFrame);
}

// Frames of a crossing: the boat with its passengers two pixels on from the frame before.
void BM_Crossing(benchmark::State& state) {
    try {
        gameWith(Busy::Play);
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
        return;
    }
    ui::InertPicture* boat = app::playSession()->task.boat;
    int step = 2;
    auto sail = [&] {
        // Back and forth over 100 pixels, so that every frame differs from the last.
        if (boat->x >= 335 || boat->x <= 235) step = boat->x >= 335 ? -2 : 2;
        boat->moveBy(step, 0);
    };
    FrameCopy copy;
    std::vector<double> frameTimes, uncachedTimes, copyTimes;
    int first = 0;
    for (auto _ : state) {
        Clock::duration frame{}, uncached{}, floor{};
        for (int pass = 0; pass < 3; ++pass) {
            switch ((pass + first) % 3) {
                case 0: {
                    sail();
                    const auto t0 = Clock::now();
                    ui::renderFrame();
                    frame = Clock::now() - t0;
                    break;
                }
                case 1: {
                    sail();
                    const auto t0 = Clock::now();
                    uncachedFrame();
                    uncached = Clock::now() - t0;
                    break;
                }
                default:
                    floor = copy.run();
                    break;
            }
        }
        first = (first + 1) % 3;
        state.SetIterationTime(std::chrono::duration<double>(frame + uncached + floor).count());
        frameTimes.push_back(ms(frame));
        uncachedTimes.push_back(ms(uncached));
        copyTimes.push_back(ms(floor));
    }
    reportFloor(state, "crossing_over_memcpy", frameTimes, uncachedTimes, copyTimes);
}

BENCHMARK(BM_Crossing)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(3);
BENCHMARK_CAPTURE(BM_Frame, play, Busy::Play)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->MinTime(3);
BENCHMARK_CAPTURE(BM_Frame, editor, Busy::Editor)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->MinTime(3);
BENCHMARK_CAPTURE(BM_Frame, catalogue, Busy::Catalogue)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->MinTime(3);

}  // namespace

void releaseBenchGame() { dropGame(); }

}  // namespace bench
