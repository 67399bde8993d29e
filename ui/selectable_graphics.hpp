// A picture of the editor's palette: pressing it makes a new character from it and hands
// the same press over to that character, so the drag starts at once.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "ui/drag_drop_item.hpp"
#include "ui/graphics_item.hpp"

namespace ui {

class SelectableGraphics : public GraphicsItem {
public:
    SelectableGraphics(int x, int y, const char* path);
    bool hitTest(int px, int py) override;
    void mouseDown(int px, int py, unsigned keys) override;
    void hoverEnter() override;
    void hoverLeave() override;

    TexturePtr smallTexture;
    TexturePtr smallTintMask;
    int32_t weight = 1;
    std::string path;

    // Filled by the editor: makes and counts a character from the template, or answers
    // null when no character can be added.
    static std::function<DragDropItem*(SelectableGraphics* source)> makeCharacter;
};

}  // namespace ui
