// The hint on the play screen: the lightbulb button (and the H key) asks the solver from
// the position on screen and points at what to do next.
#pragma once

#include <optional>
#include <vector>

#include "model/position.hpp"
#include "ui/flying_highlight.hpp"
#include "ui/pressable_picture.hpp"

namespace puzzle {

struct PlaySession;

// The hint's button and pointers and what was asked; null while no task is played.
struct HintState {
    ui::PressablePicture* button = nullptr;
    std::vector<ui::FlyingHighlight*> pointers;  // one per thing pointed at, reused
    ui::PressablePicture* litArrow = nullptr;
    int used = 0;
    // Where the last hint was asked: asking again there repeats it, and is not another one.
    std::optional<model::Position> askedAt;
};

// The button and the pointers; called while the play screen is built.
void buildHint(PlaySession& session);
void closeHint(HintState& hint);
// The button's click, the H key; does nothing while the boat or a drag is under way.
void showHint(PlaySession& session);
// The pointers go when what they point at moves (a crossing, an undo).
void dismissHint(HintState& hint);
// Hints asked since the task was opened.
int hintsUsed(const HintState& hint);

}  // namespace puzzle
