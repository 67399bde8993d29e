#include "ui/graphics_item.hpp"

#include "base/name_hash.hpp"

namespace ui {

GraphicsItem::GraphicsItem(int x_, int y_, const char* path)
    : VisualItem(x_, y_, 0, 0), nameHash(base::nameHash(path)) {
    if (path != nullptr) texture = loadTexture(path, &width, &height);
}

void GraphicsItem::draw() { drawTexture(texture, x, y, nullptr, colour); }

PicturePart::PicturePart(int x_, int y_, const char* path) : GraphicsItem(x_, y_, path) {
    sourceRect = Rect{0, 0, width, height};
}

void PicturePart::draw() {
    if (sourceRect.right <= sourceRect.left || sourceRect.bottom <= sourceRect.top) return;
    drawTexture(texture, x, y, &sourceRect, colour);
}

}  // namespace ui
