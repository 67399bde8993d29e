// One frame of drawing: what every screen, animation and test shows.
#pragma once

namespace ui {

// Clear, every visible item, the edit boxes on top, present.
void renderFrame();
// Called after every frame, the animations' too (ferrolin-script films them with it);
// null when nobody watches.
extern void (*frameObserver)();

}  // namespace ui
