#include "ui/spin.hpp"

#include <cstdio>

#include "platform/system.hpp"
#include "platform/types.hpp"
#include "ui/shell.hpp"

namespace ui {

Spin::Spin(int x_, int y_, int length_, const char* path, int value_, int minimum_, int maximum_)
    : GraphicsItem(x_, y_, path), length(length_), value(value_), minimum(minimum_), maximum(maximum_) {
    width /= 4;
}

int Spin::partAt(int px, int py) const {
    if (py < y || py >= y + height || px < x || px >= x + length) return 0;
    if (px < x + width) return 1;
    if (px >= x + length - width) return 2;
    return 0;
}

bool Spin::hitTest(int px, int py) { return partAt(px, py) != 0; }

void Spin::doStep() {
    if (pressedPart == 1) {
        value = value - step < minimum ? minimum : value - step;
    } else if (pressedPart == 2) {
        value = value + step > maximum ? maximum : value + step;
    }
    if (onChange) onChange(this);
}

void Spin::mouseDown(int px, int py) {
    pressedPart = partAt(px, py);
    doStep();
    nextRepeat = platform::tickCount() + 450;
}

void Spin::mouseMove(int px, int py) { pressedPart = partAt(px, py); }

void Spin::mouseUp(int, int) { pressedPart = 0; }

void Spin::hoverEnter() { setCursor(CursorKind::Hand); }

void Spin::hoverLeave() { setCursor(CursorKind::Arrow); }

std::optional<uint32_t> Spin::nextChange(uint32_t since) const {
    if (pressedPart == 0) return std::nullopt;
    return since;
}

void Spin::draw() {
    const uint32_t now = platform::tickCount();
    if (pressedPart != 0 && static_cast<int32_t>(now - nextRepeat) >= 50) {
        doStep();
        nextRepeat = now;
    }
    const Rect decrease{(pressedPart == 1 ? 2 : 0) * width, 0, (pressedPart == 1 ? 3 : 1) * width,
                        height};
    const Rect increase{(pressedPart == 2 ? 3 : 1) * width, 0, (pressedPart == 2 ? 4 : 2) * width,
                        height};
    drawTexture(texture, x, y, &decrease, colour);
    drawTexture(texture, x + length - width, y, &increase, colour);
    char number[16];
    std::snprintf(number, sizeof number, "%d", value);
    drawText(shell().fonts.small, number, Rect{x, y, x + length, y + height},
             platform::TextFormat::NoClip | platform::TextFormat::VCenter | platform::TextFormat::Center,
             textColour);
}

}  // namespace ui
