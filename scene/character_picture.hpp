// Characters in their colour. A character picture may have a tint mask beside it
// ("unit_knight.tga" and "unit_knight_tint.tga", "unit_knight_small.tga" and
// "unit_knight_small_tint.tga") that says which parts carry the colour: the figure is
// drawn as it is, the mask over it multiplied by the colour, so faces keep their skin and
// the colour shows on clothes, crowns and shields. Each of the four colours of the
// editor's palette also puts a mark of its own shape on the figure, so that colour-blind
// eyes, a pale projector and the 26x26 pictures still tell them apart.
#pragma once

#include <cstdint>
#include <string>

#include "ui/drag_drop_item.hpp"
#include "ui/resources.hpp"

namespace scene {

// The mask beside the picture file; null when there is none or when its size differs
// from the figure's (it would colour the wrong places).
ui::TexturePtr loadTintMask(const std::string& picturePath, const ui::TexturePtr& figure);

// Without a mask, or in white (no colour), the figure multiplied by the colour as any
// picture. With a mask: the figure untinted, the mask in the colour, the colour's mark
// in the bottom-right corner. alpha fades the whole drawing (a character being dragged).
void drawCharacter(const ui::TexturePtr& figure, const ui::TexturePtr& mask, int x, int y,
                   uint32_t colour, uint32_t alpha = 0xFF);

// The marks' pictures are loaded on first use; shutdown lets them go with the surface.
void releaseCharacterMarks();

// A character on the river or the editor's banks: dragged like any picture, drawn in its
// colour through its mask.
class CharacterPicture : public ui::DragDropItem {
public:
    CharacterPicture(int x, int y, const char* path);
    void draw() override;

    ui::TexturePtr tintMask;
};

}  // namespace scene
