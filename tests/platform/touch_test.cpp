// Touches, pen and wheel through the real event path: SDL's queue, the renderer's
// letterboxing and the message loop, into the window procedure's mouse events.
#include <SDL2/SDL.h>

#include <vector>

#include "platform/platform_internal.hpp"
#include "platform/system.hpp"
#include "platform/types.hpp"
#include "support/seen_event.hpp"
#include "tests/platform/platform_fixture.hpp"

namespace {

using namespace platform;

std::vector<test::SeenEvent> seen;

void recordInput(const Event& event) {
    // The shown window's first frame is no input.
    if (std::holds_alternative<Paint>(event)) return;
    if (std::holds_alternative<Tick>(event)) {
        postQuit(0);
    } else {
        seen.push_back(test::seen(event));
    }
}

// Input that arrives while the game plays an animation.
bool animationPlays = false;
bool inputWaitsForAnimation() { return animationPlays; }

void recordUntilDestroyed(const Event& event) {
    if (std::holds_alternative<Destroy>(event)) postQuit(0);
    if (!std::holds_alternative<Tick>(event) && !std::holds_alternative<Paint>(event))
        seen.push_back(test::seen(event));
}

// A window of another shape than the game's, so that the game sits between two bars,
// made the way the game makes its own: touches watched before the renderer exists, the
// logical screen, and the picture drawn into a target of the game's size.
class RealWindow : public ::testing::Test {
protected:
    void SetUp() override {
        seen.clear();
        resetQuit();
        resetTouch();
        setHeadless(false);
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
        window_ = SDL_CreateWindow("touch", 0, 0, 1600, 768, SDL_WINDOW_SHOWN);  // bars of 288 px
        ASSERT_NE(window_, nullptr) << SDL_GetError();
        setMainWindow(window_);
        watchTouches();
        renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
        ASSERT_NE(renderer_, nullptr) << SDL_GetError();
        SDL_RenderSetLogicalSize(renderer_, kScreenWidth, kScreenHeight);
        target_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET,
                                    kScreenWidth, kScreenHeight);
        SDL_SetRenderTarget(renderer_, target_);
        SDL_PumpEvents();
    }
    void TearDown() override {
        setMainWindow(nullptr);
        if (renderer_) {
            SDL_SetRenderTarget(renderer_, nullptr);
            SDL_DestroyRenderer(renderer_);
        }
        if (window_) SDL_DestroyWindow(window_);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        resetQuit();
        resetTouch();
    }
    uint32_t windowId() const { return SDL_GetWindowID(window_); }
    void finger(uint32_t type, SDL_FingerID id, float windowX, float windowY) {
        SDL_Event e{};
        e.type = type;
        e.tfinger.touchId = 1;
        e.tfinger.fingerId = id;
        e.tfinger.x = windowX / 1600.0f;  // touches come as fractions of the window
        e.tfinger.y = windowY / 768.0f;
        e.tfinger.windowID = windowId();
        SDL_PushEvent(&e);
    }
    void windowEvent(uint8_t which) {
        SDL_Event e{};
        e.type = SDL_WINDOWEVENT;
        e.window.event = which;
        e.window.windowID = windowId();
        SDL_PushEvent(&e);
    }
    // Runs the message loop over what is queued; the first timer tick ends it.
    static void runLoop() { runMessageLoop(recordInput); }

    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* target_ = nullptr;
};

TEST_F(RealWindow, AFingerPressesDragsAndReleasesInGameCoordinates) {
    finger(SDL_FINGERDOWN, 7, 288 + 100, 200);
    finger(SDL_FINGERMOTION, 7, 288 + 300, 250);
    finger(SDL_FINGERDOWN, 8, 288 + 900, 600);  // a second hand: ignored
    finger(SDL_FINGERMOTION, 8, 288 + 950, 650);
    finger(SDL_FINGERUP, 8, 288 + 950, 650);
    finger(SDL_FINGERUP, 7, 40, 300);  // lifted over the left bar: the game's edge
    runLoop();
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_EQ(seen[0].kind, "move");
    EXPECT_EQ(seen[1].kind, "down");
    EXPECT_NEAR(seen[1].at.x, 100, 1);
    EXPECT_NEAR(seen[1].at.y, 200, 1);
    EXPECT_EQ(seen[2].kind, "drag");
    EXPECT_NEAR(seen[2].at.x, 300, 1);
    EXPECT_EQ(seen[3].kind, "up");
    EXPECT_EQ(seen[3].at.x, 0);
    EXPECT_NEAR(seen[3].at.y, 300, 1);
}

TEST_F(RealWindow, AFingerLostWithTheFocusNoLongerBlocksTheNext) {
    finger(SDL_FINGERDOWN, 7, 288 + 100, 200);
    windowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
    finger(SDL_FINGERDOWN, 8, 288 + 500, 400);
    runLoop();
    // The lost finger's press ends where it was, and the next finger presses anew.
    ASSERT_EQ(seen.size(), 5u);
    EXPECT_EQ(seen[2].kind, "up");
    EXPECT_NEAR(seen[2].at.x, 100, 1);
    EXPECT_EQ(seen[4].kind, "down");
    EXPECT_NEAR(seen[4].at.x, 500, 1);
}

// A browser's file picker answers after the turn that opened it has ended.
TEST_F(RealWindow, AnAnswerThatComesLaterTakesItsPlaceAmongTheInput) {
    deliverPressLost(nullptr);
    animationPlays = true;
    startMessageLoop({recordUntilDestroyed, inputWaitsForAnimation, nullptr});
    finger(SDL_FINGERDOWN, 7, 288 + 100, 200);
    postAnswer([] { seen.push_back({"answered"}); });
    finger(SDL_FINGERUP, 7, 288 + 300, 200);
    EXPECT_TRUE(runMessageLoopOnce(false));
    EXPECT_TRUE(seen.empty());
    animationPlays = false;
    EXPECT_TRUE(runMessageLoopOnce(false));
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_EQ(seen[1].kind, "down");
    EXPECT_EQ(seen[2].kind, "answered");
    EXPECT_EQ(seen[3].kind, "up");
}

TEST_F(RealWindow, MouseEventsMadeOfTouchesAreDroppedAndTheWheelCountsWholeNotches) {
    SDL_Event press{};
    press.type = SDL_MOUSEBUTTONDOWN;
    press.button.which = SDL_TOUCH_MOUSEID;
    press.button.button = SDL_BUTTON_LEFT;
    press.button.windowID = windowId();
    SDL_PushEvent(&press);
    SDL_Event turn{};
    turn.type = SDL_MOUSEWHEEL;
    turn.wheel.windowID = windowId();
    turn.wheel.direction = SDL_MOUSEWHEEL_NORMAL;
    turn.wheel.preciseY = -0.5f;  // half a notch towards the user, twice
    SDL_PushEvent(&turn);
    SDL_PushEvent(&turn);
    turn.wheel.preciseY = 3.0f;
    turn.wheel.direction = SDL_MOUSEWHEEL_FLIPPED;
    SDL_PushEvent(&turn);
    runLoop();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].kind, "wheel");
    EXPECT_EQ(seen[0].notches, 1);
    EXPECT_EQ(seen[1].notches, 3);
}

TEST_F(RealWindow, InputWaitsInItsOrderForAnAnimationButClosingTheWindowDoesNot) {
    deliverPressLost(nullptr);  // no press left over from another test
    animationPlays = true;
    startMessageLoop({recordUntilDestroyed, inputWaitsForAnimation, nullptr});
    finger(SDL_FINGERDOWN, 7, 288 + 100, 200);
    finger(SDL_FINGERUP, 7, 288 + 300, 200);
    for (int turn = 0; turn < 3; ++turn) EXPECT_TRUE(runMessageLoopOnce(false));
    EXPECT_TRUE(seen.empty());
    animationPlays = false;
    EXPECT_TRUE(runMessageLoopOnce(false));
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[1].kind, "down");
    EXPECT_EQ(seen[2].kind, "up");
    EXPECT_NEAR(seen[2].at.x, 300, 1);

    animationPlays = true;
    finger(SDL_FINGERDOWN, 7, 288 + 500, 400);
    windowEvent(SDL_WINDOWEVENT_CLOSE);
    EXPECT_FALSE(runMessageLoopOnce(false));
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_EQ(seen[3].kind, "destroy");
    animationPlays = false;
}

}  // namespace
