// The plate under the catalogue that says what a row's marks mean: the check mark with
// the pupil's best count, the shortest count, the marks for no solution and too large,
// and the stripes of the class's and the pupil's own tasks.
#pragma once

#include <cstdint>
#include <vector>

namespace app {

struct TaskEntry;

// The stripes at a row's left edge that tell its group; 0 for the game's own tasks.
constexpr uint32_t kClassStripe = 0xFF5AB4FF;
constexpr uint32_t kMineStripe = 0xFFFF9F40;

// Below the panel at (x, bottom); the group lines only for groups the list holds.
void drawCatalogueLegend(const std::vector<TaskEntry>& entries, int x, int bottom, int width);

}  // namespace app
