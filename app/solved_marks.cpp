#include "app/solved_marks.hpp"

#include <cstdio>
#include <map>

#include "app/game.hpp"
#include "app/task_list_box.hpp"
#include "model/task_file.hpp"
#include "model/task_key.hpp"
#include "platform/class_folder.hpp"
#include "platform/files.hpp"
#include "puzzle/progress.hpp"
#include "ui/resources.hpp"
#include "ui/shell.hpp"

namespace app {

namespace {

SolvedMarks& marks() { return game().marks; }

std::optional<int> bestOfKey(std::optional<uint64_t> key) {
    if (!key) return std::nullopt;
    const auto found = marks().progress.find(*key);
    if (found == marks().progress.end()) return std::nullopt;
    return found->second;
}

// The task a file holds. A file on the class folder is read with a time bound, and once one
// got no answer the folder is not asked again (classAnswers).
std::optional<uint64_t> keyOf(const std::string& path, bool onClassFolder = false,
                              bool* classAnswers = nullptr) {
    const auto found = marks().keys.find(path);
    if (found != marks().keys.end()) return found->second;
    std::optional<std::vector<uint8_t>> bytes;
    if (!onClassFolder) {
        bytes = platform::readFile(path, model::kMaxTaskFileBytes);
    } else if (classAnswers == nullptr || *classAnswers) {
        platform::TimedRead read = platform::readFileWithin(path, model::kMaxTaskFileBytes,
                                                            TaskListBox::kClassFolderPatienceMs);
        if (classAnswers != nullptr) *classAnswers = read.answered;
        bytes = std::move(read.bytes);
    }
    std::optional<uint64_t> key;
    if (bytes) {
        if (const auto task = model::decodeTask(*bytes)) key = model::taskKey(*task);
    }
    marks().keys.emplace(path, key);
    return key;
}

}  // namespace

void reloadSolvedMarks() {
    marks().progress = puzzle::loadProgress();
    marks().keys.clear();
}

void releaseSolvedMarks() { marks().check.reset(); }

std::optional<int> bestCountOf(const std::string& path) { return bestOfKey(keyOf(path)); }

void rememberTaskKey(const std::string& path, std::optional<uint64_t> key) { marks().keys[path] = key; }

int drawSolvedMark(const std::string& path, int right, int rowY, int rowHeight, bool outlined) {
    const auto known = marks().keys.find(path);
    if (known == marks().keys.end()) return right;
    const std::optional<int> best = bestOfKey(known->second);
    if (!best) return right;
    char count[16];
    std::snprintf(count, sizeof count, "%d", *best);
    ui::Rect box{right - 40, rowY, right, rowY + rowHeight};
    ui::drawText(ui::shell().fonts.small, count, &box, platform::TextFormat::CalcRect, 0);
    const int textWidth = box.right - box.left;
    const int checkX = right - textWidth - 21;
    drawCheckMark(checkX, rowY + (rowHeight - kCheckMarkHeight) / 2);
    const ui::Rect place{right - textWidth, rowY, right, rowY + rowHeight};
    if (outlined) {
        ui::drawOutlinedText(ui::shell().fonts.small, count, place,
                             platform::TextFormat::VCenter | platform::TextFormat::NoClip,
                             kSolvedCountColour);
    } else {
        ui::drawText(ui::shell().fonts.small, count, place,
                     platform::TextFormat::VCenter | platform::TextFormat::NoClip, kSolvedCountColour);
    }
    return checkX;
}

void drawCheckMark(int x, int y) {
    if (!marks().check) marks().check = ui::loadTexture("textures/check_mark.tga", nullptr, nullptr);
    ui::drawTexture(marks().check, x, y, nullptr, 0xFFFFFFFF);
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
    const std::string shared = platform::classFolder();
    bool classAnswers = true;
    for (size_t n = 0; n < entries.size(); ++n) {
        const TaskEntry& entry = entries[(start + n) % entries.size()];
        if (entry.path() == current) continue;
        const std::optional<uint64_t> key = keyOf(entry.path(), entry.folder == shared, &classAnswers);
        if (key && !bestOfKey(key)) return entry.path();
    }
    return {};
}

}  // namespace app
