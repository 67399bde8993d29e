#include "app/catalogue_legend.hpp"

#include "app/solved_marks.hpp"
#include "app/task_list_box.hpp"
#include "ui/cp1251.hpp"
#include "ui/resources.hpp"

namespace app {

using namespace ui;

namespace {

constexpr int kLine = 21;
constexpr int kInset = 12;
constexpr uint32_t kLabel = kPaleYellow;

void label(int x, int y, const char* text, uint32_t colour) {
    drawText(fonts.small, text, Rect{x, y, x + 300, y + kLine},
             platform::TextFormat::VCenter | platform::TextFormat::NoClip, colour);
}

void stripe(int x, int y, uint32_t colour) { fillRect(x, y + 3, x + 5, y + kLine - 3, colour); }

}  // namespace

void drawCatalogueLegend(const std::vector<TaskEntry>& entries, int x, int bottom, int width) {
    bool classTasks = false, ownTasks = false, unreadable = false;
    for (const TaskEntry& entry : entries) {
        classTasks = classTasks || entry.group == TaskGroup::Class;
        ownTasks = ownTasks || entry.group == TaskGroup::Mine;
        unreadable = unreadable || entry.difficulty.unreadable;
    }
    const int lines = 4 + (unreadable ? 1 : 0) + (classTasks || ownTasks ? 1 : 0);
    const int top = bottom + 6;
    fillRect(x, top, x + width, top + lines * kLine + 12, kPlateColour);
    drawOutline(x, top, x + width - 1, top + lines * kLine + 11, kPlateEdge);
    int y = top + 6;
    const int left = x + kInset;
    drawCheckMark(left, y + (kLine - 18) / 2);
    label(left + 21, y, "9"_cp, kSolvedCountColour);
    label(left + 40, y, "— твой лучший результат"_cp, kLabel);
    y += kLine;
    label(left + 21, y, "7"_cp, kLabel);
    label(left + 40, y, "— самое короткое решение"_cp, kLabel);
    y += kLine;
    label(left + 21, y, "—"_cp, 0xFFFFB070);
    label(left + 40, y, "у задачи нет решения"_cp, kLabel);
    y += kLine;
    label(left + 21, y, "?"_cp, kLabel);
    label(left + 40, y, "задача слишком большая"_cp, kLabel);
    y += kLine;
    if (unreadable) {
        const DifficultyMark mark = difficultyMark(EntryDifficulty{true, true, std::nullopt});
        label(left + 21, y, mark.text.c_str(), mark.colour);
        label(left + 40, y, "файл не открывается"_cp, kLabel);
        y += kLine;
    }
    int groupX = left + 21;
    if (classTasks) {
        stripe(groupX, y, kClassStripe);
        label(groupX + 10, y, "задачи класса"_cp, kLabel);
        groupX += 135;
    }
    if (ownTasks) {
        stripe(groupX, y, kMineStripe);
        label(groupX + 10, y, "мои задачи"_cp, kLabel);
    }
}

}  // namespace app
