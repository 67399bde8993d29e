// A thing the user moves with the mouse: it asks its owner before a drag, offers what it
// passes over and reports the drop.
#pragma once

#include <cstdint>
#include <functional>

#include "ui/pressable_picture.hpp"

namespace ui {

class DragDropItem : public PressablePicture {
public:
    DragDropItem(int x, int y, const char* path);
    bool hitTest(int px, int py) override;
    void mouseDown(int px, int py) override;
    void mouseUp(int px, int py) override;
    void mouseMove(int px, int py) override;

    int32_t lastX = 0, lastY = 0;
    // Set at each release: the press was a drag that never left its starting point (a
    // click or a tap, allowing a finger's tremor), so the owner may read it as a choice
    // rather than a place.
    bool tapped = false;
    // Asked at every press; false refuses the drag, and its release drops nothing.
    std::function<bool(DragDropItem* item, int px, int py)> onDragStart;
    // Called at every release, last thing with the item: it may move or destroy it
    // (clearing the hot item first).
    std::function<void(DragDropItem* item, int px, int py)> onDrop;
    // Offered the overlapped items after each drag step, topmost first, until one
    // answers true.
    std::function<bool(DragDropItem* item, VisualItem* other, int px, int py)> onDragOver;

private:
    int32_t pressX_ = 0, pressY_ = 0;
    bool strayed_ = false;
    bool dragging_ = false;  // pressed and allowed to move
};

}  // namespace ui
