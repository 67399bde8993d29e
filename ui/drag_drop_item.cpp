#include "ui/drag_drop_item.hpp"

namespace ui {

DragDropItem::DragDropItem(int x_, int y_, const char* path) : UIElement(x_, y_, path) {}

bool DragDropItem::hitTest(int px, int py) { return containsPoint(this, px, py); }

void DragDropItem::mouseDown(int px, int py, unsigned) {
    if (onDragStart != nullptr && !onDragStart(this, px, py)) return;
    state = 2;
    setCursor(CursorKind::Drag);
    lastX = px;
    lastY = py;
}

void DragDropItem::mouseMove(int px, int py, unsigned) {
    if (state != 2) return;
    moveBy(px - lastX, py - lastY);
    lastX = px;
    lastY = py;
    if (onDragOver == nullptr) return;
    for (VisualItem* other = topItem; other != nullptr && other != modalFloor; other = other->prev) {
        if (other == this || !other->visible || !intersects(this, other)) continue;
        if (onDragOver(this, other, px, py)) break;
    }
}

void DragDropItem::mouseUp(int px, int py, unsigned) {
    state = 1;
    setCursor(CursorKind::Hand);
    if (onDrop != nullptr) onDrop(this, px, py);
}

WoodPanel::WoodPanel(int x_, int y_, const char* path) : DragDropItem(x_, y_, path) {}

bool WoodPanel::hitTest(int px, int py) {
    if (!containsPoint(this, px, py)) return false;
    return px < x + 47 || py < y + 46 || px >= x + width - 53 || py >= y + height - 56;
}

}  // namespace ui
