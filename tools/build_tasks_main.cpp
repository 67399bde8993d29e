// ferrolin-build-tasks SRC_DIR OUT_DIR
// Turns every task source SRC_DIR/*.json into a task file in OUT_DIR, named after its
// title as the game names the tasks it saves. Refuses sources with a broken layout.
// The folder may also hold tasks a teacher saved: only the files this tool wrote last
// time (listed in OUT_DIR/.pack-files) are removed when their task is renamed or gone.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "base/utf8_path.hpp"
#include "model/task_file.hpp"
#include "model/task_key.hpp"
#include "tools/task_source.hpp"

namespace fs = std::filesystem;

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: ferrolin-build-tasks SRC_DIR OUT_DIR\n");
        return 2;
    }
    const fs::path sourceDir = argv[1];
    const fs::path outDir = argv[2];

    std::vector<fs::path> sources;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(sourceDir, error)) {
        if (entry.is_regular_file() && entry.path().extension() == ".json")
            sources.push_back(entry.path());
    }
    if (error) {
        std::fprintf(stderr, "ferrolin-build-tasks: cannot list %s: %s\n",
                     base::fromPath(sourceDir).c_str(), error.message().c_str());
        return 1;
    }
    std::sort(sources.begin(), sources.end());

    std::vector<std::pair<std::string, std::vector<uint8_t>>> files;
    std::string renamed;  // "OLD NEW" task keys of titles that changed
    std::map<std::string, fs::path> titles;
    bool failed = false;
    for (const fs::path& source : sources) {
        try {
            const tools::TaskSource task = tools::loadTaskSource(source.string());
            for (const std::string& problem : tools::layoutProblems(task.task)) {
                std::fprintf(stderr, "%s: %s\n", base::fromPath(source).c_str(), problem.c_str());
                failed = true;
            }
            const std::string name = model::taskFileName(task.task.title, 0);
            if (const auto [other, fresh] = titles.emplace(name, source); !fresh) {
                std::fprintf(stderr, "%s: same title as %s\n", base::fromPath(source).c_str(),
                             base::fromPath(other->second).c_str());
                failed = true;
            }
            files.emplace_back(name, model::encodeTask(task.task, false));
            for (const std::string& former : task.formerTitles) {
                model::TaskData before = task.task;
                before.title = former;
                char line[40];
                std::snprintf(line, sizeof line, "%016llx %016llx\n",
                              static_cast<unsigned long long>(model::taskKey(before)),
                              static_cast<unsigned long long>(model::taskKey(task.task)));
                renamed += line;
            }
        } catch (const std::exception& e) {
            std::fprintf(stderr, "%s\n", e.what());
            failed = true;
        }
    }
    if (failed) return 1;

    fs::create_directories(outDir, error);
    const fs::path manifest = outDir / ".pack-files";
    {
        std::ifstream previous(manifest);
        for (std::string name; std::getline(previous, name);) {
            const bool stillWritten = std::any_of(files.begin(), files.end(),
                                                  [&](const auto& file) { return file.first == name; });
            if (!stillWritten && name.find('/') == std::string::npos && name.ends_with(".dat")) {
                fs::remove(outDir / name, error);
            }
        }
    }
    std::ofstream list(manifest, std::ios::trunc);
    for (const auto& file : files) list << file.first << '\n';
    list.close();
    std::ofstream(outDir / ".pack-renamed", std::ios::trunc) << renamed;
    for (const auto& [name, bytes] : files) {
        const fs::path path = outDir / name;
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            std::fprintf(stderr, "ferrolin-build-tasks: cannot write %s\n",
                         base::fromPath(path).c_str());
            return 1;
        }
    }
    std::printf("ferrolin-build-tasks: %zu tasks in %s\n", files.size(), base::fromPath(outDir).c_str());
    return 0;
}
