#include "ui/resources.hpp"

#include <cstring>

#include "platform/graphics.hpp"
#include "platform/system.hpp"
#include "ui/shell.hpp"

namespace ui {

FontPtr createFont(const char* face, int height, int weight, bool italic) {
    return platform::graphics().createFont(face, height, weight, italic);
}

bool createFonts() {
    Fonts& fonts = shell().fonts;
    fonts.small = createFont("Verdana", 16, 600, false);
    fonts.large = createFont("Verdana", 26, 700, false);
    fonts.medium = createFont("Verdana", 22, 600, false);
    return fonts.small && fonts.large && fonts.medium;
}

TexturePtr loadTexture(const std::string& path, int* width, int* height) {
    return platform::graphics().loadTexture(path, width, height);
}

std::string variantName(const std::string& path, const char* suffix) {
    const size_t dot = path.rfind('.');
    if (dot == std::string::npos) return path + suffix;
    return path.substr(0, dot) + suffix + path.substr(dot);
}

void drawTexture(const TexturePtr& texture, int x, int y, const Rect* src, uint32_t colour) {
    if (texture) platform::graphics().drawTexture(*texture, x, y, src, colour);
}

void drawOutline(int left, int top, int right, int bottom, uint32_t colour) {
    platform::graphics().drawOutline(left, top, right, bottom, colour);
}

void fillRect(int left, int top, int right, int bottom, uint32_t colour) {
    platform::graphics().fillRect(left, top, right, bottom, colour);
}

void drawBevel(int left, int top, int right, int bottom, uint32_t topLeft, uint32_t bottomRight) {
    platform::graphics().drawBevel(left, top, right, bottom, topLeft, bottomRight);
}

void clearRect(int left, int top, int right, int bottom, uint32_t colour) {
    platform::graphics().clearRect(left, top, right, bottom, colour);
}

int drawText(const FontPtr& font, const char* text, Rect* rect, platform::TextFormat format,
             uint32_t colour) {
    if (!font || text == nullptr) return 0;
    const platform::TextFormat drawn = format & ~kTextBacking;
    const TextObserver& textObserver = shell().textObserver;
    if (textObserver && !has(format, platform::TextFormat::CalcRect) &&
        !textObserver(font, text, *rect, format, colour)) {
        Rect measured = *rect;
        return platform::graphics().drawText(*font, text, -1, &measured,
                                             drawn | platform::TextFormat::CalcRect, colour);
    }
    return platform::graphics().drawText(*font, text, -1, rect, drawn, colour);
}

int drawOutlinedText(const FontPtr& font, const char* text, Rect rect, platform::TextFormat format,
                     uint32_t colour, uint32_t outline) {
    const uint32_t backing = (outline & 0x00FFFFFF) | (colour & 0xFF000000);
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            if (dx == 0 && dy == 0) continue;
            drawText(font, text, Rect{rect.left + dx, rect.top + dy, rect.right + dx, rect.bottom + dy},
                     format | kTextBacking, backing);
        }
    }
    return drawText(font, text, &rect, format, colour);
}

int drawText(const FontPtr& font, const char* text, Rect rect, platform::TextFormat format,
             uint32_t colour) {
    return drawText(font, text, &rect, format, colour);
}

void setCursor(CursorKind cursor) {
    switch (cursor) {
        case CursorKind::Arrow:
            platform::setCursor(platform::Cursor::Arrow);
            break;
        case CursorKind::Hand:
            platform::setCursor(platform::Cursor::Hand);
            break;
        case CursorKind::Drag:
            platform::setCursor(platform::Cursor::Drag);
            break;
    }
}

}  // namespace ui
