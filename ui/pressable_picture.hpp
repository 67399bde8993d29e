// Pictures that react to the mouse: PressablePicture (hover and pressed pictures or tints and a
// click), Checkbox (two frames and a label), InertPicture (looks alike, never reacts).
#pragma once

#include <cstdint>
#include <string>

#include "ui/graphics_item.hpp"
#include "ui/pressable.hpp"

namespace ui {

class PressablePicture : public Pressable<GraphicsItem, PressablePicture> {
public:
    // Looks for "_hover" and "_active" pictures beside the picture; tints stand in for
    // the missing ones.
    PressablePicture(int x, int y, const char* path);
    void draw() override;

    TexturePtr hoverTexture;
    TexturePtr activeTexture;
    uint32_t hoverColour;
    uint32_t activeColour;

protected:
    // The picture and tint for the current state.
    const TexturePtr& stateTexture(uint32_t* tint) const;
};

class Checkbox : public PressablePicture {
public:
    Checkbox(int x, int y, const char* path, std::string label);
    void draw() override;

    bool checked = false;
    std::string label;
    uint32_t labelColour = kPaleYellow;

protected:
    void click() override;
};

class InertPicture : public PressablePicture {
public:
    InertPicture(int x, int y, const char* path);
    bool hitTest(int px, int py) override;
};

}  // namespace ui
