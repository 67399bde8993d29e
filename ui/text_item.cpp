#include "ui/text_item.hpp"

#include <utility>

#include "platform/system.hpp"

namespace ui {

using platform::TextFormat;

namespace {
// A message stands still this long before it rises and fades.
constexpr uint32_t kStillMs = 2000;
}  // namespace

TextItem::TextItem(int x_, int y_, std::string text_, FontPtr font_, uint32_t colour_)
    : VisualItem(x_, y_, 0, 0),
      text(std::move(text_)),
      font(std::move(font_)),
      format(TextFormat::NoClip),
      colour(colour_) {}

TextItem::TextItem(int x_, int y_, int width_, int height_, std::string text_, FontPtr font_,
                   uint32_t colour_)
    : VisualItem(x_, y_, width_, height_),
      text(std::move(text_)),
      font(std::move(font_)),
      format(TextFormat::NoClip | TextFormat::VCenter | TextFormat::Center),
      colour(colour_) {}

void TextItem::draw() {
    drawText(font, text.c_str(), Rect{x, y, x + width, y + height}, format, colour);
}

PopupMessage::PopupMessage(FontPtr font_, uint32_t colour_)
    : TextItem(0, 0, std::string(), std::move(font_), colour_) {
    visible = false;
}

void PopupMessage::show(std::string message) {
    text = std::move(message);
    shownAt = platform::tickCount();
    visible = true;
    bringToFront(this);
}

std::optional<uint32_t> PopupMessage::nextChange(uint32_t since) const {
    // Still for its first 2 s, then moving every frame until it is gone.
    const uint32_t elapsed = since - shownAt;
    if (elapsed <= kStillMs) return shownAt + kStillMs + 1;
    return since;
}

PopupMessage::Frame PopupMessage::frameAt(uint32_t elapsed) {
    const uint32_t fade = elapsed > kStillMs ? elapsed - kStillMs : 0;
    return {255 - fade / 16, 384 - static_cast<int>(fade / 50)};
}

void PopupMessage::draw() {
    const uint32_t elapsed = platform::tickCount() - shownAt;
    if (elapsed > 6000) {
        visible = false;
        return;
    }
    const auto [alpha, top] = frameAt(elapsed);
    if (plated) {
        constexpr int kPad = 8;
        Rect size{areaLeft + kPad, 0, areaRight - kPad, 0};
        drawText(font, text.c_str(), &size, platform::TextFormat::CalcRect | TextFormat::WordBreak, 0);
        const int width = size.right - size.left;
        const int left = (areaLeft + areaRight - width) / 2 - kPad;
        const int bottom = top + size.bottom - size.top + kPad;
        const uint32_t strength = alpha;  // a lambda may not name a structured binding in clang 14
        const auto faded = [strength](uint32_t c) {
            return (c & 0x00FFFFFF) | ((c >> 24) * strength / 255 << 24);
        };
        fillRect(left, top - kPad, left + width + 2 * kPad, bottom, faded(kPlateColour));
        drawOutline(left, top - kPad, left + width + 2 * kPad - 1, bottom - 1, faded(kPlateEdge));
    }
    drawOutlinedText(font, text.c_str(), Rect{areaLeft, top - 1, areaRight, 0},
                     TextFormat::NoClip | TextFormat::Center | TextFormat::WordBreak,
                     (colour & 0x00FFFFFF) | (alpha << 24));
}

}  // namespace ui
