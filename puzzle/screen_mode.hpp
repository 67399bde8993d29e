// Which screen owns the task and the wood panel. Play and the editor set it when they
// build their screens and read it where a file or a callback depends on the screen; the
// shell sets the catalogue's and clears it on every screen change.
#pragma once

#include <cstdint>

namespace puzzle {

// Stored as a plain 32-bit number: the values are the ones the screens compare against.
enum ScreenMode : int32_t { NoScreen = 0, PlayScreen = 1, EditorScreen = 2, CatalogueScreen = 3 };
extern int32_t screenMode;

}  // namespace puzzle
