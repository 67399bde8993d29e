#include "ui/ui_element.hpp"

#include "platform/types.hpp"
#include "ui/character_picture.hpp"

namespace ui {

UIElement::UIElement(int x_, int y_, const char* path) : GraphicsItem(x_, y_, path) {
    if (path != nullptr) {
        hoverTexture = loadTexture(variantName(path, "_hover"), nullptr, nullptr);
        activeTexture = loadTexture(variantName(path, "_active"), nullptr, nullptr);
    }
    hoverColour = hoverTexture ? 0xFFFFFFFF : 0xFFF0F000;
    activeColour = activeTexture ? 0xFFFFFFFF : 0x80FFFFFF;
}

const TexturePtr& UIElement::stateTexture(uint32_t* tint) const {
    if (state == 1) {
        *tint = hoverColour;
        return hoverTexture ? hoverTexture : texture;
    }
    if (state == 2) {
        *tint = activeColour;
        return activeTexture ? activeTexture : texture;
    }
    *tint = colour;
    return texture;
}

void UIElement::draw() {
    uint32_t tint = 0;
    const TexturePtr& picture = stateTexture(&tint);
    // A character with a mask keeps its colours while pressed or dragged, only fading;
    // the hover tint lights up the whole picture as on any other.
    if (tintMask && state != 1 && picture == texture) {
        drawCharacter(texture, tintMask, x, y, colour, tint >> 24);
        return;
    }
    drawTexture(picture, x, y, nullptr, tint);
}

bool UIElement::hitTest(int px, int py) { return containsPoint(this, px, py); }

void UIElement::mouseDown(int, int, unsigned) { state = 2; }

void UIElement::mouseMove(int px, int py, unsigned) { state = containsPoint(this, px, py) ? 2 : 1; }

void UIElement::mouseUp(int px, int py, unsigned) {
    if (!containsPoint(this, px, py)) return;
    if (onClick != nullptr) onClick(this);
    releaseHotItem();
}

void UIElement::hoverEnter() {
    state = 1;
    setCursor(CursorKind::Hand);
}

void UIElement::hoverLeave() {
    state = 0;
    setCursor(CursorKind::Arrow);
}

Checkbox::Checkbox(int x_, int y_, const char* path, const char* label_)
    : UIElement(x_, y_, path), label(label_) {
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
    if (label != nullptr) {
        drawText(smallFont, label, Rect{x + width + 2, y, 0, y + height},
                 platform::DT_NOCLIP | platform::DT_BOTTOM, labelColour);
    }
}

void Checkbox::mouseUp(int px, int py, unsigned) {
    if (!containsPoint(this, px, py)) return;
    checked = !checked;
    if (onClick != nullptr) onClick(this);
    releaseHotItem();
}

StaticUIElement::StaticUIElement(int x_, int y_, const char* path) : UIElement(x_, y_, path) {}

bool StaticUIElement::hitTest(int, int) { return false; }

}  // namespace ui
