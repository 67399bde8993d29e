#include "puzzle/progress.hpp"

#include <string_view>

#include "platform/files.hpp"

namespace puzzle {

namespace {

// Far more than a pupil's lifetime of solved tasks; a larger file is not ours.
constexpr size_t kMaxProgressBytes = 4 * 1024 * 1024;
// Beside the pack, written by its builder; relative to the program folder.
constexpr const char* kRenamedPath = "tasks/.pack-renamed";
// Two copies of the game winning at once wait for each other this long at most.
constexpr int kLockPatienceMs = 2000;

enum class FileState { Missing, Foreign, Read };

// A file that exists but cannot be read, or holds something else, is never replaced: it
// may hold every mark the pupil has.
FileState readProgressFile(const std::string& path, std::string& text) {
    if (!platform::fileExists(path) && !platform::isSpecialFile(path)) return FileState::Missing;
    const auto bytes = platform::readFile(path, kMaxProgressBytes);
    if (!bytes) return FileState::Foreign;
    text.assign(bytes->begin(), bytes->end());
    return model::isProgressText(text) ? FileState::Read : FileState::Foreign;
}

}  // namespace

std::string progressPath() {
    const std::string folder = platform::progressFolder();
    return folder.empty() ? std::string() : folder + "/progress.txt";
}

model::Progress loadProgress() {
    const std::string path = progressPath();
    std::string text;
    if (path.empty() || readProgressFile(path, text) != FileState::Read) return {};
    model::Progress progress = model::parseProgress(text);
    // Wins on the pack's tasks from before they were renumbered.
    if (const auto renamed = platform::readFile(kRenamedPath, kMaxProgressBytes)) {
        model::carryOverRenamed(
            progress, std::string_view(reinterpret_cast<const char*>(renamed->data()), renamed->size()));
    }
    return progress;
}

bool saveWin(uint64_t taskKey, int crossings) {
    const std::string path = progressPath();
    if (path.empty()) return false;
    platform::createFolders(platform::progressFolder());
    // Two games of one pupil winning at once would each rewrite what it read before the
    // other's win: one at a time, each reading what the other wrote.
    const platform::FileLock lock(platform::progressFolder() + "/.progress.lock", kLockPatienceMs);
    std::string text;
    switch (readProgressFile(path, text)) {
        case FileState::Foreign:
            return false;
        case FileState::Missing:
            text = model::formatProgress({});
            break;
        case FileState::Read:
            break;
    }
    const std::optional<std::string> changed = model::withWin(text, taskKey, crossings);
    if (!changed) return true;
    return platform::replaceFile(path, std::vector<uint8_t>(changed->begin(), changed->end()));
}

}  // namespace puzzle
