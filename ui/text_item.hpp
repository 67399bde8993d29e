// Texts: a label (TextItem) and the message that rises and fades (PopupMessage).
#pragma once

#include <cstdint>
#include <string>

#include "ui/resources.hpp"
#include "ui/visual_item.hpp"

namespace ui {

class TextItem : public VisualItem {
public:
    // Left-aligned from (x, y), unclipped.
    TextItem(int x, int y, std::string text, FontPtr font, uint32_t colour);
    // Centred in the rectangle.
    TextItem(int x, int y, int width, int height, std::string text, FontPtr font, uint32_t colour);
    void draw() override;

    std::string text;
    FontPtr font;
    platform::TextFormat format;
    uint32_t colour;
};

class PopupMessage : public TextItem {
public:
    PopupMessage(FontPtr font, uint32_t colour);
    void draw() override;
    // Takes a copy of the text, restarts the timeline, shows the message over everything.
    void show(std::string message);
    std::optional<uint32_t> nextChange(uint32_t since) const override;

    // Where and how opaque the message is `elapsed` ms after it was shown: still and
    // opaque for 2 s, then rising 80 px while fading out over 4 s.
    struct Frame {
        uint32_t alpha;
        int top;
    };
    static Frame frameAt(uint32_t elapsed);

    uint32_t shownAt = 0;
    // The band the message is centred and wrapped in: the whole screen, or the river
    // while the move list's board stands beside it.
    int areaLeft = 0;
    int areaRight = 1024;
    // On a plate of its own, fitted to the text, where the band lies over busy pictures.
    bool plated = false;
};

}  // namespace ui
