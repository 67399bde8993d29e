// Millisecond ticks, 32 bits wide like the tick counts the game compares, and a virtual
// clock for tests and scripts on which sleeping only moves time on.
#include <SDL2/SDL.h>

#include "platform/platform_internal.hpp"
#include "platform/system.hpp"

namespace platform {
namespace {
bool virtualClock = false;
uint32_t virtualNow = 0;
}  // namespace

uint32_t tickCount() { return virtualClock ? virtualNow : SDL_GetTicks(); }

void sleepMs(uint32_t ms) {
    if (virtualClock) {
        virtualNow += ms;
        return;
    }
    // Sleep in short slices and let SDL read the desktop's events meanwhile, so that a
    // blocking animation does not make the desktop think the window has hung. The events
    // stay queued for the message loop.
    const uint32_t start = SDL_GetTicks();
    for (;;) {
        const uint32_t elapsed = SDL_GetTicks() - start;
        if (elapsed >= ms) break;
        const uint32_t left = ms - elapsed;
        SDL_Delay(left < 10 ? left : 10);
        if (SDL_WasInit(SDL_INIT_VIDEO)) SDL_PumpEvents();
    }
}

void useVirtualClock(uint32_t start) {
    virtualClock = true;
    virtualNow = start;
}

void useRealClock() { virtualClock = false; }

bool clockIsVirtual() { return virtualClock; }

void advanceVirtualClock(uint32_t ms) { virtualNow += ms; }

FramePacer::FramePacer(uint32_t periodMs) : period_(periodMs), deadline_(tickCount()) {}

#ifdef __EMSCRIPTEN__
constexpr bool kKeepToTheClock = true;
#else
constexpr bool kKeepToTheClock = false;
#endif

void FramePacer::next() {
    deadline_ += period_;
    if (kKeepToTheClock) return;
    const auto late = static_cast<int32_t>(tickCount() - deadline_);
    if (late > 0 && static_cast<uint32_t>(late) > period_) deadline_ = tickCount();
}

bool FramePacer::behind() const {
    return kKeepToTheClock && static_cast<int32_t>(tickCount() - (deadline_ + period_)) >= 0;
}

void FramePacer::wait() {
    next();
    const auto ahead = static_cast<int32_t>(deadline_ - tickCount());
    if (ahead > 0) sleepMs(static_cast<uint32_t>(ahead));
}

}  // namespace platform
