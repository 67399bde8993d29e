// Plain values shared by the platform layer and everything above it: rectangles, text
// format flags, the screen's size and the handles of pictures and fonts.
#pragma once

#include <cstdint>
#include <memory>

namespace platform {

// Corner form: right and bottom lie just outside the rectangle.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// How Graphics::drawText lays a text out in its rectangle; the flags combine with |.
enum class TextFormat : uint32_t {
    Left = 0x000,
    Center = 0x001,
    Right = 0x002,
    VCenter = 0x004,
    Bottom = 0x008,
    WordBreak = 0x010,
    SingleLine = 0x020,
    NoClip = 0x100,
    // Measures only: the rectangle's right and bottom become the text's extent.
    CalcRect = 0x400,
    // A line wider than the rectangle ends in "…" where it still fits.
    EndEllipsis = 0x8000,
};
constexpr TextFormat operator|(TextFormat a, TextFormat b) {
    return static_cast<TextFormat>(static_cast<uint32_t>(a) | static_cast<uint32_t>(b));
}
constexpr TextFormat operator&(TextFormat a, TextFormat b) {
    return static_cast<TextFormat>(static_cast<uint32_t>(a) & static_cast<uint32_t>(b));
}
constexpr TextFormat operator~(TextFormat a) {
    return static_cast<TextFormat>(~static_cast<uint32_t>(a));
}
// True when `format` holds any of `flags`.
constexpr bool has(TextFormat format, TextFormat flags) {
    return (static_cast<uint32_t>(format) & static_cast<uint32_t>(flags)) != 0;
}

// The screen the game is designed for; the window scales it to the desktop.
constexpr int kScreenWidth = 1024;
constexpr int kScreenHeight = 768;

// Pictures, owned through shared handles: the last handle releases the texture,
// so a picture shared between a palette entry and the characters made from it
// can never be released twice or used after release.
class Texture;
using TexturePtr = std::shared_ptr<Texture>;

class Font;
using FontPtr = std::shared_ptr<Font>;

}  // namespace platform
