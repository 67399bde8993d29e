// A game at rest draws no frames of its own, so a window that changes size (or leaves
// full screen) must get its picture from the loop at once, drawn whole.
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <optional>

#include "platform/graphics.hpp"
#include "platform/sdl_graphics.hpp"
#include "platform/system.hpp"
#include "platform/types.hpp"

namespace {

using namespace platform;

constexpr uint32_t kPicture = 0xFFC00000;
int framesDrawn = 0;

void drawPicture(const Event& event) {
    if (std::holds_alternative<Tick>(event) || std::holds_alternative<Paint>(event)) {
        graphics().clear(kPicture);
        graphics().present();
        ++framesDrawn;
    }
}

// Two equal frames, then nothing moves.
std::optional<uint32_t> twoFramesThenRest() {
    if (framesDrawn < 2) return SDL_GetTicks();
    return std::nullopt;
}

// Turns the loop until a frame is drawn (or a second has passed).
void turnUntilDrawn(int frames) {
    for (int turn = 0; turn < 1000 && framesDrawn < frames; ++turn) {
        runMessageLoopOnce(false);
        SDL_Delay(1);
    }
}

TEST(ResizedWindow, ShowsTheFrameOfAGameAtRestAtOnce) {
    setHeadless(false);
    resetQuit();
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
    SDL_Window* window = SDL_CreateWindow("rest", 0, 0, kScreenWidth, kScreenHeight, SDL_WINDOW_SHOWN);
    ASSERT_NE(window, nullptr) << SDL_GetError();
    SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
    ASSERT_NE(renderer, nullptr) << SDL_GetError();
    SDL_RenderSetLogicalSize(renderer, kScreenWidth, kScreenHeight);
    setGraphics(std::make_unique<SdlGraphics>(window, renderer, nullptr, nullptr));
    framesDrawn = 0;
    startMessageLoop({drawPicture, nullptr, twoFramesThenRest});
    turnUntilDrawn(2);
    ASSERT_EQ(framesDrawn, 2);

    SDL_SetWindowSize(window, 1280, 960);
    turnUntilDrawn(3);
    EXPECT_EQ(framesDrawn, 3);
    SDL_Surface* shown = SDL_GetWindowSurface(window);
    ASSERT_NE(shown, nullptr);
    ASSERT_EQ(shown->w, 1280);
    uint32_t middle = 0;
    std::memcpy(&middle, static_cast<const uint8_t*>(shown->pixels) + 480 * shown->pitch + 640 * 4, 4);
    EXPECT_EQ(middle & 0x00FFFFFF, kPicture & 0x00FFFFFF);

    setGraphics(nullptr);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

}  // namespace
