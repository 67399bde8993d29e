#include "bench/solver_tasks.hpp"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>

namespace bench {
namespace {

model::CharacterData character(const std::string& picture, int index, uint32_t colour) {
    model::CharacterData c;
    c.name = "textures/unit_" + picture + ".tga";
    c.colour = colour;
    c.leftX = 5 + 10 * index;
    c.leftY = 40;
    c.rightX = 770 + 10 * index;
    c.rightY = 40;
    return c;
}

uint32_t colourOf(int i) { return 0xFF000000u | (0x3F1F7Bu * static_cast<uint32_t>(i + 1)); }

}  // namespace

model::TaskData jealousCouples(int n, int capacity) {
    model::TaskData task;
    task.title = "couples";
    task.boat = static_cast<uint32_t>(capacity);
    for (int i = 0; i < n; ++i) task.characters.push_back(character("knight", i, colourOf(i)));
    for (int i = 0; i < n; ++i) task.characters.push_back(character("princess", n + i, colourOf(i)));
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
            if (j != i) task.rules.push_back({n + i, j, i, model::ForbidTogether});
        }
    }
    return task;
}

model::TaskData monksAndTrolls(int n, int capacity) {
    model::TaskData task;
    task.title = "monks";
    task.boat = static_cast<uint32_t>(capacity);
    for (int i = 0; i < n; ++i) task.characters.push_back(character("monk", i, 0xFFFFFFFF));
    for (int i = 0; i < n; ++i) task.characters.push_back(character("troll", n + i, 0xFFFFFFFF));
    task.rules.push_back({0, n, -1, model::NotLessThan});
    return task;
}

model::TaskData crowd(int n, bool boatman) {
    model::TaskData task;
    task.title = "crowd";
    task.boat = boatman ? (1u | model::kBoatmanFlag) : 2u;
    for (int i = 0; i < n; ++i) task.characters.push_back(character("monk", i, 0xFFFFFFFF));
    return task;
}

model::TaskData distinctChain(int n, int capacity) {
    model::TaskData task;
    task.title = "chain";
    task.boat = static_cast<uint32_t>(capacity);
    for (int i = 0; i < n; ++i) task.characters.push_back(character("goat", i, colourOf(i)));
    for (int i = 0; i + 1 < n; ++i) task.rules.push_back({i, i + 1, -1, model::ForbidTogether});
    return task;
}

std::vector<std::pair<std::string, tools::TaskSource>> packSources() {
    namespace fs = std::filesystem;
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(std::string(FERROLIN_SOURCE_DIR) + "/tasks-src")) {
        if (entry.path().extension() == ".json") files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    std::vector<std::pair<std::string, tools::TaskSource>> sources;
    for (const fs::path& path : files) {
        try {
            sources.emplace_back(path.stem().string(), tools::loadTaskSource(path.string()));
        } catch (const std::exception& e) {
            std::fprintf(stderr, "bench: %s: %s\n", path.c_str(), e.what());
        }
    }
    return sources;
}

}  // namespace bench
