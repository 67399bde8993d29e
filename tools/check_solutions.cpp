#include "tools/check_solutions.hpp"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <system_error>

#include "platform/files.hpp"
#include "puzzle/model/solution_check.hpp"
#include "puzzle/model/solver.hpp"
#include "puzzle/model/task_file.hpp"

namespace fs = std::filesystem;

namespace tools {

namespace {

bool isSolutionName(const fs::path& path) {
    std::string ext = path.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    return ext == ".sln";
}

// Folders are searched in depth (a class often hands in a folder per pupil), files in
// name order so that two runs print the same report.
std::vector<std::string> expand(const std::vector<std::string>& paths) {
    std::vector<std::string> files;
    for (const std::string& path : paths) {
        std::error_code error;
        if (!fs::is_directory(path, error)) {
            files.push_back(path);
            continue;
        }
        std::vector<std::string> found;
        fs::recursive_directory_iterator it(path, fs::directory_options::skip_permission_denied, error);
        for (; !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
            if (it->is_regular_file(error) && isSolutionName(it->path()))
                found.push_back(it->path().string());
        }
        std::sort(found.begin(), found.end());
        files.insert(files.end(), found.begin(), found.end());
    }
    return files;
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
    for (const std::string& path : expand(paths)) {
        const auto bytes = platform::readFile(path, model::kMaxTaskFileBytes);
        const std::optional<model::TaskData> task = bytes ? model::decodeTask(*bytes) : std::nullopt;
        if (!task) {
            std::printf("%s: unreadable\n", path.c_str());
            ++unreadable;
            continue;
        }
        const std::string part = taskPart(*task);
        tasksSeen.insert(part);
        // A pupil's own easy task solved in full is no answer to the task that was set.
        if (setPart && part != *setPart) {
            std::printf("%s: another task\n", path.c_str());
            ++incomplete;
            ++another;
            continue;
        }
        const model::SolutionCheck check = model::checkSolution(*task);
        switch (check.status) {
            case model::SolutionStatus::Complete: {
                std::printf("%s: complete, crossings %d", path.c_str(), check.crossings);
                if (const std::optional<size_t> best = shortest.of(*task))
                    std::printf(", shortest %zu", *best);
                std::printf("\n");
                ++complete;
                break;
            }
            case model::SolutionStatus::Incomplete:
                std::printf("%s: incomplete, crossings %d\n", path.c_str(), check.crossings);
                ++incomplete;
                break;
            case model::SolutionStatus::BreaksRule:
                std::printf("%s: breaks a rule at crossing %d\n", path.c_str(), check.failedCrossing);
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
