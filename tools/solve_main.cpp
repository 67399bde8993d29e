// ferrolin-solve TASK.dat [-o SOLUTION.sln] [--max-states N]
// Prints the shortest solution of a task or solution file (its stored moves are
// ignored) and can save it as a solution file that the game opens at the solved position.
// The search gives up after N positions (a million by default), after the work that many
// positions may take (a few seconds), or when its tables would outgrow their memory bound.
// Exit codes: 0 solved, 1 no solution, 2 bad arguments or unreadable file, 3 search too large.
// ferrolin-solve --check [--task TASK.dat] FILE|FOLDER...
// Checks solution files (a teacher's collected homework), with --task against the task
// that was set; see tools/check_solutions.hpp.
// ferrolin-solve --report [CLASS_FOLDER] [-o PAGE.html] [--open]
// The class's results as a page and a CSV file (see tools/class_report.hpp); without a
// folder, the class folder this computer is set up with.
#include <charconv>
#include <cstdio>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "base/cp1251.hpp"
#include "model/solver.hpp"
#include "model/task_file.hpp"
#include "platform/class_folder.hpp"
#include "platform/files.hpp"
#include "tools/check_solutions.hpp"
#include "tools/class_report.hpp"
#include "tools/task_source.hpp"

using base::cp1251::toUtf8;

namespace {

constexpr int kSolved = 0, kNoSolution = 1, kBadInput = 2, kTooLarge = 3;

int usage() {
    std::fprintf(stderr,
                 "usage: ferrolin-solve TASK.dat [-o SOLUTION.sln] [--max-states N]\n"
                 "       ferrolin-solve --check [--task TASK.dat] SOLUTION.sln|FOLDER...\n"
                 "       ferrolin-solve --report [CLASS_FOLDER] [-o PAGE.html] [--open]\n");
    return kBadInput;
}

// Short names for the passengers; where one picture comes in several colours the colour
// tells them apart.
std::vector<std::string> characterLabels(const model::TaskData& task) {
    std::map<std::string, std::vector<uint32_t>> coloursOf;
    for (const model::CharacterData& c : task.characters) coloursOf[c.name].push_back(c.colour);
    std::vector<std::string> labels;
    for (const model::CharacterData& c : task.characters) {
        std::string label = tools::shortPictureName(c.name);
        if (label.empty()) label.assign(1, '?');
        const std::vector<uint32_t>& colours = coloursOf[c.name];
        bool mixed = false;
        for (const uint32_t colour : colours) mixed = mixed || colour != colours.front();
        if (mixed) label = tools::colourName(c.colour) + " " + label;
        labels.push_back(toUtf8(label));
    }
    return labels;
}

void reportTooLarge(const model::SolveResult& result, uint64_t stateLimit) {
    const auto visited = static_cast<unsigned long long>(result.statesVisited);
    switch (result.bound) {
        case model::SolveBound::Characters:
            std::printf("search too large: too many characters that differ to number their positions\n");
            break;
        case model::SolveBound::Memory:
            std::printf("search too large: %llu positions reached the memory bound of %llu MB\n",
                        visited, static_cast<unsigned long long>(model::kSolverMemoryLimit >> 20));
            break;
        case model::SolveBound::Work:
            std::printf(
                "search too large: %llu positions and %llu crossings judged used up the work allowed "
                "for %llu positions (raise it with --max-states N)\n",
                visited, static_cast<unsigned long long>(result.judgements),
                static_cast<unsigned long long>(stateLimit));
            break;
        default:
            std::printf(
                "search too large: %llu positions reached the bound of %llu (raise it with --max-states N)\n",
                visited, static_cast<unsigned long long>(stateLimit));
            break;
    }
}

// The game's task pack: beside this program in a build, in the program folder when
// installed (this program in <prefix>/bin, the game in <prefix>/lib/ferrolin).
std::string packFolder() {
    const std::string here = platform::programFolder();
    for (const char* relative : {"/tasks", "/../lib/ferrolin/tasks"}) {
        if (!platform::listFolder(here + relative, "", ".dat").empty()) return here + relative;
    }
    return {};
}

int report(int argc, char** argv) {
    std::string folder, page;
    bool open = false;
    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--open") {
            open = true;
        } else if (arg == "-o" && i + 1 < argc) {
            page = argv[++i];
        } else if (folder.empty() && !arg.starts_with("-")) {
            folder = arg;
        } else {
            return usage();
        }
    }
    if (folder.empty()) folder = platform::classFolder();
    return tools::writeClassReport(folder, packFolder(), page, open);
}

// The task or solution file, or nothing with the reason on stderr.
std::optional<model::TaskData> readTask(const std::string& path) {
    const std::optional<std::vector<uint8_t>> bytes = platform::readFile(path, model::kMaxTaskFileBytes);
    if (!bytes) {
        std::fprintf(stderr, "ferrolin-solve: cannot read %s\n", path.c_str());
        return std::nullopt;
    }
    std::optional<model::TaskData> task = model::decodeTask(*bytes);
    if (!task) std::fprintf(stderr, "ferrolin-solve: %s is not a task file\n", path.c_str());
    return task;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::string(argv[1]) == "--check") {
        std::vector<std::string> paths;
        std::optional<model::TaskData> setTask;
        for (int i = 2; i < argc; ++i) {
            if (std::string(argv[i]) != "--task") {
                paths.push_back(argv[i]);
                continue;
            }
            if (++i == argc || setTask) return usage();
            setTask = readTask(argv[i]);
            if (!setTask) return kBadInput;
        }
        if (paths.empty()) return usage();
        return tools::checkSolutions(paths, setTask ? &*setTask : nullptr);
    }
    if (argc > 1 && std::string(argv[1]) == "--report") return report(argc, argv);
    std::string taskPath, solutionPath;
    uint64_t stateLimit = model::kDefaultStateLimit;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "-o") {
            if (++i == argc) return usage();
            solutionPath = argv[i];
        } else if (arg == "--max-states") {
            if (++i == argc) return usage();
            const std::string number = argv[i];
            const char* end = number.data() + number.size();
            const auto [stop, error] = std::from_chars(number.data(), end, stateLimit);
            if (error != std::errc() || stop != end || stateLimit == 0) return usage();
        } else if (taskPath.empty() && !arg.starts_with("-")) {
            taskPath = arg;
        } else {
            return usage();
        }
    }
    if (taskPath.empty()) return usage();
    // Checked before the search, which may take seconds, and checked again by the save.
    if (!solutionPath.empty() && platform::isSpecialFile(solutionPath)) {
        std::fprintf(stderr,
                     "ferrolin-solve: %s is not a regular file; a solution is saved only to a file\n",
                     solutionPath.c_str());
        return kBadInput;
    }

    std::optional<model::TaskData> task = readTask(taskPath);
    if (!task) return kBadInput;

    std::printf("%s\n", toUtf8(task->title).c_str());
    const model::SolveResult result = model::solveTask(*task, stateLimit);
    if (result.status == model::SolveStatus::TooLarge) {
        reportTooLarge(result, stateLimit);
        return kTooLarge;
    }
    if (result.status == model::SolveStatus::NoSolution) {
        std::printf("no solution\n");
        return kNoSolution;
    }

    const std::vector<std::string> labels = characterLabels(*task);
    for (size_t m = 0; m < result.moves.size(); ++m) {
        const model::MoveData& move = result.moves[m];
        std::string passengers;
        for (size_t i = 0; i < labels.size(); ++i) {
            if (move.mask.test(i)) passengers += (passengers.empty() ? "" : " ") + labels[i];
        }
        if (passengers.empty()) passengers = "(boatman alone)";
        std::printf("%3zu. %s %s\n", m + 1, move.direction > 0 ? "->" : "<-", passengers.c_str());
    }
    std::printf("crossings: %zu\n", result.moves.size());

    if (!solutionPath.empty()) {
        task->moves = result.moves;
        if (!model::solutionFits(*task)) {
            std::fprintf(stderr,
                         "ferrolin-solve: a solution of more than %d crossings cannot be saved\n",
                         model::kMaxMoves);
            return kBadInput;
        }
        if (!platform::replaceFile(solutionPath, model::encodeTask(*task, true))) {
            std::fprintf(stderr, "ferrolin-solve: cannot write %s\n", solutionPath.c_str());
            return kBadInput;
        }
    }
    return kSolved;
}
