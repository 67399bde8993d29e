// Where the screens put their things on the wood panel, measured from where the panel
// stands now: the list inside the frame and, under it, a row of two buttons.
#pragma once

#include <functional>
#include <string>

#include "scene/river.hpp"
#include "scene/scene.hpp"
#include "ui/button.hpp"

namespace scene {

// Every list on the panel draws rows of this size; play's undo button takes one row's place.
constexpr int kListRowWidth = 212, kListRowHeight = 33;

// The list above the button row.
Box panelList(const Scene& scene);
// Play keeps its one button inside its list, so the list reaches down to the frame.
Box panelListWithoutButtons(const Scene& scene);
// Button 0 (left) or 1 (right) of the row, 105 x 33, in the panel's colours.
ui::Button* makePanelButton(const Scene& scene, int index, std::string text,
                            std::function<void(ui::Button*)> onClick);

}  // namespace scene
