#include "puzzle/screen_mode.hpp"

namespace puzzle {

int32_t screenMode = NoScreen;

}  // namespace puzzle
