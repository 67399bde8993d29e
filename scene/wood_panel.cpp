#include "scene/wood_panel.hpp"

namespace scene {

namespace {

// The frame's width on each side of the board's picture.
constexpr int kBorderLeft = 47, kBorderTop = 46, kBorderRight = 53, kBorderBottom = 56;

}  // namespace

WoodPanel::WoodPanel(int x_, int y_, const char* path) : DragDropItem(x_, y_, path) {}

bool WoodPanel::hitTest(int px, int py) {
    if (!ui::containsPoint(this, px, py)) return false;
    return px < x + kBorderLeft || py < y + kBorderTop || px >= x + width - kBorderRight ||
           py >= y + height - kBorderBottom;
}

}  // namespace scene
