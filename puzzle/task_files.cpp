#include "puzzle/task_files.hpp"

#include <algorithm>

#include "platform/files.hpp"
#include "puzzle/model/task_file.hpp"
#include "puzzle/move_list_box.hpp"
#include "puzzle/play.hpp"
#include "puzzle/screen_mode.hpp"
#include "puzzle/task.hpp"
#include "ui/screen_items.hpp"

namespace puzzle {

bool writeNewTaskFile(const std::string& path, bool* existed) {
    const std::vector<uint8_t> bytes = model::encodeTask(taskData(), false);
    const platform::WriteResult result = platform::writeNewFile(path, bytes);
    if (existed != nullptr) *existed = result == platform::WriteResult::Exists;
    return result == platform::WriteResult::Ok;
}

model::TaskData playedTaskData() {
    model::TaskData data = taskData();
    if (play.moveList != nullptr) data.moves = play.moveList->moves;
    return data;
}

bool writeSolutionFile(const std::string& path) {
    if (screenMode != PlayScreen || play.moveList == nullptr) return false;
    const model::TaskData data = playedTaskData();
    // A file that cannot hold every crossing would replay to another position.
    if (!model::solutionFits(data)) return false;
    return platform::replaceFile(path, model::encodeTask(data, true));
}

bool saveNewTask(const std::string& folder) {
    if (!folder.empty() && folder == platform::dataFolder()) platform::createFolders(folder);
    const std::string prefix = folder.empty() ? std::string() : folder + "/";
    bool existed = false;
    for (int number = 0; number <= 99; ++number) {
        if (writeNewTaskFile(prefix + model::taskFileName(task.title, number), &existed)) return true;
        if (!existed) return false;
    }
    return false;
}

std::optional<model::TaskData> loadTaskFile(const std::string& path) {
    const auto bytes = platform::readFile(path, model::kMaxTaskFileBytes);
    if (!bytes) return std::nullopt;
    return model::decodeTask(*bytes);
}

namespace {

std::string readPath;

}  // namespace

const std::string& lastReadTaskPath() { return readPath; }

bool readTaskFile(const std::string& path) {
    const std::optional<model::TaskData> data = loadTaskFile(path);
    if (!data) return false;
    readPath = path;
    startPlay(*data);
    return true;
}

void startPlay(const model::TaskData& data) {
    buildPlayScreen();
    setTitle(data.title);
    setStatement(data.statement);
    task.boat = new ui::StaticUIElement(
        kLeftStationX, kLeftStationY,
        (data.boat & model::kBoatmanFlag) != 0 ? "textures/boatman.tga" : "textures/boat.tga");
    task.boat->id = static_cast<int32_t>(data.boat);
    task.characterCount = static_cast<int32_t>(data.characters.size());
    for (size_t i = 0; i < data.characters.size(); ++i) {
        const model::CharacterData& c = data.characters[i];
        createPlayCharacter(static_cast<int>(i), c.leftX, c.leftY, c.rightX, c.rightY, c.weight,
                            c.name.c_str());
        task.characters[i].item->colour = c.colour;
    }
    task.ruleCount = static_cast<int32_t>(data.rules.size());
    std::copy(data.rules.begin(), data.rules.end(), task.rules.begin());
    for (const model::MoveData& move : data.moves) {
        play.moveList->append(move);
        applyMove(move, 1);
    }
}

}  // namespace puzzle
