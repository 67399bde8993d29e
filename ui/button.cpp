#include "ui/button.hpp"

#include <utility>

#include "platform/types.hpp"
#include "ui/resources.hpp"
#include "ui/shell.hpp"

namespace ui {

Button::Button(int x_, int y_, int width_, int height_, std::string text_)
    : Pressable(x_, y_, width_, height_), text(std::move(text_)) {}

void Button::draw() {
    const uint32_t overlay = overlayColours[static_cast<size_t>(state & 3) % 3];
    const Rect place{x, y, x + width, y + height};
    const platform::TextFormat format = platform::TextFormat::Center | platform::TextFormat::VCenter;
    if (state == Idle || text.empty()) {
        if (!text.empty()) drawText(shell().fonts.small, text.c_str(), place, format, textColour);
        if (overlay != 0) fillRect(x, y, x + width, y + height, overlay);
        return;
    }
    // Lit by the pointer, the light fill would wash the text out: it goes under the text,
    // which is outlined to stay readable.
    if (overlay != 0) fillRect(x, y, x + width, y + height, overlay);
    drawOutlinedText(shell().fonts.small, text.c_str(), place, format, textColour);
}

ColorBox::ColorBox(int x_, int y_, int width_, int height_, int count_, const uint32_t* colours_)
    : VisualItem(x_, y_, width_, height_), count(count_ < 1 ? 1 : (count_ > 256 ? 256 : count_)) {
    for (int i = 0; i < count; ++i) colours[static_cast<size_t>(i)] = colours_[i];
}

void ColorBox::draw() {
    fillRect(x, y, x + width, y + height, currentColour());
    if (state == Idle) {
        drawBevel(x, y, x + width, y + height, kPaleYellow, 0xFF000000);
    } else {
        drawBevel(x, y, x + width, y + height, 0xFF000000, kPaleYellow);
    }
}

bool ColorBox::hitTest(int px, int py) { return containsPoint(this, px, py); }

void ColorBox::mouseDown(int, int) { index = (index + 1) % count; }

void ColorBox::hoverEnter() {
    state = Hovered;
    setCursor(CursorKind::Hand);
}

void ColorBox::hoverLeave() {
    state = Idle;
    setCursor(CursorKind::Arrow);
}

}  // namespace ui
