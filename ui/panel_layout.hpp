// Where the screens put their things on the wood panel, measured from where the panel
// stands now: the list inside the frame and, under it, a row of two buttons.
#pragma once

#include "ui/button.hpp"

namespace ui {

struct PanelBox {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// The list above the button row.
PanelBox panelList();
// Play keeps its one button inside its list, so the list reaches down to the frame.
PanelBox panelListWithoutButtons();
// Button 0 (left) or 1 (right) of the row, 105 x 33, in the panel's colours.
Button* makePanelButton(int index, const char* text, void (*onClick)(Button*));

}  // namespace ui
