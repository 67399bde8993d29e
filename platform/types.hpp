// Plain values shared by the platform layer and everything above it: rectangles,
// the window messages the game's window procedure understands, and text format flags.
// The numeric values follow the classic desktop API so that code above reads naturally.
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

// Window messages delivered to the game's window procedure.
constexpr uint32_t WM_DESTROY = 0x0002;
constexpr uint32_t WM_KEYDOWN = 0x0100;
constexpr uint32_t WM_TIMER = 0x0113;
// The window changed size or was uncovered: its frame is wanted at once.
constexpr uint32_t WM_PAINT = 0x000F;
constexpr uint32_t WM_MOUSEMOVE = 0x0200;
constexpr uint32_t WM_LBUTTONDOWN = 0x0201;
constexpr uint32_t WM_LBUTTONUP = 0x0202;
constexpr uint32_t WM_MOUSEWHEEL = 0x020A;

constexpr uintptr_t MK_LBUTTON = 0x0001;

// Virtual key codes delivered with WM_KEYDOWN.
constexpr uintptr_t VK_BACK = 0x08;
constexpr uintptr_t VK_TAB = 0x09;
constexpr uintptr_t VK_RETURN = 0x0D;
constexpr uintptr_t VK_ESCAPE = 0x1B;
constexpr uintptr_t VK_SPACE = 0x20;
constexpr uintptr_t VK_END = 0x23;
constexpr uintptr_t VK_HOME = 0x24;
constexpr uintptr_t VK_LEFT = 0x25;
constexpr uintptr_t VK_UP = 0x26;
constexpr uintptr_t VK_RIGHT = 0x27;
constexpr uintptr_t VK_DOWN = 0x28;
constexpr uintptr_t VK_DELETE = 0x2E;
// Letters and digits come as their capital ASCII codes ('Z'), F1 to F12 as VK_F1 + n.
constexpr uintptr_t VK_F1 = 0x70;

// x in the low 16 bits (unsigned), y in the high 16 bits (signed).
constexpr intptr_t makeMouseParam(int x, int y) {
    return static_cast<intptr_t>((static_cast<uint32_t>(static_cast<uint16_t>(x))) |
                                 (static_cast<uint32_t>(static_cast<uint16_t>(y)) << 16));
}
constexpr int mouseX(intptr_t lParam) { return static_cast<uint16_t>(lParam & 0xFFFF); }
constexpr int mouseY(intptr_t lParam) { return static_cast<int16_t>((lParam >> 16) & 0xFFFF); }

// WM_MOUSEWHEEL carries the turn in the high 16 bits of wParam: WHEEL_DELTA a notch,
// positive away from the user (up the list); lParam is the pointer, as for the mouse.
constexpr int WHEEL_DELTA = 120;
constexpr uintptr_t makeWheelParam(int delta) {
    return static_cast<uintptr_t>(static_cast<uint16_t>(static_cast<int16_t>(delta))) << 16;
}
constexpr int wheelDelta(uintptr_t wParam) { return static_cast<int16_t>((wParam >> 16) & 0xFFFF); }

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
