// The pupil's progress file in the data folder: read whole, written whole through a
// temporary file, so a crash never leaves half of it.
#pragma once

#include <cstdint>
#include <string>

#include "model/progress.hpp"

namespace puzzle {

// Empty when there is no data folder.
std::string progressPath();
// A missing, unreadable or damaged file: nothing solved yet.
model::Progress loadProgress();
// Remembers a win, keeping every line of the file it does not understand; false when it
// cannot be kept: the file exists but cannot be read or is not a progress file (it is
// left as it was), or it cannot be written (read-only, a folder in its place, a full disk).
bool saveWin(uint64_t taskKey, int crossings);

}  // namespace puzzle
