// The hint on the play screen: the lightbulb button (and the H key) asks the solver from
// the position on screen and points at what to do next.
#pragma once

#include "ui/pressable_picture.hpp"

namespace puzzle {

// The button and the pointers; called while the play screen is built.
void buildHint();
void closeHint();
// The button's click, the H key; does nothing while the boat or a drag is under way.
void showHint(ui::PressablePicture* = nullptr);
// The pointers go when what they point at moves (a crossing, an undo).
void dismissHint();
// Hints asked since the task was opened.
int hintsUsed();

}  // namespace puzzle
