// Tasks made in memory for screen tests.
#pragma once

#include <fstream>
#include <string>

#include "model/task_data.hpp"
#include "model/task_file.hpp"

namespace test {

inline model::CharacterData character(const char* picture, int lx, int ly, int rx, int ry,
                                      int weight = 1, uint32_t colour = 0xFFFFFFFF) {
    model::CharacterData c;
    c.name = std::string("textures/unit_") + picture + ".tga";
    c.leftX = lx;
    c.leftY = ly;
    c.rightX = rx;
    c.rightY = ry;
    c.weight = weight;
    c.colour = colour;
    return c;
}

// The farmer rows; the wolf may not stay with the goat, nor the goat with the cabbage,
// unless the farmer is there. Characters 0 farmer, 1 wolf, 2 goat, 3 cabbage.
inline model::TaskData wolfGoatCabbage() {
    model::TaskData task;
    task.title = "Wolf";
    task.statement = "Carry everybody across.";
    task.boat = 2;
    task.characters = {character("farmer", 20, 60, 880, 50), character("wolf", 100, 60, 945, 50),
                       character("goat", 20, 150, 880, 215), character("cabbage", 100, 150, 945, 215)};
    task.rules = {{1, 2, 0, model::ForbidTogether}, {2, 3, 0, model::ForbidTogether}};
    return task;
}

inline void writeTaskFile(const std::string& path, const model::TaskData& task, bool withMoves) {
    const auto bytes = model::encodeTask(task, withMoves);
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace test
