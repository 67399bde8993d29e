// A picture of the editor's palette: pressing it makes a new character from it and hands
// the same press over to that character, so the drag starts at once.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "ui/drag_drop_item.hpp"
#include "ui/graphics_item.hpp"

namespace editor {

class PalettePicture : public ui::GraphicsItem {
public:
    // Makes and counts a character from the picture, or answers null when no character
    // can be added.
    using MakeCharacter = std::function<ui::DragDropItem*(PalettePicture* source)>;

    PalettePicture(int x, int y, const char* path, MakeCharacter makeCharacter);
    void draw() override;
    bool hitTest(int px, int py) override;
    void mouseDown(int px, int py) override;
    void hoverEnter() override;
    void hoverLeave() override;

    ui::TexturePtr tintMask;
    ui::TexturePtr smallTexture;
    ui::TexturePtr smallTintMask;
    int32_t weight = 1;
    std::string path;

private:
    MakeCharacter makeCharacter_;
};

}  // namespace editor
