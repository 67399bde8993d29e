// The crossings made so far in play: a row per crossing with its number, the small
// pictures of who crossed and an arrow; the undo button sits in the row after the last.
#pragma once

#include <cstdint>
#include <vector>

#include "model/task_data.hpp"
#include "ui/button.hpp"
#include "ui/list_box.hpp"
#include "ui/resources.hpp"

namespace puzzle {

struct Task;

class MoveListBox : public ui::ListBox {
public:
    // The rows show the pictures of `task`'s characters.
    MoveListBox(int x, int y, int width, int height, const Task& task);
    void draw() override;
    int rowCount() override;
    int rowHeight(int row) override;
    void drawRow(int row, int rowX, int rowY) override;

    // Where a move's pictures go in a row starting at rowX: to the right the characters are
    // laid out leftwards from rowX + 150, back to the left rightwards from rowX + 50, 50 px
    // apart for up to two and 100 / n apart for more, the arrow 50 px further on.
    struct Picture {
        int character;  // -1: the small boat of an empty crossing
        int x;
    };
    struct RowLayout {
        std::vector<Picture> pictures;
        int arrowX = 0;
    };
    static RowLayout layoutRow(const model::MoveData& move, int rowX);
    // The same into out, reusing its storage: drawing a row allocates nothing.
    static void layoutRow(const model::MoveData& move, int rowX, RowLayout& out);

    // Every crossing is kept, also past what a solution file can hold, so that undo
    // always takes back the crossing last made.
    void append(const model::MoveData& move);
    void removeLast();

    int32_t moveCount = 0;  // moves.size()
    std::vector<model::MoveData> moves;
    ui::TexturePtr boatSmall;
    ui::TexturePtr arrowRightSmall;
    ui::TexturePtr arrowLeftSmall;
    ui::Button* undoButton = nullptr;  // play's; not owned

private:
    const Task& task_;
    RowLayout rowLayout_;
};

}  // namespace puzzle
