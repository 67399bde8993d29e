// One frame of drawing: what every screen, animation and test shows.
#pragma once

namespace ui {

// Clear, every visible item, the edit boxes on top, present; then the shell's
// frameObserver is told.
void renderFrame();

}  // namespace ui
