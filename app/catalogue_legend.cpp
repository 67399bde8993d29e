#include "app/catalogue_legend.hpp"

#include "app/solved_marks.hpp"
#include "app/task_list_box.hpp"
#include "ui/cp1251.hpp"
#include "ui/resources.hpp"
#include "ui/shell.hpp"

namespace app {

using namespace ui;

namespace {

constexpr int kLine = 21;
constexpr int kInset = 12;
// The plate stands this far under the list and keeps this margin above and below its lines.
constexpr int kGap = 6;
constexpr int kMargin = 6;
// Each line: the sign (a mark, a number, a stripe) and what it means.
constexpr int kSignX = 21, kMeaningX = 40;
// Lines always there: the best result, the shortest, no solution, too large.
constexpr int kFixedLines = 4;
// The folders' stripes share the last line, the class's first.
constexpr int kGroupStep = 135, kStripeWidth = 5, kStripeToLabel = 10;
constexpr int kLabelWidth = 300;
constexpr uint32_t kLabel = kPaleYellow;

void label(int x, int y, const char* text, uint32_t colour) {
    drawText(shell().fonts.small, text, Rect{x, y, x + kLabelWidth, y + kLine},
             platform::TextFormat::VCenter | platform::TextFormat::NoClip, colour);
}

void stripe(int x, int y, uint32_t colour) {
    fillRect(x, y + 3, x + kStripeWidth, y + kLine - 3, colour);
}

}  // namespace

void drawCatalogueLegend(const std::vector<TaskEntry>& entries, int x, int bottom, int width) {
    bool classTasks = false, ownTasks = false, unreadable = false;
    for (const TaskEntry& entry : entries) {
        classTasks = classTasks || entry.group == TaskGroup::Class;
        ownTasks = ownTasks || entry.group == TaskGroup::Mine;
        unreadable = unreadable || entry.difficulty.unreadable;
    }
    const int lines = kFixedLines + (unreadable ? 1 : 0) + (classTasks || ownTasks ? 1 : 0);
    const int top = bottom + kGap;
    const int plateBottom = top + lines * kLine + 2 * kMargin;
    fillRect(x, top, x + width, plateBottom, kPlateColour);
    drawOutline(x, top, x + width - 1, plateBottom - 1, kPlateEdge);
    int y = top + kMargin;
    const int left = x + kInset;
    drawCheckMark(left, y + (kLine - kCheckMarkHeight) / 2);
    label(left + kSignX, y, "9"_cp, kSolvedCountColour);
    label(left + kMeaningX, y, "— твой лучший результат"_cp, kLabel);
    y += kLine;
    label(left + kSignX, y, "7"_cp, kLabel);
    label(left + kMeaningX, y, "— самое короткое решение"_cp, kLabel);
    y += kLine;
    label(left + kSignX, y, "—"_cp, 0xFFFFB070);
    label(left + kMeaningX, y, "у задачи нет решения"_cp, kLabel);
    y += kLine;
    label(left + kSignX, y, "?"_cp, kLabel);
    label(left + kMeaningX, y, "задача слишком большая"_cp, kLabel);
    y += kLine;
    if (unreadable) {
        const DifficultyMark mark = difficultyMark(EntryDifficulty{true, true, std::nullopt});
        label(left + kSignX, y, mark.text.c_str(), mark.colour);
        label(left + kMeaningX, y, "файл не открывается"_cp, kLabel);
        y += kLine;
    }
    int groupX = left + kSignX;
    if (classTasks) {
        stripe(groupX, y, kClassStripe);
        label(groupX + kStripeToLabel, y, "задачи класса"_cp, kLabel);
        groupX += kGroupStep;
    }
    if (ownTasks) {
        stripe(groupX, y, kMineStripe);
        label(groupX + kStripeToLabel, y, "мои задачи"_cp, kLabel);
    }
}

}  // namespace app
