#include "ui/list_box.hpp"

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

void ListBox::scrollToEnd() {
    int total = 0;
    const int n = rowCount();
    for (int i = 0; i < n; ++i) total += rowHeight(i);
    scrollOffset = total > height ? total - height : 0;
}

}  // namespace ui
