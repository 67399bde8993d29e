#include "app/solved_marks.hpp"

#include <cstdio>
#include <map>

#include "app/task_list_box.hpp"
#include "model/task_file.hpp"
#include "model/task_key.hpp"
#include "platform/files.hpp"
#include "puzzle/progress.hpp"
#include "ui/resources.hpp"

namespace app {

namespace {

struct Marks {
    model::Progress progress;
    std::map<std::string, std::optional<uint64_t>> keys;  // by path; nothing: unreadable
    ui::TexturePtr check;
};
Marks marks;

std::optional<uint64_t> keyOf(const std::string& path) {
    const auto found = marks.keys.find(path);
    if (found != marks.keys.end()) return found->second;
    std::optional<uint64_t> key;
    if (const auto bytes = platform::readFile(path, model::kMaxTaskFileBytes)) {
        if (const auto task = model::decodeTask(*bytes)) key = model::taskKey(*task);
    }
    marks.keys.emplace(path, key);
    return key;
}

}  // namespace

void reloadSolvedMarks() {
    marks.progress = puzzle::loadProgress();
    marks.keys.clear();
}

void releaseSolvedMarks() { marks.check.reset(); }

std::optional<int> bestCountOf(const std::string& path) {
    const std::optional<uint64_t> key = keyOf(path);
    if (!key) return std::nullopt;
    const auto found = marks.progress.find(*key);
    if (found == marks.progress.end()) return std::nullopt;
    return found->second;
}

int drawSolvedMark(const std::string& path, int right, int rowY, int rowHeight, bool outlined) {
    const std::optional<int> best = bestCountOf(path);
    if (!best) return right;
    char count[16];
    std::snprintf(count, sizeof count, "%d", *best);
    ui::Rect box{right - 40, rowY, right, rowY + rowHeight};
    ui::drawText(ui::fonts.small, count, &box, platform::DT_CALCRECT, 0);
    const int textWidth = box.right - box.left;
    const int checkX = right - textWidth - 21;
    drawCheckMark(checkX, rowY + (rowHeight - 18) / 2);
    const ui::Rect place{right - textWidth, rowY, right, rowY + rowHeight};
    if (outlined) {
        ui::drawOutlinedText(ui::fonts.small, count, place, platform::DT_VCENTER | platform::DT_NOCLIP,
                             kSolvedCountColour);
    } else {
        ui::drawText(ui::fonts.small, count, place, platform::DT_VCENTER | platform::DT_NOCLIP,
                     kSolvedCountColour);
    }
    return checkX;
}

void drawCheckMark(int x, int y) {
    if (!marks.check) marks.check = ui::loadTexture("textures/check_mark.tga", nullptr, nullptr);
    ui::drawTexture(marks.check, x, y, nullptr, 0xFFFFFFFF);
}

std::string nextUnsolvedTask(const std::string& current) {
    reloadSolvedMarks();
    std::vector<TaskEntry> entries;
    {
        // The catalogue's own scan, so the order is the one the pupil sees there; the
        // list is never drawn.
        TaskListBox scan(0, 0, 0, 0, TaskListBox::Judging::OrderOnly);
        entries = std::move(scan.entries);
    }
    size_t start = 0;
    for (size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].path() == current) start = i + 1;
    }
    for (size_t n = 0; n < entries.size(); ++n) {
        const TaskEntry& entry = entries[(start + n) % entries.size()];
        if (entry.path() != current && keyOf(entry.path()) && !bestCountOf(entry.path()))
            return entry.path();
    }
    return {};
}

}  // namespace app
