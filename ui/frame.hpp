// One frame of drawing: what every screen, animation and test shows.
#pragma once

#include <functional>

namespace ui {

// Clear, every visible item, the edit boxes on top, present.
void renderFrame();
// Called after every frame, the animations' too (ferrolin-script films them with it);
// empty when nobody watches.
extern std::function<void()> frameObserver;

}  // namespace ui
