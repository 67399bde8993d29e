#include "app/task_list_box.hpp"

#include <algorithm>
#include <cstdio>
#include <numeric>
#include <string_view>

#include "app/catalogue_legend.hpp"
#include "app/solved_marks.hpp"
#include "app/task_catalogue.hpp"
#include "base/cp1251.hpp"
#include "model/task_file.hpp"
#include "platform/class_folder.hpp"
#include "platform/files.hpp"
#include "platform/types.hpp"
#include "scene/panel_layout.hpp"
#include "scene/scene.hpp"
#include "ui/cp1251.hpp"
#include "ui/resources.hpp"
#include "ui/shell.hpp"

namespace app {

using namespace ui;
using namespace scene;

namespace {

constexpr int kColumnMargin = 6;

}  // namespace

bool titleBefore(const std::string& a, const std::string& b) {
    auto digit = [](char c) { return c >= '0' && c <= '9'; };
    size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (digit(a[i]) && digit(b[j])) {
            size_t ei = i, ej = j;
            while (ei < a.size() && digit(a[ei])) ++ei;
            while (ej < b.size() && digit(b[ej])) ++ej;
            // Compare the runs as numbers: shorter (without leading zeros) is smaller.
            std::string_view na(a.data() + i, ei - i), nb(b.data() + j, ej - j);
            while (na.size() > 1 && na.front() == '0') na.remove_prefix(1);
            while (nb.size() > 1 && nb.front() == '0') nb.remove_prefix(1);
            if (na.size() != nb.size()) return na.size() < nb.size();
            if (na != nb) return na < nb;
            i = ei;
            j = ej;
            continue;
        }
        const auto ca = static_cast<unsigned char>(a[i]), cb = static_cast<unsigned char>(b[j]);
        if (ca != cb) return ca < cb;
        ++i;
        ++j;
    }
    return a.size() - i < b.size() - j;
}

namespace {

bool entryBefore(const TaskEntry& a, const TaskEntry& b) {
    if (a.name != b.name) return titleBefore(a.name, b.name);
    return a.fileName < b.fileName;
}

}  // namespace

std::string rowTitle(const std::string& stem) {
    if (!stem.empty() && stem[0] == '_') {
        std::string title = model::decodeTaskFileName(stem);
        if (!title.empty()) return title;
    }
    // Any other name is shown as Linux names files, in UTF-8; a row is never blank.
    std::string shown = base::cp1251::fromUtf8(stem);
    return shown.empty() ? std::string("?") : shown;
}

TaskListBox::TaskListBox(int x_, int y_, int width_, int height_, Judging judging)
    : ListBox(x_, y_, width_, height_) {
    scanFolder("tasks", TaskGroup::Game);
    const std::string data = platform::dataFolder();
    const std::string shared = platform::classFolder();
    if (!shared.empty() && shared != data) scanFolder(shared, TaskGroup::Class, kClassFolderPatienceMs);
    if (!data.empty()) scanFolder(data, TaskGroup::Mine);
    keepWithinCap();
    if (judging == Judging::OrderOnly) return;
    std::vector<CatalogueJudge::File> files;
    for (const TaskEntry& entry : entries) files.push_back({entry.path(), entry.folder == shared});
    judge_ = std::make_unique<CatalogueJudge>(std::move(files));
}

bool TaskListBox::learn() {
    if (!judge_) return false;
    bool learnt = false;
    for (auto& [path, facts] : judge_->take()) {
        learnt = true;
        rememberTaskKey(path, facts.taskKey);
        for (TaskEntry& entry : entries) {
            if (entry.path() != path) continue;
            entry.difficulty.settled = true;
            entry.difficulty.unreadable = !facts.read;
            entry.difficulty.verdict = facts.verdict;
        }
    }
    learntUnseen_ = learntUnseen_ || learnt;
    return learnt;
}

void TaskListBox::waitForRows() {
    if (judge_) judge_->waitUntilDone();
    learn();
}

TaskListBox::RowNews TaskListBox::rowNews() {
    if (!judge_) return RowNews::None;
    // Asked first: what was done by then is all taken below.
    const bool done = judge_->done();
    learn();
    if (std::exchange(learntUnseen_, false)) return RowNews::Learnt;
    return done ? RowNews::None : RowNews::Judging;
}

void TaskListBox::scanFolder(const std::string& folder, TaskGroup group, int patienceMs) {
    // Rows come in the order of their titles (numbers counted as numbers, so "2." comes
    // before "10."), not in the file system's hash order.
    const size_t first = entries.size();
    const std::vector<std::string> files =
        patienceMs > 0 ? platform::listFolderWithin(folder, "", ".dat", patienceMs)
                             .value_or(std::vector<std::string>())
                       : platform::listFolder(folder, "", ".dat");
    for (const std::string& file : files) {
        const std::string stem = file.substr(0, file.size() - 4);
        entries.emplace_back(rowTitle(stem), folder, file).group = group;
    }
    std::sort(entries.begin() + static_cast<std::ptrdiff_t>(first), entries.end(), entryBefore);
}

void TaskListBox::keepWithinCap() {
    if (entries.size() <= kMaxEntries) return;
    // A teacher's or a pupil's task must never vanish behind the pack, however large it
    // grows; the rows kept stay in folder order.
    const auto rank = [](TaskGroup group) {
        return group == TaskGroup::Class ? 0 : group == TaskGroup::Mine ? 1 : 2;
    };
    std::vector<size_t> order(entries.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::nth_element(order.begin(), order.begin() + kMaxEntries, order.end(), [&](size_t a, size_t b) {
        const TaskEntry& x = entries[a];
        const TaskEntry& y = entries[b];
        if (x.group != y.group) return rank(x.group) < rank(y.group);
        return entryBefore(x, y);
    });
    std::vector<bool> kept(entries.size(), false);
    for (size_t i = 0; i < kMaxEntries; ++i) kept[order[i]] = true;
    std::vector<TaskEntry> shown;
    shown.reserve(kMaxEntries);
    for (size_t i = 0; i < entries.size(); ++i) {
        if (kept[i]) shown.push_back(std::move(entries[i]));
    }
    hiddenCount = static_cast<int32_t>(entries.size() - shown.size());
    entries = std::move(shown);
}

void TaskListBox::showPanelButtons(bool shown) {
    if (scene == nullptr) return;
    for (Button* button : scene->buttons) {
        if (button != nullptr) button->visible = shown;
    }
}

void TaskListBox::draw() {
    if (entries.empty()) {
        drawText(
            shell().fonts.small, "Нет файлов с задачами"_cp,
            Rect{x, y, x + kListRowWidth, y + kListRowHeight},
            platform::TextFormat::Center | platform::TextFormat::VCenter | platform::TextFormat::NoClip,
            ui::kPaleYellow);
        showPanelButtons(false);
        return;
    }
    showPanelButtons(true);
    learn();
    learntUnseen_ = false;  // this frame shows them
    drawRows();
    if (scene != nullptr) {
        const VisualItem* panel = scene->woodPanel;
        drawCatalogueLegend(entries, panel->x, panel->y + panel->height, panel->width);
    }
}

bool TaskListBox::hitTest(int px, int py) {
    if (!containsPoint(this, px, py)) return false;
    hoveredRow = (py - y + scrollOffset) / kListRowHeight;
    return hoveredRow >= 0 && hoveredRow < static_cast<int>(entries.size());
}

void TaskListBox::mouseDown(int, int) {
    if (hoveredRow == selectedRow) {
        openSelectedTask(nullptr);
    } else {
        selectedRow = hoveredRow;
        forgetDeleteQuestion();
    }
}

void TaskListBox::hoverEnter() { setCursor(CursorKind::Hand); }

void TaskListBox::hoverLeave() { setCursor(CursorKind::Arrow); }

int TaskListBox::rowCount() { return static_cast<int>(entries.size()) + (hiddenCount > 0 ? 1 : 0); }

int TaskListBox::rowHeight(int) { return kListRowHeight; }

void TaskListBox::drawRow(int row, int rowX, int rowY) {
    if (row >= static_cast<int>(entries.size())) {
        drawHiddenCount(rowX, rowY);
        return;
    }
    uint32_t fill = 0;
    if (row == selectedRow) {
        fill = 0x60FFFF00;
    } else if (row == hoveredRow) {
        fill = 0x60FFFFFF;
    } else if (row % 2 == 0) {
        fill = 0x20FFFFFF;
    }
    if (fill != 0) fillRect(rowX, rowY, rowX + kListRowWidth, rowY + kListRowHeight, fill);
    // The light selection and hover fills need the row's texts outlined to stay readable.
    const bool lit = row == selectedRow || row == hoveredRow;
    const auto text = [lit](const char* what, Rect rect, platform::TextFormat format, uint32_t colour) {
        if (lit) {
            drawOutlinedText(shell().fonts.small, what, rect, format, colour);
        } else {
            drawText(shell().fonts.small, what, rect, format, colour);
        }
    };
    const TaskEntry& entry = entries[static_cast<size_t>(row)];
    if (entry.group != TaskGroup::Game)
        fillRect(rowX, rowY + 4, rowX + 4, rowY + 29,
                 entry.group == TaskGroup::Class ? kClassStripe : kMineStripe);
    Rect title{rowX, rowY, rowX + kListRowWidth, rowY + kListRowHeight};
    // The shortest count stands at the row's right end, the solved mark left of it, and
    // the title stays centred while it clears them; a longer one moves left of them and,
    // when still too long, ends in "…".
    int right = rowX + kListRowWidth;
    const DifficultyMark mark = difficultyMark(entry.difficulty);
    if (!mark.text.empty()) {
        Rect column{0, 0, 0, 0};
        drawText(shell().fonts.small, mark.text.c_str(), &column, platform::TextFormat::CalcRect, 0);
        right = rowX + kListRowWidth - kColumnMargin - column.right;
        text(mark.text.c_str(),
             Rect{right, rowY, rowX + kListRowWidth - kColumnMargin, rowY + kListRowHeight},
             platform::TextFormat::VCenter | platform::TextFormat::SingleLine, mark.colour);
    }
    const int solvedRight = std::min(rowX + kListRowWidth - kShortestColumnWidth, right - kColumnMargin);
    const int markLeft = drawSolvedMark(entry.path(), solvedRight, rowY, kListRowHeight, lit);
    if (markLeft < solvedRight) right = markLeft;
    Rect width{0, 0, 0, 0};
    drawText(shell().fonts.small, entry.name.c_str(), &width, platform::TextFormat::CalcRect, 0);
    if (right < rowX + kListRowWidth &&
        rowX + (kListRowWidth + width.right) / 2 > right - kColumnMargin) {
        title = Rect{rowX + kColumnMargin, rowY, right - kColumnMargin, rowY + kListRowHeight};
    }
    // A file that could not be read is greyed, as the row's mark says.
    text(entry.name.c_str(), title,
         platform::TextFormat::Center | platform::TextFormat::VCenter |
             platform::TextFormat::SingleLine | platform::TextFormat::EndEllipsis,
         entry.difficulty.unreadable ? 0xFFB0B0A0 : ui::kPaleYellow);
}

void TaskListBox::drawHiddenCount(int rowX, int rowY) {
    char text[64];
    std::snprintf(text, sizeof text, "%s %d", "Не поместилось задач:"_cp, static_cast<int>(hiddenCount));
    Rect size{0, 0, 0, 0};
    drawText(shell().fonts.small, text, &size, platform::TextFormat::CalcRect, 0);
    if (size.right <= kListRowWidth) {
        drawText(shell().fonts.small, text,
                 Rect{rowX, rowY, rowX + kListRowWidth, rowY + kListRowHeight},
                 platform::TextFormat::Center | platform::TextFormat::VCenter, 0xFFFFCC80);
        return;
    }
    // A large count takes a second line rather than being cut.
    std::snprintf(text, sizeof text, "%s\n%s %d", "Не поместилось"_cp, "задач:"_cp,
                  static_cast<int>(hiddenCount));
    drawText(shell().fonts.small, text, Rect{rowX, rowY, rowX + kListRowWidth, rowY + kListRowHeight},
             platform::TextFormat::Center, 0xFFFFCC80);
}

bool TaskListBox::removeSelectedEntry(bool* noAnswer) {
    if (selectedRow < 0 || selectedRow >= rowCount()) return false;
    const TaskEntry& entry = entries[static_cast<size_t>(selectedRow)];
    std::optional<bool> removed = true;
    if (entry.group == TaskGroup::Class) {
        removed = platform::deleteFileWithin(entry.path(), platform::kClassFolderPatienceMs);
    } else {
        removed = platform::deleteFile(entry.path());
    }
    if (noAnswer != nullptr) *noAnswer = !removed;
    if (!removed.value_or(false)) return false;
    entries.erase(entries.begin() + selectedRow);
    selectedRow = -1;
    return true;
}

}  // namespace app
