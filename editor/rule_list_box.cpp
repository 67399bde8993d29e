#include "editor/rule_list_box.hpp"

#include "platform/system.hpp"
#include "puzzle/task.hpp"
#include "scene/character_picture.hpp"
#include "ui/cp1251.hpp"
#include "ui/resources.hpp"

namespace editor {

using platform::TextFormat;

using namespace ui;

namespace {

constexpr uint32_t kLight = ui::kPaleYellow;
constexpr uint32_t kDark = 0xFF000000;
constexpr int kSignSize = 25;
constexpr int kDeleteMarkSize = 12;
constexpr uint32_t kHintDelay = 2000;

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

// The character's small picture in its own tint, when the cell names a character.
void drawCharacterCell(int32_t character, int px, int py) {
    if (character < 0 || character >= puzzle::task.characterCount) return;
    const puzzle::CharacterRecord& record = puzzle::task.characters[static_cast<size_t>(character)];
    const uint32_t tint = record.item != nullptr ? record.item->colour : 0xFFFFFFFF;
    scene::drawCharacter(record.smallPicture, record.smallTintMask, px, py, tint);
}

}  // namespace

RuleListBox::RuleListBox(int x_, int y_, int width_, int height_)
    : ListBox(x_, y_, width_, height_),
      signs(loadTexture("textures/signs.tga", nullptr, nullptr)),
      hintTime(platform::tickCount() + kHintDelay) {}

bool RuleListBox::hitTest(int px, int py) {
    hoverRow = -1;
    hoverColumn = NoColumn;
    if (px < x || py < y || px >= x + width || py >= y + height) return false;
    const int inList = py - y + scrollOffset;
    hoverRow = inList / kRowHeight;
    const int rules = puzzle::task.ruleCount;
    if (hoverRow > rules) return false;
    hintTime = platform::tickCount() + kHintDelay;

    const int dx = px - x;
    if (dx >= 2 && dx <= 44) {
        hoverColumn = FirstColumn;
        return true;
    }
    if (dx >= 48 && dx <= 75) {
        hoverColumn = KindColumn;
        return true;
    }
    if (dx >= 79 && dx <= 121) {
        hoverColumn = SecondColumn;
        return true;
    }
    if (hoverRow == rules) return false;
    if (dx >= 153 && dx <= 195 &&
        puzzle::task.rules[static_cast<size_t>(hoverRow)].kind == model::ForbidTogether) {
        hoverColumn = ThirdColumn;
        return true;
    }
    if (dx >= width - kDeleteMarkSize && inList % kRowHeight < kDeleteMarkSize) {
        hoverColumn = DeleteColumn;
        return true;
    }
    return false;
}

void RuleListBox::mouseDown(int px, int py, unsigned) {
    if (!hitTest(px, py)) return;
    if (hoverRow == puzzle::task.ruleCount && !appendRule()) return;
    clickCell();
}

void RuleListBox::clickCell() {
    puzzle::Task& task = puzzle::task;
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

int RuleListBox::rowCount() { return puzzle::task.ruleCount + 1; }

int RuleListBox::rowHeight(int) { return kRowHeight; }

bool RuleListBox::appendRule() {
    puzzle::Task& task = puzzle::task;
    if (task.ruleCount >= model::kMaxRules) return false;
    task.rules[static_cast<size_t>(task.ruleCount)] = puzzle::RuleRecord{};
    ++task.ruleCount;
    scrollToEnd();
    return true;
}

void RuleListBox::drawCellFrame(int cellX, int cellY, int cellWidth, bool pressed) {
    bevel(cellX + 2, cellY + 2, cellX + cellWidth + 5, cellY + 30, pressed);
}

std::optional<uint32_t> RuleListBox::nextChange(uint32_t since) const {
    if (hoverRow < 0 || static_cast<int32_t>(since - hintTime) > 0) return std::nullopt;
    return hintTime + 1;
}

bool RuleListBox::hintDue() const { return static_cast<int32_t>(platform::tickCount() - hintTime) > 0; }

void RuleListBox::drawHoverFrames(int row, int rowX, int rowY) {
    bevel(rowX + 2, rowY + 2, rowX + 45, rowY + 30, hoverColumn == FirstColumn);
    bevel(rowX + 48, rowY + 2, rowX + 76, rowY + 30, hoverColumn == KindColumn);
    bevel(rowX + 79, rowY + 2, rowX + 122, rowY + 30, hoverColumn == SecondColumn);
    if (row >= puzzle::task.ruleCount) return;

    if (puzzle::task.rules[static_cast<size_t>(row)].kind == model::ForbidTogether) {
        drawCellFrame(rowX + 151, rowY, 40, hoverColumn == ThirdColumn);
    }
    const int markLeft = rowX + width - kDeleteMarkSize;
    const int right = rowX + width;
    if (hoverColumn == DeleteColumn) {
        drawBevel(markLeft, rowY, right, rowY + kDeleteMarkSize, kDark, kLight);
    }
    drawText(fonts.small, "x", Rect{markLeft, rowY, right, rowY + kDeleteMarkSize},
             TextFormat::Center | TextFormat::VCenter | TextFormat::NoClip, 0xFFFF0000);
    drawText(fonts.small, "x", Rect{markLeft - 1, rowY - 1, right, rowY + kDeleteMarkSize},
             TextFormat::Center | TextFormat::VCenter | TextFormat::NoClip, 0xFFFFFFFF);
}

void RuleListBox::drawRuleContent(int row, int rowX, int rowY) {
    const puzzle::RuleRecord& rule = puzzle::task.rules[static_cast<size_t>(row)];
    drawCharacterCell(rule.first, rowX + 4, rowY + 4);
    drawCharacterCell(rule.second, rowX + 81, rowY + 4);
    if (rule.third >= 0 && rule.kind == model::ForbidTogether) {
        drawCharacterCell(rule.third, rowX + 155, rowY + 4);
        drawText(fonts.small, "без"_cp, Rect{rowX + 125, rowY + 7, rowX + 125, rowY + 7},
                 TextFormat::NoClip, 0xFF80FF80);
    }
    if (rule.kind >= 0 && rule.kind < 3) {
        const int left = kSignSize * rule.kind;
        const Rect source{left, 0, left + kSignSize, kSignSize};
        drawTexture(signs, rowX + 50, rowY + 4, &source, 0xFFFFFFFF);
    }
}

void RuleListBox::drawRow(int row, int rowX, int rowY) {
    const int rules = puzzle::task.ruleCount;
    if (row % 2 == 0) fillRect(rowX, rowY, rowX + 212, rowY + kRowHeight, 0x20FFFFFF);
    const bool hovered = row == hoverRow;
    if (hovered) drawHoverFrames(row, rowX, rowY);

    if (row == rules) {
        if (!hovered) {
            drawText(fonts.small, "Добавить правило"_cp, Rect{rowX, rowY, rowX + 212, rowY + kRowHeight},
                     TextFormat::Center | TextFormat::VCenter | TextFormat::NoClip, kLight);
        } else if (hintDue()) {
            showHint(rowX, rowY + 43, "Перетаскивайте персонажей на пустые клетки таблицы"_cp);
        }
        return;
    }
    if (hovered && hoverColumn == KindColumn && itemList.hot == this && hintDue()) {
        const char* description = kindDescription(puzzle::task.rules[static_cast<size_t>(row)].kind);
        if (description != nullptr) showHint(rowX, rowY + 43, description);
    }
    drawRuleContent(row, rowX, rowY);
}

}  // namespace editor
