#include "puzzle/task_files.hpp"

#include <algorithm>
#include <set>
#include <utility>

#include "model/task_file.hpp"
#include "platform/class_folder.hpp"
#include "platform/files.hpp"
#include "puzzle/move_list_box.hpp"
#include "puzzle/play.hpp"
#include "puzzle/task.hpp"
#include "scene/river.hpp"
#include "scene/scene.hpp"
#include "ui/cp1251.hpp"

namespace puzzle {

namespace {

platform::WriteResult writeTask(const Task& task, const std::string& path, int patienceMs) {
    const std::vector<uint8_t> bytes = model::encodeTask(taskData(task), false);
    return patienceMs > 0 ? platform::writeNewFileWithin(path, bytes, patienceMs)
                          : platform::writeNewFile(path, bytes);
}

}  // namespace

bool writeNewTaskFile(const Task& task, const std::string& path, bool* existed) {
    const platform::WriteResult result = writeTask(task, path, 0);
    if (existed != nullptr) *existed = result == platform::WriteResult::Exists;
    return result == platform::WriteResult::Ok;
}

model::TaskData playedTaskData(const PlaySession& session) {
    model::TaskData data = taskData(session.task);
    if (session.play.moveList != nullptr) data.moves = session.play.moveList->moves;
    return data;
}

bool writeSolutionFile(const PlaySession& session, const std::string& path) {
    if (session.play.moveList == nullptr) return false;
    const model::TaskData data = playedTaskData(session);
    // A file that cannot hold every crossing would replay to another position.
    if (!model::solutionFits(data)) return false;
    return platform::replaceFile(path, model::encodeTask(data, true));
}

bool saveNewTask(const Task& task, const std::string& folder, int patienceMs, bool* noAnswer) {
    if (noAnswer != nullptr) *noAnswer = false;
    if (!folder.empty() && folder == platform::dataFolder()) platform::createFolders(folder);
    const std::string prefix = folder.empty() ? std::string() : folder + "/";
    for (int number = 0; number <= 99; ++number) {
        const platform::WriteResult result =
            writeTask(task, prefix + model::taskFileName(task.title, number), patienceMs);
        if (result == platform::WriteResult::Ok) return true;
        if (result == platform::WriteResult::NoAnswer && noAnswer != nullptr) *noAnswer = true;
        if (result != platform::WriteResult::Exists) return false;
    }
    return false;
}

namespace {

using ui::operator""_cp;

// The picture's own file name: what a teacher copies into the game's pictures folder;
// the folder part of the task's name means nothing to a pupil.
std::string pictureFileName(const std::string& name) {
    const size_t slash = name.find_last_of("/\\");
    if (slash == std::string::npos || slash + 1 == name.size()) return name;
    return name.substr(slash + 1);
}

// Said once as the task opens, naming the first missing picture file so that a teacher
// knows what to copy; the stand-ins show which characters it concerns.
void reportMissingPictures(scene::Scene& scene, const Task& task) {
    std::set<std::string> missing;
    std::string first;
    for (int i = 0; i < task.characterCount; ++i) {
        const CharacterRecord& c = task.characters[static_cast<size_t>(i)];
        if (!c.pictureMissing || !missing.insert(c.name).second) continue;
        if (first.empty())
            first = c.name.empty() ? std::string("без названия"_cp) : pictureFileName(c.name);
    }
    if (missing.empty()) return;
    constexpr size_t kShownBytes = 40;
    if (first.size() > kShownBytes) first = first.substr(0, kShownBytes - 3) + "...";
    // Each text appended on its own: clang 14 crashes on these literals joined in one expression.
    std::string message = "Нет картинки "_cp;
    message += first;
    if (missing.size() > 1) {
        message += " и ещё "_cp;
        message += std::to_string(missing.size() - 1);
    }
    message += missing.size() > 1 ? ": вместо них знак вопроса"_cp : ": вместо неё знак вопроса"_cp;
    scene.showMessage(std::move(message));
}

}  // namespace

std::optional<model::TaskData> loadTaskFile(const std::string& path) {
    // A network class folder may stop answering: its files are not waited for long.
    const std::string shared = platform::classFolder();
    const bool onClassFolder = !shared.empty() && path.rfind(shared + "/", 0) == 0;
    const auto bytes = onClassFolder ? platform::readFileWithin(path, model::kMaxTaskFileBytes,
                                                                platform::kClassFolderPatienceMs)
                                           .bytes
                                     : platform::readFile(path, model::kMaxTaskFileBytes);
    if (!bytes) return std::nullopt;
    return model::decodeTask(*bytes);
}

void startPlay(PlaySession& session, const model::TaskData& data, const std::string& path,
               NextTask next) {
    PlayState& play = session.play;
    Task& task = session.task;
    buildPlayScreen(session, std::move(next));
    play.taskPath = path;
    setTitle(session.scene, task, data.title);
    setStatement(session.scene, task, data.statement);
    task.boat = new ui::InertPicture(
        scene::kLeftStationX, scene::kLeftStationY,
        (data.boat & model::kBoatmanFlag) != 0 ? "textures/boatman.tga" : "textures/boat.tga");
    task.boatSettings = model::BoatSettings::fromWord(data.boat);
    task.position = model::startPosition(data);
    play.opened = data;
    play.opened.moves.clear();
    task.characterCount = static_cast<int32_t>(data.characters.size());
    for (size_t i = 0; i < data.characters.size(); ++i) {
        const model::CharacterData& c = data.characters[i];
        createPlayCharacter(session, static_cast<int>(i), c.leftX, c.leftY, c.rightX, c.rightY, c.weight,
                            c.name.c_str());
        task.characters[i].item->colour = c.colour;
    }
    task.ruleCount = static_cast<int32_t>(data.rules.size());
    std::copy(data.rules.begin(), data.rules.end(), task.rules.begin());
    for (const model::MoveData& move : data.moves) {
        play.moveList->append(move);
        applyMove(session, move, 1);
    }
    reportMissingPictures(session.scene, task);
}

}  // namespace puzzle
