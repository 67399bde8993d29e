// A river-crossing task held in memory: title, statement, boat, characters with their
// start and goal places, and rules. Where everyone stands is the position; the pictures
// follow it. The session that plays or composes it owns it.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "model/position.hpp"
#include "model/task_data.hpp"
#include "platform/types.hpp"
#include "scene/character_picture.hpp"
#include "scene/scene.hpp"
#include "ui/pressable_picture.hpp"

namespace puzzle {

// Sides: -1 the left bank, +1 the right bank.
constexpr int kLeftSide = model::kLeftBank;
constexpr int kRightSide = model::kRightBank;

struct CharacterRecord {
    scene::CharacterPicture* item = nullptr;  // owned; its id is the record's index
    platform::TexturePtr smallPicture;
    platform::TexturePtr smallTintMask;
    std::string name;  // picture file name
    int32_t leftX = 0, leftY = 0;
    int32_t rightX = 0, rightY = 0;
    int32_t weight = 1;
    bool pictureMissing = false;  // drawn with the stand-in picture
};

// A rule on screen is the rule of the plain data: the check and the files read it as it is.
using RuleRecord = model::RuleData;

// What a character whose picture is missing looks like.
constexpr const char* kStandInPicture = "textures/missing_unit.tga";

struct Task {
    char title[model::kTitleBytes] = {};
    char statement[model::kStatementBytes] = {};
    // The boat's picture; its chain holds the passengers' pictures, leftmost first.
    ui::InertPicture* boat = nullptr;
    model::BoatSettings boatSettings;
    // Play's: who stands where, who sits in the boat, where the boat is.
    model::Position position;
    int32_t characterCount = 0;
    std::array<CharacterRecord, model::kMaxCharacters> characters;
    int32_t ruleCount = 0;
    std::array<RuleRecord, model::kMaxRules> rules;
};

bool boatAtLeft(const Task& task);

// -1 on the left bank, +1 on the right, otherwise destination (in the boat).
int placeOf(const Task& task, int index, int destination);
struct PlaySession;

// The check before the session's boat leaves for `destination`; a refusal shows its
// message and highlights.
bool checkCrossing(const PlaySession& session, int destination);
bool isGoalReached(const PlaySession& session);
// A character of the session's task; its drags follow the session's rules.
void createPlayCharacter(PlaySession& session, int i, int leftX, int leftY, int rightX, int rightY,
                         int weight, const char* name);

// The task as plain data (moves are added by the caller).
model::TaskData taskData(const Task& task);
// Both cut the words to what the task holds and show them under the river.
void setTitle(scene::Scene& scene, Task& task, const std::string& title);
void setStatement(scene::Scene& scene, Task& task, const std::string& statement);
// The labels under the river show the task's words as they now stand.
void showTaskWords(scene::Scene& scene, const Task& task);

}  // namespace puzzle
