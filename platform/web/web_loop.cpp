// The browser owns the page's thread: each turn of the game is one of the browser's
// frames, and between them the browser draws and takes input. A game at rest asks for no
// frames at all: the loop sleeps until an event arrives or the game's next deadline.
#include <SDL2/SDL.h>
#include <emscripten.h>
#include <emscripten/eventloop.h>

#include <optional>

#include "platform/platform_internal.hpp"
#include "platform/system.hpp"

namespace platform {
namespace {

// Deadlines closer than this are met by the next frame rather than a timer.
constexpr int32_t kFrameMs = 20;

bool (*gameTurn)(bool mayWait) = nullptr;
bool asleep = false;
long wakeTimer = 0;

void wake() {
    if (!asleep) return;
    asleep = false;
    if (wakeTimer != 0) emscripten_clear_timeout(wakeTimer);
    wakeTimer = 0;
    emscripten_resume_main_loop();
}

int wakeForEvent(void*, SDL_Event*) {
    wake();
    return 1;
}

void wakeForDeadline(void*) {
    wakeTimer = 0;
    wake();
}

EM_JS(void, tellGameEnded, (), {
    if (Module.gameEnded) Module.gameEnded();
});

void frame() {
    if (!gameTurn(false)) {
        emscripten_cancel_main_loop();
        SDL_DelEventWatch(wakeForEvent, nullptr);
        tellGameEnded();
        return;
    }
    const std::optional<uint32_t> due = nextLoopTurn();
    const auto ahead = due ? static_cast<int32_t>(*due - SDL_GetTicks()) : 0;
    if (due && ahead < kFrameMs) return;
    asleep = true;
    emscripten_pause_main_loop();
    if (due) wakeTimer = emscripten_set_timeout(wakeForDeadline, ahead, nullptr);
}

}  // namespace

void runTurns(bool (*turn)(bool mayWait)) {
    gameTurn = turn;
    SDL_AddEventWatch(wakeForEvent, nullptr);
    // The browser's own frame rate; the game's ticks keep their time by the clock.
    emscripten_set_main_loop(frame, 0, 0);
}

}  // namespace platform
