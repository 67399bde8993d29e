#include "tools/check_solutions.hpp"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <system_error>

#include "base/utf8_path.hpp"
#include "model/solution_check.hpp"
#include "model/solver.hpp"
#include "model/task_file.hpp"
#include "platform/files.hpp"

namespace fs = std::filesystem;

namespace tools {

namespace {

bool isSolutionName(const std::string& name) {
    std::string ext = base::fromPath(base::toPath(name).extension());
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    return ext == ".sln";
}

// What the check met: a file to check, or a folder it could not read.
struct Found {
    std::string path;
    bool unreadableFolder = false;
    bool operator<(const Found& other) const { return path < other.path; }
};

// Every *.sln entry beneath folder, whatever it turns out to be (a dangling or looping link
// is met, and read as unreadable, like any other), and every folder that cannot be read.
// Links to folders are not followed, so a link loop cannot make the walk endless.
void walk(const std::string& folder, std::vector<Found>& found) {
    const std::optional<std::vector<platform::FolderEntry>> entries = platform::readFolder(folder);
    if (!entries) {
        found.push_back({folder, true});
        return;
    }
    for (const platform::FolderEntry& entry : *entries) {
        const std::string path = folder + "/" + entry.name;
        if (entry.folder) {
            std::string folder = path;
            while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
            walk(folder, found);
        } else if (isSolutionName(entry.name)) {
            found.push_back({path});
        }
    }
}

// Folders are searched in depth (a class often hands in a folder per pupil), files in
// name order so that two runs print the same report.
std::vector<Found> expand(const std::vector<std::string>& paths) {
    std::vector<Found> all;
    for (const std::string& path : paths) {
        std::error_code error;
        if (!fs::is_directory(base::toPath(path), error)) {
            all.push_back({path});
            continue;
        }
        std::vector<Found> found;
        std::string folder = path;
        while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
        walk(folder, found);
        std::sort(found.begin(), found.end());
        all.insert(all.end(), found.begin(), found.end());
    }
    return all;
}

// A path as one report line: control characters (a line break in a file name would forge
// a line of its own) and the backslash that marks them are written as escapes. Where the
// backslash separates folders, names cannot hold control characters, so it stays as it is.
std::string shown(const std::string& path) {
    constexpr bool backslashSeparates = fs::path::preferred_separator == '\\';
    std::string out;
    for (const char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\\' && !backslashSeparates) {
            out += "\\\\";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\t') {
            out += "\\t";
        } else if (byte < 0x20 || byte == 0x7F) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\x%02X", byte);
            out += escape;
        } else {
            out += c;
        }
    }
    return out;
}

// The task a file holds, without its moves, as bytes: two files of one task hold the same.
std::string taskPart(model::TaskData task) {
    task.moves.clear();
    // A string: GCC 12 warns falsely on comparing byte vectors as map keys.
    const std::vector<uint8_t> bytes = model::encodeTask(task, false);
    return std::string(bytes.begin(), bytes.end());
}

// Many pupils hand in solutions of one task: solve each task once.
class ShortestCounts {
public:
    std::optional<size_t> of(const model::TaskData& task) {
        const std::string key = taskPart(task);
        auto found = known_.find(key);
        if (found == known_.end()) {
            model::TaskData plain = task;
            plain.moves.clear();
            const model::SolveResult result = model::solveTask(plain);
            std::optional<size_t> count;
            if (result.status == model::SolveStatus::Solved) count = result.moves.size();
            found = known_.emplace(key, count).first;
        }
        return found->second;
    }

private:
    std::map<std::string, std::optional<size_t>> known_;
};

}  // namespace

int checkSolutions(const std::vector<std::string>& paths, const model::TaskData* setTask) {
    ShortestCounts shortest;
    std::optional<std::string> setPart;
    if (setTask != nullptr) setPart = taskPart(*setTask);
    std::set<std::string> tasksSeen;
    int complete = 0, incomplete = 0, broken = 0, unreadable = 0, another = 0;
    const std::vector<Found> found = expand(paths);
    if (found.empty()) {
        std::printf("no solution files\n");
        return 2;
    }
    for (const Found& entry : found) {
        const std::string name = shown(entry.path);
        const char* const path = name.c_str();
        if (entry.unreadableFolder) {
            std::printf("%s: unreadable folder\n", path);
            ++unreadable;
            continue;
        }
        const auto bytes = platform::readFile(entry.path, model::kMaxTaskFileBytes);
        const std::optional<model::TaskData> task = bytes ? model::decodeTask(*bytes) : std::nullopt;
        if (!task) {
            std::printf("%s: unreadable\n", path);
            ++unreadable;
            continue;
        }
        const std::string part = taskPart(*task);
        tasksSeen.insert(part);
        // A pupil's own easy task solved in full is no answer to the task that was set.
        if (setPart && part != *setPart) {
            std::printf("%s: another task\n", path);
            ++incomplete;
            ++another;
            continue;
        }
        const model::SolutionCheck check = model::checkSolution(*task);
        switch (check.status) {
            case model::SolutionStatus::Complete: {
                std::printf("%s: complete, crossings %d", path, check.crossings);
                if (const std::optional<size_t> best = shortest.of(*task))
                    std::printf(", shortest %zu", *best);
                std::printf("\n");
                ++complete;
                break;
            }
            case model::SolutionStatus::Incomplete:
                std::printf("%s: incomplete, crossings %d\n", path, check.crossings);
                ++incomplete;
                break;
            case model::SolutionStatus::BreaksRule:
                std::printf("%s: breaks a rule at crossing %d\n", path, check.failedCrossing);
                ++broken;
                break;
        }
    }
    std::printf("%d checked: %d complete, %d incomplete, %d breaking a rule, %d unreadable; ",
                complete + incomplete + broken + unreadable, complete, incomplete, broken, unreadable);
    if (setTask != nullptr) std::printf("%d of another task, ", another);
    std::printf("%zu different task%s\n", tasksSeen.size(), tasksSeen.size() == 1 ? "" : "s");
    if (unreadable > 0) return 2;
    return incomplete + broken > 0 ? 1 : 0;
}

}  // namespace tools
