// The screen's animations (the menu roll, the wipes, a crossing, a landing) as states the
// message loop's ticks advance, so that nothing waits inside an input handler. Each one
// keeps the pace of a frame pacer: a frame every period, and after a stall the pace
// starts afresh instead of rushing frames to catch up.
//
// Animations and the actions queued behind them run one after the other. An action that
// queues more of them puts them before whatever was queued behind it, as if it had
// called them and waited: a menu command that opens a task wipes the screen before the
// pointer's hover is worked out again.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>

#include "platform/system.hpp"

namespace ui {

struct Animation {
    uint32_t periodMs = 10;
    // Whether frame number `frame` (0 first) is shown at all.
    std::function<bool(int frame)> hasFrame;
    // Changes the items to how that frame shows them; the frame is drawn right after.
    std::function<void(int frame)> showFrame;
    // The first frame comes one period after the start, and the animation ends with its
    // last frame; otherwise the first frame comes at once and the last one stays a period.
    bool pauseFirst = false;
};

// The animations and the actions behind them, in the order they run (the shell holds it).
struct AnimationQueue {
    struct Entry {
        Animation animation;
        std::function<void()> action;  // set for an action, empty for an animation
        // Made when the animation starts: when its next frame, or its end, is due.
        std::optional<platform::FramePacer> pacer;
        int frame = 0;
    };
    std::deque<Entry> entries;
    // Inside a running action, where the action's own entries go (they come first).
    bool inAction = false;
    size_t insertAt = 0;
};

// Queues an animation behind those under way.
void animate(Animation animation);
// Runs the action once the animations queued so far have ended; at once when none are.
void afterAnimations(std::function<void()> action);
bool animating();
// The tick count at which the running animation next needs the clock (while animating).
uint32_t nextAnimationTick();
// Shows the frame that is due, if any, and runs the actions behind animations that ended.
void advanceAnimations();
// Drops every queued animation and action unrun (the window closes, the items go).
void stopAnimations();

}  // namespace ui
