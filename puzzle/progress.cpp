#include "puzzle/progress.hpp"

#include "platform/files.hpp"

namespace puzzle {

namespace {

// Far more than a pupil's lifetime of solved tasks; a larger file is not ours.
constexpr size_t kMaxProgressBytes = 4 * 1024 * 1024;
// Beside the pack, written by its builder; relative to the program folder.
constexpr const char* kRenamedPath = "tasks/.pack-renamed";

}  // namespace

std::string progressPath() {
    const std::string folder = platform::dataFolder();
    return folder.empty() ? std::string() : folder + "/progress.txt";
}

model::Progress loadProgress() {
    const std::string path = progressPath();
    if (path.empty()) return {};
    const auto bytes = platform::readFile(path, kMaxProgressBytes);
    if (!bytes) return {};
    model::Progress progress =
        model::parseProgress(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
    // Wins on the pack's tasks from before they were renumbered.
    if (const auto renamed = platform::readFile(kRenamedPath, kMaxProgressBytes)) {
        model::carryOverRenamed(progress,
                                std::string_view(reinterpret_cast<const char*>(renamed->data()), renamed->size()));
    }
    return progress;
}

bool saveWin(uint64_t taskKey, int crossings) {
    const std::string path = progressPath();
    if (path.empty()) return false;
    model::Progress progress = loadProgress();
    if (!model::recordSolved(progress, taskKey, crossings)) return true;
    platform::createFolders(platform::dataFolder());
    const std::string text = model::formatProgress(progress);
    return platform::replaceFile(path, std::vector<uint8_t>(text.begin(), text.end()));
}

}  // namespace puzzle
