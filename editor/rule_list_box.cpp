#include "editor/rule_list_box.hpp"

#include "platform/system.hpp"
#include "puzzle/task.hpp"
#include "scene/character_picture.hpp"
#include "ui/cp1251.hpp"
#include "ui/resources.hpp"
#include "ui/shell.hpp"

namespace editor {

using platform::TextFormat;

using namespace ui;

namespace {

constexpr uint32_t kLight = ui::kPaleYellow;
constexpr uint32_t kDark = 0xFF000000;
constexpr int kSignSize = 25;
// A cell's span across the row, both ends in its hit area; its frame reaches one pixel
// further and its picture stands two pixels in.
struct Cell {
    int left;
    int right;
};
constexpr Cell kFirstCell{2, 44}, kKindCell{48, 75}, kSecondCell{79, 121}, kThirdCell{153, 195};
constexpr int kCellTop = 2, kCellBottom = 30, kCellInset = 2;
// "без" between the second and the third character.
constexpr int kWithoutX = 125, kWithoutY = 7;
constexpr int kDeleteMarkSize = 12;
constexpr uint32_t kHintDelay = 2000;
// A hovered row's hint stands a little under the row, clear of the pointer.
constexpr int kHintBelowRow = 43;

const char* kindDescription(int kind) {
    switch (kind) {
        case model::ForbidTogether:
            return "Запрещает указанным персонажам оставаться наедине вдвоем,\n"
                   "либо в отсутствие рядом третьего персонажа, если он задан"_cp;
        case model::MoreThan:
            return "Количество на берегу персонажей первого типа\n"
                   "должно быть больше числа персонажей второго типа"_cp;
        case model::NotLessThan:
            return "Количество на берегу персонажей первого типа\n"
                   "должно быть не меньше числа персонажей второго типа"_cp;
        default:
            return nullptr;
    }
}

// Raised, or pressed in under the pointer.
void bevel(int left, int top, int right, int bottom, bool pressed) {
    if (pressed) {
        drawBevel(left, top, right, bottom, kDark, kLight);
    } else {
        drawBevel(left, top, right, bottom, kLight, kDark);
    }
}

void cellFrame(const Cell& cell, int rowX, int rowY, bool pressed) {
    bevel(rowX + cell.left, rowY + kCellTop, rowX + cell.right + 1, rowY + kCellBottom, pressed);
}

bool inCell(const Cell& cell, int dx) { return dx >= cell.left && dx <= cell.right; }

// The character's small picture in its own tint, when the cell names a character.
void drawCharacterCell(const puzzle::Task& task, int32_t character, const Cell& cell, int rowX,
                       int rowY) {
    if (character < 0 || character >= task.characterCount) return;
    const int px = rowX + cell.left + kCellInset;
    const int py = rowY + kCellTop + kCellInset;
    const puzzle::CharacterRecord& record = task.characters[static_cast<size_t>(character)];
    const uint32_t tint = record.item != nullptr ? record.item->colour : 0xFFFFFFFF;
    scene::drawCharacter(record.smallPicture, record.smallTintMask, px, py, tint);
}

}  // namespace

RuleListBox::RuleListBox(int x_, int y_, int width_, int height_, puzzle::Task& task)
    : ListBox(x_, y_, width_, height_),
      signs(loadTexture("textures/signs.tga", nullptr, nullptr)),
      hintTime(platform::tickCount() + kHintDelay),
      task_(task) {}

bool RuleListBox::hitTest(int px, int py) {
    hoverRow = -1;
    hoverColumn = NoColumn;
    if (px < x || py < y || px >= x + width || py >= y + height) return false;
    const int inList = py - y + scrollOffset;
    hoverRow = inList / kRowHeight;
    const int rules = task_.ruleCount;
    if (hoverRow > rules) return false;
    hintTime = platform::tickCount() + kHintDelay;

    const int dx = px - x;
    if (inCell(kFirstCell, dx)) {
        hoverColumn = FirstColumn;
        return true;
    }
    if (inCell(kKindCell, dx)) {
        hoverColumn = KindColumn;
        return true;
    }
    if (inCell(kSecondCell, dx)) {
        hoverColumn = SecondColumn;
        return true;
    }
    if (hoverRow == rules) return false;
    if (inCell(kThirdCell, dx) &&
        task_.rules[static_cast<size_t>(hoverRow)].kind == model::ForbidTogether) {
        hoverColumn = ThirdColumn;
        return true;
    }
    if (dx >= width - kDeleteMarkSize && inList % kRowHeight < kDeleteMarkSize) {
        hoverColumn = DeleteColumn;
        return true;
    }
    return false;
}

void RuleListBox::mouseDown(int px, int py) {
    if (!hitTest(px, py)) return;
    if (hoverRow == task_.ruleCount && !appendRule()) return;
    clickCell();
}

void RuleListBox::clickCell() {
    puzzle::Task& task = task_;
    if (hoverRow < 0 || hoverRow >= task.ruleCount) return;
    puzzle::RuleRecord& rule = task.rules[static_cast<size_t>(hoverRow)];
    const int characters = task.characterCount;
    switch (hoverColumn) {
        case KindColumn:
            rule.kind = (rule.kind + 1) % 3;
            break;
        case FirstColumn:
            if (characters > 0) rule.first = (rule.first + 1) % characters;
            break;
        case SecondColumn:
            if (characters > 0) rule.second = (rule.second + 1) % characters;
            break;
        case ThirdColumn:
            rule.third = rule.third + 1;
            if (rule.third >= characters) rule.third = -1;
            break;
        case DeleteColumn:
            for (int r = hoverRow; r + 1 < task.ruleCount; ++r) {
                task.rules[static_cast<size_t>(r)] = task.rules[static_cast<size_t>(r + 1)];
            }
            --task.ruleCount;
            break;
        default:
            break;
    }
}

void RuleListBox::hoverEnter() { setCursor(CursorKind::Hand); }

void RuleListBox::hoverLeave() { setCursor(CursorKind::Arrow); }

int RuleListBox::rowCount() { return task_.ruleCount + 1; }

int RuleListBox::rowHeight(int) { return kRowHeight; }

bool RuleListBox::appendRule() {
    puzzle::Task& task = task_;
    if (task.ruleCount >= model::kMaxRules) return false;
    task.rules[static_cast<size_t>(task.ruleCount)] = puzzle::RuleRecord{};
    ++task.ruleCount;
    scrollToEnd();
    return true;
}

std::optional<uint32_t> RuleListBox::nextChange(uint32_t since) const {
    if (hoverRow < 0 || static_cast<int32_t>(since - hintTime) > 0) return std::nullopt;
    return hintTime + 1;
}

bool RuleListBox::hintDue() const { return static_cast<int32_t>(platform::tickCount() - hintTime) > 0; }

void RuleListBox::drawHoverFrames(int row, int rowX, int rowY) {
    cellFrame(kFirstCell, rowX, rowY, hoverColumn == FirstColumn);
    cellFrame(kKindCell, rowX, rowY, hoverColumn == KindColumn);
    cellFrame(kSecondCell, rowX, rowY, hoverColumn == SecondColumn);
    if (row >= task_.ruleCount) return;

    if (task_.rules[static_cast<size_t>(row)].kind == model::ForbidTogether) {
        cellFrame(kThirdCell, rowX, rowY, hoverColumn == ThirdColumn);
    }
    const int markLeft = rowX + width - kDeleteMarkSize;
    const int right = rowX + width;
    if (hoverColumn == DeleteColumn) {
        drawBevel(markLeft, rowY, right, rowY + kDeleteMarkSize, kDark, kLight);
    }
    drawText(shell().fonts.small, "x", Rect{markLeft, rowY, right, rowY + kDeleteMarkSize},
             TextFormat::Center | TextFormat::VCenter | TextFormat::NoClip, 0xFFFF0000);
    drawText(shell().fonts.small, "x", Rect{markLeft - 1, rowY - 1, right, rowY + kDeleteMarkSize},
             TextFormat::Center | TextFormat::VCenter | TextFormat::NoClip, 0xFFFFFFFF);
}

void RuleListBox::drawRuleContent(int row, int rowX, int rowY) {
    const puzzle::RuleRecord& rule = task_.rules[static_cast<size_t>(row)];
    drawCharacterCell(task_, rule.first, kFirstCell, rowX, rowY);
    drawCharacterCell(task_, rule.second, kSecondCell, rowX, rowY);
    if (rule.third >= 0 && rule.kind == model::ForbidTogether) {
        drawCharacterCell(task_, rule.third, kThirdCell, rowX, rowY);
        const int wx = rowX + kWithoutX, wy = rowY + kWithoutY;
        drawText(shell().fonts.small, "без"_cp, Rect{wx, wy, wx, wy}, TextFormat::NoClip, 0xFF80FF80);
    }
    if (rule.kind >= 0 && rule.kind < 3) {
        const int left = kSignSize * rule.kind;
        const Rect source{left, 0, left + kSignSize, kSignSize};
        drawTexture(signs, rowX + kKindCell.left + kCellInset, rowY + kCellTop + kCellInset, &source,
                    0xFFFFFFFF);
    }
}

void RuleListBox::drawRow(int row, int rowX, int rowY) {
    const int rules = task_.ruleCount;
    if (row % 2 == 0) fillRect(rowX, rowY, rowX + scene::kListRowWidth, rowY + kRowHeight, 0x20FFFFFF);
    const bool hovered = row == hoverRow;
    if (hovered) drawHoverFrames(row, rowX, rowY);

    if (row == rules) {
        if (!hovered) {
            drawText(shell().fonts.small, "Добавить правило"_cp,
                     Rect{rowX, rowY, rowX + scene::kListRowWidth, rowY + kRowHeight},
                     TextFormat::Center | TextFormat::VCenter | TextFormat::NoClip, kLight);
        } else if (hintDue()) {
            showHint(rowX, rowY + kHintBelowRow,
                     "Перетаскивайте персонажей на пустые клетки таблицы"_cp);
        }
        return;
    }
    if (hovered && hoverColumn == KindColumn && shell().items.hot == this && hintDue()) {
        const char* description = kindDescription(task_.rules[static_cast<size_t>(row)].kind);
        if (description != nullptr) showHint(rowX, rowY + kHintBelowRow, description);
    }
    drawRuleContent(row, rowX, rowY);
}

}  // namespace editor
