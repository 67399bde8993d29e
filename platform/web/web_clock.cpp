// Waiting in the browser. The game's waits must hand the browser its turn, or nothing is
// shown and no input arrives; but browsers stretch timers shorter than 4 ms to 4 ms, which
// would slow every animation frame down. Short waits therefore pass the turn through
// messages, which come back at once.
#include <SDL2/SDL.h>
#include <emscripten.h>

#include <cstdint>

#include "platform/web/web_internal.hpp"

namespace platform {
namespace {

EM_ASYNC_JS(void, passTurn, (), {
    await new Promise(function(resolve) {
        var channel = new MessageChannel();
        channel.port1.onmessage = function() { resolve(); };
        channel.port2.postMessage(0);
    });
});

constexpr uint32_t kShortestTimerMs = 5;

}  // namespace

void webSleep(uint32_t ms) {
    const uint32_t end = SDL_GetTicks() + ms;
    if (ms >= kShortestTimerMs) {
        emscripten_sleep(ms);
        return;
    }
    do {
        passTurn();
    } while (static_cast<int32_t>(SDL_GetTicks() - end) < 0);
}

void webPresent(SDL_Renderer* renderer) {
    // SDL would wait a timer's turn after each frame; one message's turn is enough for the
    // browser to show it.
    SDL_SetHint(SDL_HINT_EMSCRIPTEN_ASYNCIFY, "0");
    SDL_RenderPresent(renderer);
    SDL_SetHint(SDL_HINT_EMSCRIPTEN_ASYNCIFY, "1");
    passTurn();
}

}  // namespace platform
