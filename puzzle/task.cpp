#include "puzzle/task.hpp"

#include <vector>

#include "model/rule_check.hpp"
#include "puzzle/play.hpp"
#include "scene/character_picture.hpp"
#include "scene/river.hpp"
#include "scene/scene.hpp"
#include "ui/cp1251.hpp"
#include "ui/resources.hpp"

namespace puzzle {

using namespace ui;
using namespace scene;

bool boatAtLeft(const Task& task) { return task.position.boat == kLeftSide; }

int placeOf(const Task& task, int index, int destination) {
    return task.position.inBoat(index) ? destination : task.position.sideOf(index);
}

namespace {

void flyToItem(FlyingHighlight* highlight, const VisualItem* item) {
    if (highlight == nullptr || item == nullptr) return;
    highlight->width = 0;
    highlight->height = 0;
    highlight->fly(kCentreX, kCentreY, item->x - 2, item->y - 2, item->width + 4, item->height + 4);
}

void flyToBank(FlyingHighlight* highlight, const Box& bank) {
    highlight->width = 0;
    highlight->height = 0;
    highlight->fly(kCentreX, kCentreY, bank.x, bank.y, bank.width, bank.height);
}

}  // namespace

bool checkCrossing(const PlaySession& session, int destination) {
    const Task& task = session.task;
    const PlayState& play = session.play;
    Scene& scene = session.scene;
    const int count = task.characterCount;
    std::vector<uint64_t> kind(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        const ui::DragDropItem* item = task.characters[static_cast<size_t>(i)].item;
        kind[static_cast<size_t>(i)] = model::kindKey(item->nameHash, item->colour);
    }
    const std::span<const model::RuleData> rules(task.rules.data(), static_cast<size_t>(task.ruleCount));
    const model::CrossingVerdict verdict =
        model::judgeCrossing(task.position, kind, task.boatSettings.boatman, destination, rules);
    switch (verdict.verdict) {
        case model::Verdict::Allowed:
            return true;
        case model::Verdict::NobodyToRow:
            scene.showMessage("Некому управлять лодкой"_cp);
            return false;
        case model::Verdict::ForbiddenTogether:
            flyToItem(play.highlightA, task.characters[static_cast<size_t>(verdict.markA)].item);
            flyToItem(play.highlightB, task.characters[static_cast<size_t>(verdict.markB)].item);
            scene.showMessage("Эти персонажи не могут оставаться вместе"_cp);
            return false;
        case model::Verdict::Unbalanced:
            flyToBank(scene.bankHighlight, verdict.bank == kLeftSide ? kLeftBank : kRightBank);
            scene.showMessage("Нарушен количественный баланс персонажей"_cp);
            return false;
    }
    return false;
}

bool isGoalReached(const PlaySession& session) {
    return model::atGoal(session.task.position, session.play.opened);
}

void createPlayCharacter(PlaySession& session, int i, int leftX, int leftY, int rightX, int rightY,
                         int weight, const char* name) {
    CharacterRecord& c = session.task.characters[static_cast<size_t>(i)];
    c.item = new scene::CharacterPicture(leftX, leftY, name);
    c.item->id = i;
    c.item->onDragStart = [owner = &session](DragDropItem* item, int, int) {
        return onPlayDragStart(*owner, item);
    };
    c.item->onDrop = [owner = &session](DragDropItem* item, int, int) { onPlayDrop(*owner, item); };
    c.item->onDragOver = [owner = &session.task](DragDropItem*, VisualItem* other, int, int) {
        return onPlayDragOver(*owner, other);
    };
    // A task from another computer may name a picture this one lacks: a figure with a
    // question mark stands in, so the character can be seen, dragged and the task solved.
    // The name, and with it the kind and what saving writes, stays the task's own.
    c.pictureMissing = c.item->texture == nullptr;
    const char* picture = name;
    if (c.pictureMissing) {
        picture = kStandInPicture;
        c.item->texture = loadTexture(picture, &c.item->width, &c.item->height);
    }
    c.item->tintMask = loadTintMask(picture, c.item->texture);
    const std::string smallName = variantName(picture, "_small");
    c.smallPicture = loadTexture(smallName, nullptr, nullptr);
    c.smallTintMask = loadTintMask(smallName, c.smallPicture);
    c.name = name;
    c.leftX = leftX;
    c.leftY = leftY;
    c.rightX = rightX;
    c.rightY = rightY;
    c.weight = weight;
}

model::TaskData taskData(const Task& task) {
    model::TaskData data;
    data.title = task.title;
    data.statement = task.statement;
    data.boat = task.boatSettings.word();
    for (int i = 0; i < task.characterCount; ++i) {
        const CharacterRecord& c = task.characters[static_cast<size_t>(i)];
        model::CharacterData d;
        d.leftX = c.leftX;
        d.leftY = c.leftY;
        d.rightX = c.rightX;
        d.rightY = c.rightY;
        d.weight = c.weight;
        d.colour = c.item != nullptr ? c.item->colour : 0xFFFFFFFF;
        d.name = c.name;
        data.characters.push_back(d);
    }
    data.rules.assign(task.rules.begin(), task.rules.begin() + task.ruleCount);
    return data;
}

namespace {

void copyInto(char* buffer, size_t size, const std::string& text) {
    const size_t n = text.size() < size - 1 ? text.size() : size - 1;
    text.copy(buffer, n);
    buffer[n] = '\0';
}

}  // namespace

void setTitle(Scene& scene, Task& task, const std::string& title) {
    copyInto(task.title, sizeof task.title, title);
    showTaskWords(scene, task);
}

void setStatement(Scene& scene, Task& task, const std::string& statement) {
    copyInto(task.statement, sizeof task.statement, statement);
    showTaskWords(scene, task);
}

void showTaskWords(Scene& scene, const Task& task) { scene.showWords(task.title, task.statement); }

}  // namespace puzzle
