// The wooden board the screens put their lists and buttons on; it can be dragged by its
// border out of the way of the river.
#pragma once

#include "ui/drag_drop_item.hpp"

namespace scene {

class WoodPanel : public ui::DragDropItem {
public:
    WoodPanel(int x, int y, const char* path);
    // Only the wooden border hits; the inside lets the mouse through to what lies below.
    bool hitTest(int px, int py) override;
};

}  // namespace scene
