// The window procedure: every event of the game's one window arrives here.
#pragma once

#include <cstdint>
#include <optional>

#include "platform/system.hpp"

namespace app {

void windowProc(const platform::Event& event);
// While an arrow of the wood panel is held, the current list scrolls 2 pixels a tick.
void scrollUpTick();
void scrollDownTick();

// Draws the frame when one is due (something changed, or moves by itself): true when it
// did. Otherwise the window still shows the frame drawn last.
bool drawFrameIfDue();
// Input waits while an animation plays, and the game asks for the ticks it needs.
bool inputWaits();
std::optional<uint32_t> nextTick();
// The window procedure with both, for the message loop.
const platform::LoopClient& loopClient();
// Plays the animations under way to their end, the clock moving on to each frame (on the
// virtual clock at once): scripts and tests hand over their next input only then, as the
// message loop does.
void finishAnimations();

}  // namespace app
