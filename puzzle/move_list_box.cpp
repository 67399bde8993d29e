#include "puzzle/move_list_box.hpp"

#include <cstdio>

#include "platform/types.hpp"
#include "puzzle/task.hpp"
#include "scene/character_picture.hpp"
#include "scene/panel_layout.hpp"
#include "ui/cp1251.hpp"
#include "ui/shell.hpp"

namespace puzzle {

using namespace ui;

MoveListBox::MoveListBox(int x_, int y_, int width_, int height_, const Task& task)
    : ListBox(x_, y_, width_, height_),
      boatSmall(loadTexture("textures/boat_small.tga", nullptr, nullptr)),
      arrowRightSmall(loadTexture("textures/arrow_right_small.tga", nullptr, nullptr)),
      arrowLeftSmall(loadTexture("textures/arrow_left_small.tga", nullptr, nullptr)),
      task_(task) {}

void MoveListBox::draw() {
    if (undoButton != nullptr) undoButton->visible = false;
    drawRows();
}

int MoveListBox::rowCount() { return moveCount + 1; }

int MoveListBox::rowHeight(int) { return scene::kListRowHeight; }

void MoveListBox::append(const model::MoveData& move) {
    moves.push_back(move);
    moveCount = static_cast<int32_t>(moves.size());
}

void MoveListBox::removeLast() {
    if (!moves.empty()) moves.pop_back();
    moveCount = static_cast<int32_t>(moves.size());
}

MoveListBox::RowLayout MoveListBox::layoutRow(const model::MoveData& move, int rowX) {
    RowLayout layout;
    layoutRow(move, rowX, layout);
    return layout;
}

void MoveListBox::layoutRow(const model::MoveData& move, int rowX, RowLayout& layout) {
    layout.pictures.clear();
    const int n = static_cast<int>(move.mask.count());
    const int step = n > 2 ? 100 / n : 50;
    const int d = move.direction == 1 ? 1 : -1;
    int pen = d == 1 ? rowX + step + 150 : rowX + 50 - step;
    if (n == 0) {
        pen -= d * step;
        layout.pictures.push_back({-1, pen});
    }
    for (int i = 0; i < model::kMaxCharacters; ++i) {
        if (!move.mask.test(static_cast<size_t>(i))) continue;
        pen -= d * step;
        layout.pictures.push_back({i, pen});
    }
    layout.arrowX = pen - d * 50;
}

void MoveListBox::drawRow(int row, int rowX, int rowY) {
    if (row % 2 == 0 && moveCount != 0)
        fillRect(rowX, rowY, rowX + scene::kListRowWidth, rowY + scene::kListRowHeight, 0x20FFFFFF);
    if (row == moveCount) {
        if (moveCount == 0) {
            drawText(shell().fonts.small, "Список ходов пуст"_cp,
                     Rect{rowX, rowY, rowX + scene::kListRowWidth, rowY + scene::kListRowHeight},
                     platform::TextFormat::Center | platform::TextFormat::VCenter |
                         platform::TextFormat::NoClip,
                     ui::kPaleYellow);
        } else if (undoButton != nullptr) {
            undoButton->x = rowX;
            undoButton->y = rowY;
            undoButton->visible = true;
        }
        return;
    }
    const model::MoveData& move = moves[static_cast<size_t>(row)];
    char number[16];
    std::snprintf(number, sizeof number, "%3d", row + 1);
    drawText(shell().fonts.small, number, Rect{rowX + 2, rowY + 7, rowX + 2, rowY + 7},
             platform::TextFormat::NoClip, 0xFFFFFFFF);

    const int top = rowY + 3;
    layoutRow(move, rowX, rowLayout_);
    const RowLayout& layout = rowLayout_;
    for (const Picture& picture : layout.pictures) {
        if (picture.character < 0) {
            drawTexture(boatSmall, picture.x, top, nullptr, 0xFFFFFFFF);
            continue;
        }
        if (picture.character >= task_.characterCount) continue;
        const CharacterRecord& c = task_.characters[static_cast<size_t>(picture.character)];
        const uint32_t tint = (c.item != nullptr ? c.item->colour : 0xFFFFFFFF) | 0xFF000000;
        scene::drawCharacter(c.smallPicture, c.smallTintMask, picture.x, top, tint);
    }
    drawTexture(move.direction == 1 ? arrowRightSmall : arrowLeftSmall, layout.arrowX, top, nullptr,
                0xFFFFFFFF);
}

}  // namespace puzzle
