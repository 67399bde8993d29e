// Drawing an edit box: white field in a sunken two-pixel frame, black text, blue
// selection with white text, and a caret blinking every 500 ms while it has the focus.
#include <algorithm>

#include "platform/edit_box_state.hpp"
#include "platform/sdl_graphics.hpp"

namespace platform {
namespace {
constexpr uint32_t kField = 0xFFFFFFFF;
constexpr uint32_t kText = 0xFF000000;
constexpr uint32_t kSelection = 0xFF0078D7;
constexpr uint32_t kSelectedText = 0xFFFFFFFF;
constexpr uint32_t kBlinkMs = 500;
}  // namespace

uint32_t EditBox::nextBlink(uint32_t since) const {
    const uint32_t elapsed = since - state_->activity;
    return state_->activity + (elapsed / kBlinkMs + 1) * kBlinkMs;
}

std::optional<uint32_t> nextCaretBlink(uint32_t since) {
    const EditBox* box = focusedEditBox();
    if (box == nullptr) return std::nullopt;
    return box->nextBlink(since);
}

void EditBox::draw(Graphics& graphics, uint32_t tick) const {
    auto* g = dynamic_cast<SdlGraphics*>(&graphics);
    if (!g) return;
    const State& s = *state_;
    const int right = s.x + s.width;
    const int bottom = s.y + s.height;
    g->fillRect(s.x, s.y, right, bottom, kField);
    g->drawBevel(s.x, s.y, right - 1, bottom - 1, 0xFFA0A0A0, 0xFFFFFFFF);
    g->drawBevel(s.x + 1, s.y + 1, right - 2, bottom - 2, 0xFF696969, 0xFFE3E3E3);
    if (!s.font) return;

    const Rect clip = s.inner();
    const bool focus = hasFocus();
    const size_t selFrom = s.selectionStart();
    const size_t selTo = s.selectionEnd();
    const int left = s.textLeft() - s.scrollX;
    const int lineHeight = s.lineHeight();
    for (size_t i = s.multiLine ? s.firstLine : 0; i < s.lines.size(); ++i) {
        const int top = s.lineTop(i);
        if (top >= clip.bottom) break;
        const State::Line& line = s.lines[i];
        g->drawUtf8Line(*s.font, s.utf8(line.start, line.end), left, top, kText, &clip);
        // The selection hides while the box has no focus, as desktop edit boxes do.
        const size_t a = std::max(selFrom, line.start);
        const size_t b = std::min(selTo, line.end);
        if (!focus || a >= b) continue;
        const int from = left + s.widthOf(line.start, a);
        const int to = left + s.widthOf(line.start, b);
        g->fillRectClipped(from, top, to, top + lineHeight, kSelection, clip);
        g->drawUtf8Line(*s.font, s.utf8(a, b), from, top, kSelectedText, &clip);
    }
    if (focus && ((tick - s.activity) / kBlinkMs) % 2 == 0) {
        const size_t i = s.lineOfCaret();
        const int top = s.lineTop(i);
        const int x = left + s.widthOf(s.lines[i].start, std::min(s.caret, s.lines[i].end));
        g->fillRectClipped(x, top, x + 1, top + lineHeight, kText, clip);
    }
}

}  // namespace platform
