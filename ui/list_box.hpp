// The base of the scrolling lists on the wood panel: whole rows of possibly different
// heights, never clipped; the panel's arrows scroll it and are shown when there is more.
#pragma once

#include <cstdint>

#include "ui/visual_item.hpp"

namespace ui {

class ListBox : public VisualItem {
public:
    ListBox(int x, int y, int width, int height);
    void draw() override;

    virtual int rowCount() = 0;
    virtual int rowHeight(int row) = 0;
    // Called only for rows that lie wholly inside the list.
    virtual void drawRow(int row, int rowX, int rowY) = 0;

    void drawRows();
    // The last row ends at the bottom edge, or offset 0 when everything fits.
    void scrollToEnd();
    // The mouse wheel: each notch (positive towards the user, down the list) moves the
    // top edge by whole rows, about two short rows or one tall one, never past either end.
    void scrollByNotches(int notches);

    int32_t scrollOffset = 0;
    VisualItem* upArrow = nullptr;    // not owned
    VisualItem* downArrow = nullptr;  // not owned
};

}  // namespace ui
