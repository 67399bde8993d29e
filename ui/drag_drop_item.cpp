#include "ui/drag_drop_item.hpp"
#include "ui/shell.hpp"

#include <cstdlib>

namespace ui {

namespace {

// How far a press may wander and still count as a tap: a finger on glass trembles.
constexpr int kTapSlop = 6;

}  // namespace

DragDropItem::DragDropItem(int x_, int y_, const char* path) : PressablePicture(x_, y_, path) {}

bool DragDropItem::hitTest(int px, int py) { return containsPoint(this, px, py); }

void DragDropItem::mouseDown(int px, int py) {
    dragging_ = !onDragStart || onDragStart(this, px, py);
    if (!dragging_) return;
    state = Pressed;
    setCursor(CursorKind::Drag);
    lastX = px;
    lastY = py;
    pressX_ = px;
    pressY_ = py;
    strayed_ = false;
}

void DragDropItem::mouseMove(int px, int py) {
    if (state != Pressed) return;
    moveBy(px - lastX, py - lastY);
    lastX = px;
    lastY = py;
    if (std::abs(px - pressX_) > kTapSlop || std::abs(py - pressY_) > kTapSlop) strayed_ = true;
    if (!onDragOver) return;
    const ItemList& list = shell().items;
    for (VisualItem* other = list.top; other != nullptr && other != list.modalFloor;
         other = other->prev) {
        if (other == this || !other->visible || !intersects(this, other)) continue;
        if (onDragOver(this, other, px, py)) break;
    }
}

void DragDropItem::mouseUp(int px, int py) {
    tapped = state == Pressed && !strayed_ && std::abs(px - pressX_) <= kTapSlop &&
             std::abs(py - pressY_) <= kTapSlop;
    state = Hovered;
    setCursor(CursorKind::Hand);
    // A refused press never took the item: there is nothing to drop.
    const bool dropping = dragging_;
    dragging_ = false;
    if (dropping && onDrop) onDrop(this, px, py);
}

}  // namespace ui
