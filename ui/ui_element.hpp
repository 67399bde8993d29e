// Pictures that react to the mouse: UIElement (hover and pressed pictures or tints and a
// click), Checkbox (two frames and a label), StaticUIElement (looks alike, never reacts).
#pragma once

#include <cstdint>

#include "ui/graphics_item.hpp"

namespace ui {

class UIElement : public GraphicsItem {
public:
    // Looks for "_hover" and "_active" pictures beside the picture; tints stand in for
    // the missing ones.
    UIElement(int x, int y, const char* path);
    void draw() override;
    bool hitTest(int px, int py) override;
    void mouseDown(int px, int py, unsigned keys) override;
    void mouseUp(int px, int py, unsigned keys) override;
    void mouseMove(int px, int py, unsigned keys) override;
    void hoverEnter() override;
    void hoverLeave() override;

    TexturePtr hoverTexture;
    TexturePtr activeTexture;
    uint32_t hoverColour;
    uint32_t activeColour;
    int32_t state = 0;  // 0 normal, 1 hover, 2 pressed
    void (*onClick)(UIElement*) = nullptr;

protected:
    // The picture and tint for the current state.
    const TexturePtr& stateTexture(uint32_t* tint) const;
};

class Checkbox : public UIElement {
public:
    Checkbox(int x, int y, const char* path, const char* label);
    void draw() override;
    void mouseUp(int px, int py, unsigned keys) override;

    bool checked = false;
    const char* label;  // not owned
    uint32_t labelColour = 0xFFFFFFCC;
};

class StaticUIElement : public UIElement {
public:
    StaticUIElement(int x, int y, const char* path);
    bool hitTest(int px, int py) override;
};

}  // namespace ui
