#include "scene/character_picture.hpp"

#include <array>

#include "platform/graphics.hpp"

namespace scene {

using ui::drawTexture;
using ui::loadTexture;
using ui::Rect;
using ui::TexturePtr;
using ui::variantName;

namespace {

// The colours task files store for the palette's red, yellow, green and blue, in the
// order of the frames of the marks' pictures (circle, triangle, square, diamond). Only
// these exact values get a mark: any other colour is a teacher's own and is only tinted.
constexpr std::array<uint32_t, 4> kMarkedColours = {0xFFF00000, 0xFFF0F000, 0xFF00F000, 0xFF0000F0};
// Figures narrower than this are the small pictures of the lists and take small marks.
constexpr int kLargeFigure = 40;

struct Marks {
    const platform::Graphics* surface = nullptr;  // the marks belong to its renderer
    TexturePtr large;
    TexturePtr small;
    int largeSize = 0;
    int smallSize = 0;
} marks;

const Marks& loadedMarks() {
    const platform::Graphics* surface = &platform::graphics();
    if (marks.surface != surface) {
        marks = Marks{};
        marks.surface = surface;
        int w = 0;
        marks.large = loadTexture("textures/badges.tga", &w, &marks.largeSize);
        marks.small = loadTexture("textures/badges_small.tga", &w, &marks.smallSize);
    }
    return marks;
}

int markFrame(uint32_t colour) {
    for (size_t i = 0; i < kMarkedColours.size(); ++i) {
        if (kMarkedColours[i] == colour) return static_cast<int>(i);
    }
    return -1;
}

void drawMark(const platform::Texture& figure, int x, int y, uint32_t colour, uint32_t alpha) {
    const int frame = markFrame(colour);
    if (frame < 0) return;
    const Marks& m = loadedMarks();
    const int width = platform::textureWidth(figure);
    const bool large = width >= kLargeFigure;
    const TexturePtr& picture = large ? m.large : m.small;
    const int size = large ? m.largeSize : m.smallSize;
    if (!picture || size <= 0) return;
    const Rect source{frame * size, 0, (frame + 1) * size, size};
    drawTexture(picture, x + width - size, y + platform::textureHeight(figure) - size, &source,
                (alpha << 24) | 0x00FFFFFF);
}

}  // namespace

TexturePtr loadTintMask(const std::string& picturePath, const TexturePtr& figure) {
    if (!figure) return nullptr;
    int width = 0;
    int height = 0;
    TexturePtr mask = loadTexture(variantName(picturePath, "_tint"), &width, &height);
    if (width != platform::textureWidth(*figure) || height != platform::textureHeight(*figure)) {
        return nullptr;
    }
    return mask;
}

void drawCharacter(const TexturePtr& figure, const TexturePtr& mask, int x, int y, uint32_t colour,
                   uint32_t alpha) {
    if (!figure) return;
    const uint32_t faded = alpha >= 0xFF ? colour >> 24 : ((colour >> 24) * alpha + 127) / 255;
    const uint32_t rgb = colour & 0x00FFFFFF;
    if (!mask || rgb == 0x00FFFFFF) {
        drawTexture(figure, x, y, nullptr, (faded << 24) | rgb);
        return;
    }
    drawTexture(figure, x, y, nullptr, (faded << 24) | 0x00FFFFFF);
    drawTexture(mask, x, y, nullptr, (faded << 24) | rgb);
    drawMark(*figure, x, y, colour, faded);
}

void releaseCharacterMarks() { marks = Marks{}; }

CharacterPicture::CharacterPicture(int x_, int y_, const char* path) : DragDropItem(x_, y_, path) {}

void CharacterPicture::draw() {
    uint32_t tint = 0;
    const TexturePtr& picture = stateTexture(&tint);
    // A character keeps its colours while pressed or dragged, only fading; the hover tint
    // lights up the whole picture as on any other.
    if (tintMask && state != ui::Hovered && picture == texture) {
        drawCharacter(texture, tintMask, x, y, colour, tint >> 24);
        return;
    }
    DragDropItem::draw();
}

}  // namespace scene
