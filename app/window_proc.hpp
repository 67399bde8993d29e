// The window procedure: every message of the game's one window arrives here.
#pragma once

#include <cstdint>

namespace app {

intptr_t windowProc(uint32_t message, uintptr_t wParam, intptr_t lParam);
// While an arrow of the wood panel is held, the current list scrolls 2 pixels a tick.
void scrollUpTick();
void scrollDownTick();

}  // namespace app
