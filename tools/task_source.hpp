// Task sources of the task pack: one readable UTF-8 JSON file per task, turned into the
// TaskData that the game's task files hold.
#pragma once

#include <string>
#include <vector>

#include <nlohmann/json_fwd.hpp>

#include "model/task_data.hpp"

namespace tools {

struct TaskSource {
    model::TaskData task;  // title and statement in Windows-1251, CR LF line breaks
    int crossings = -1;    // the known length of the shortest solution
    // Titles the task had before (Windows-1251), so that pupils' wins under them count.
    std::vector<std::string> formerTitles;
};

// Throws std::runtime_error naming the faulty field.
TaskSource taskFromJson(const nlohmann::json& source);
TaskSource loadTaskSource(const std::string& path);

// Where the characters' places break the screen layout: outside their bank, over a boat
// station, overlapping each other, or with the goal place equal to the start place.
std::vector<std::string> layoutProblems(const model::TaskData& task);

// "textures/unit_wolf.tga" -> "wolf".
std::string shortPictureName(const std::string& name);
// "white", "red", ... for the pack's colours, else the ARGB value in hex.
std::string colourName(uint32_t colour);

}  // namespace tools
