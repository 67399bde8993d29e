#include "ui/pressable_picture.hpp"

#include <utility>

#include "platform/types.hpp"
#include "ui/shell.hpp"

namespace ui {

PressablePicture::PressablePicture(int x_, int y_, const char* path) : Pressable(x_, y_, path) {
    if (path != nullptr) {
        hoverTexture = loadTexture(variantName(path, "_hover"), nullptr, nullptr);
        activeTexture = loadTexture(variantName(path, "_active"), nullptr, nullptr);
    }
    hoverColour = hoverTexture ? 0xFFFFFFFF : 0xFFF0F000;
    activeColour = activeTexture ? 0xFFFFFFFF : 0x80FFFFFF;
}

const TexturePtr& PressablePicture::stateTexture(uint32_t* tint) const {
    if (state == Hovered) {
        *tint = hoverColour;
        return hoverTexture ? hoverTexture : texture;
    }
    if (state == Pressed) {
        *tint = activeColour;
        return activeTexture ? activeTexture : texture;
    }
    *tint = colour;
    return texture;
}

void PressablePicture::draw() {
    uint32_t tint = 0;
    const TexturePtr& picture = stateTexture(&tint);
    drawTexture(picture, x, y, nullptr, tint);
}

Checkbox::Checkbox(int x_, int y_, const char* path, std::string label_)
    : PressablePicture(x_, y_, path), label(std::move(label_)) {
    width /= 2;
}

void Checkbox::draw() {
    uint32_t tint = 0;
    const TexturePtr& picture = stateTexture(&tint);
    if (picture) {
        const int s = checked ? width : 0;
        const Rect frame{s, 0, s + width, height};
        drawTexture(picture, x, y, &frame, tint);
    }
    if (!label.empty()) {
        drawText(shell().fonts.small, label.c_str(), Rect{x + width + 2, y, 0, y + height},
                 platform::TextFormat::NoClip | platform::TextFormat::Bottom, labelColour);
    }
}

void Checkbox::click() {
    checked = !checked;
    PressablePicture::click();
}

InertPicture::InertPicture(int x_, int y_, const char* path) : PressablePicture(x_, y_, path) {}

bool InertPicture::hitTest(int, int) { return false; }

}  // namespace ui
