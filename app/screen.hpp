// The screen under the menu: play, the editor or the catalogue. The app holds the one that
// is open; making it enters the screen, destroying it leaves it, and what the screen built
// in between goes with it.
#pragma once

#include <cstdint>

#include "platform/events.hpp"

namespace app {

enum class ScreenKind : int32_t { None = 0, Play = 1, Editor = 2, Catalogue = 3 };

class Screen {
public:
    virtual ~Screen() = default;
    virtual ScreenKind kind() const = 0;
    // The flight of the bank highlight ended.
    virtual void highlightDone() {}
    // A key pressed while the screen alone takes input (no menu, no press held).
    virtual void keyDown(platform::Key, bool) {}
};

// What is open under the menu.
ScreenKind screenKind();

}  // namespace app
