// The pupil's progress file in the data folder: read whole, written whole through a
// temporary file, so a crash never leaves half of it.
#pragma once

#include <cstdint>
#include <string>

#include "puzzle/model/progress.hpp"

namespace puzzle {

// Empty when there is no data folder.
std::string progressPath();
// A missing, unreadable or damaged file: nothing solved yet.
model::Progress loadProgress();
// Remembers a win; false when the file could not be written.
bool saveWin(uint64_t taskKey, int crossings);

}  // namespace puzzle
