#include "ui/list_box.hpp"

#include <vector>

namespace ui {

ListBox::ListBox(int x_, int y_, int width_, int height_) : VisualItem(x_, y_, width_, height_) {}

void ListBox::draw() { drawRows(); }

void ListBox::drawRows() {
    if (x >= 1024 || y >= 768 || x + width < 0 || y + height < 0) return;
    const int n = rowCount();
    if (n <= 0) return;
    int top = y - scrollOffset;
    const int bottom = y + height;
    bool moreBelow = false;
    for (int i = 0; i < n; ++i) {
        const int h = rowHeight(i);
        if (top >= y) {
            if (top + h > bottom) {
                moreBelow = true;
                break;
            }
            drawRow(i, x, top);
        }
        top += h;
    }
    if (upArrow != nullptr) upArrow->visible = scrollOffset != 0;
    if (downArrow != nullptr) downArrow->visible = moreBelow;
}

namespace {

// A notch of the wheel scrolls at least this far, rounded up to whole rows.
constexpr int kNotchPixels = 60;

}  // namespace

void ListBox::scrollToEnd() {
    int total = 0;
    const int n = rowCount();
    for (int i = 0; i < n; ++i) total += rowHeight(i);
    scrollOffset = total > height ? total - height : 0;
}

void ListBox::scrollByNotches(int notches) {
    if (notches == 0) return;
    const int32_t start = scrollOffset;
    scrollToEnd();
    const int32_t end = scrollOffset;
    // The tops of the rows, so that the list stops with a whole row at its top edge.
    std::vector<int32_t> tops;
    int32_t top = 0;
    const int n = rowCount();
    for (int i = 0; i < n && top < end; ++i) {
        tops.push_back(top);
        top += rowHeight(i);
    }
    tops.push_back(end);
    int32_t offset = start < 0 ? 0 : (start > end ? end : start);
    const int direction = notches > 0 ? 1 : -1;
    for (int k = 0; k != notches; k += direction) {
        const int32_t from = offset;
        if (direction > 0) {
            for (const int32_t t : tops) {
                if (t > offset) offset = t;
                if (offset - from >= kNotchPixels) break;
            }
        } else {
            for (auto t = tops.rbegin(); t != tops.rend(); ++t) {
                if (*t < offset) offset = *t;
                if (from - offset >= kNotchPixels) break;
            }
        }
        if (offset == from) break;
    }
    scrollOffset = offset;
}

}  // namespace ui
