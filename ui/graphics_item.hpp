// Pictures: a whole picture (GraphicsItem) and a part of one (PicturePart).
#pragma once

#include <cstdint>

#include "platform/types.hpp"
#include "ui/resources.hpp"
#include "ui/visual_item.hpp"

namespace ui {

class GraphicsItem : public VisualItem {
public:
    // Takes the size of its picture; without a path (or a loadable picture) it is 0x0
    // and draws nothing.
    GraphicsItem(int x, int y, const char* path);
    void draw() override;

    uint32_t nameHash = 0;
    TexturePtr texture;
    uint32_t colour = 0xFFFFFFFF;
};

class PicturePart : public GraphicsItem {
public:
    PicturePart(int x, int y, const char* path);
    void draw() override;

    Rect sourceRect;  // the part of the picture drawn with its top-left at (x, y)
};

}  // namespace ui
