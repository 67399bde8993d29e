// A text button with a translucent overlay for hover and press, and the colour box
// that cycles through a palette when pressed.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "ui/pressable.hpp"
#include "ui/visual_item.hpp"

namespace ui {

class Button : public Pressable<VisualItem, Button> {
public:
    // An empty text draws none: a bare overlay over words a picture shows (the menu).
    Button(int x, int y, int width, int height, std::string text);
    void draw() override;

    std::string text;
    uint32_t textColour = kPaleYellow;
    // By press state.
    std::array<uint32_t, 3> overlayColours{0, 0x60FFFFFF, 0x60FFFF00};
};

class ColorBox : public VisualItem {
public:
    ColorBox(int x, int y, int width, int height, int count, const uint32_t* colours);
    void draw() override;
    bool hitTest(int px, int py) override;
    void mouseDown(int px, int py) override;
    void hoverEnter() override;
    void hoverLeave() override;

    uint32_t currentColour() const { return colours[static_cast<size_t>(index)]; }

    int32_t state = Idle;  // hovered: drawn pressed in
    int32_t index = 0;
    int32_t count;
    std::array<uint32_t, 256> colours{};
};

}  // namespace ui
