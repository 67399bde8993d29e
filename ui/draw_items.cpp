// The item pass of every frame and the hint box drawn after it.
#include "platform/types.hpp"
#include "ui/resources.hpp"
#include "ui/shell.hpp"
#include "ui/visual_item.hpp"

namespace ui {

const char* currentHint(Rect* rect) {
    const Shell::Hint& hint = shell().hint;
    if (rect != nullptr) *rect = hint.rect;
    return hint.text;
}

void showHint(int hx, int hy, const char* text) {
    Shell& s = shell();
    Rect& r = s.hint.rect;
    r.left = hx + 2;
    r.top = hy + 2;
    r.right = r.left;
    r.bottom = r.top;
    s.hint.text = text;
    drawText(s.fonts.small, text, &r, platform::TextFormat::CalcRect, 0);
    if (r.right > 1022) {
        r.left += 1022 - r.right;
        r.right = 1022;
    }
    if (r.bottom > 766) {
        r.top += 766 - r.bottom;
        r.bottom = 766;
    }
}

void drawItems() {
    Shell& s = shell();
    s.hint.text = nullptr;
    for (VisualItem* item = s.items.bottom; item != nullptr; item = item->next) {
        if (item->visible) item->draw();
    }
    if (s.hint.text != nullptr) {
        const Rect& r = s.hint.rect;
        fillRect(r.left - 1, r.top - 1, r.right + 1, r.bottom + 1, kPaleYellow);
        drawOutline(r.left - 2, r.top - 2, r.right + 1, r.bottom + 1, 0xFF606060);
        drawText(s.fonts.small, s.hint.text, r, platform::TextFormat::NoClip, 0xFF606060);
    }
}

}  // namespace ui
