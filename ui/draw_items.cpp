// The item pass of every frame and the hint box drawn after it.
#include "platform/types.hpp"
#include "ui/resources.hpp"
#include "ui/visual_item.hpp"

namespace ui {

namespace {

const char* hintText = nullptr;
Rect hintRect;

}  // namespace

const char* currentHint(Rect* rect) {
    if (rect != nullptr) *rect = hintRect;
    return hintText;
}

void showHint(int hx, int hy, const char* text) {
    hintRect.left = hx + 2;
    hintRect.top = hy + 2;
    hintRect.right = hintRect.left;
    hintRect.bottom = hintRect.top;
    hintText = text;
    drawText(fonts.small, text, &hintRect, platform::TextFormat::CalcRect, 0);
    if (hintRect.right > 1022) {
        hintRect.left += 1022 - hintRect.right;
        hintRect.right = 1022;
    }
    if (hintRect.bottom > 766) {
        hintRect.top += 766 - hintRect.bottom;
        hintRect.bottom = 766;
    }
}

void drawItems() {
    hintText = nullptr;
    for (VisualItem* item = itemList.bottom; item != nullptr; item = item->next) {
        if (item->visible) item->draw();
    }
    if (hintText != nullptr) {
        fillRect(hintRect.left - 1, hintRect.top - 1, hintRect.right + 1, hintRect.bottom + 1,
                 kPaleYellow);
        drawOutline(hintRect.left - 2, hintRect.top - 2, hintRect.right + 1, hintRect.bottom + 1,
                    0xFF606060);
        drawText(fonts.small, hintText, hintRect, platform::TextFormat::NoClip, 0xFF606060);
    }
}

}  // namespace ui
