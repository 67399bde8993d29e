#include "puzzle/hint.hpp"

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "model/hint.hpp"
#include "puzzle/move_list_box.hpp"
#include "puzzle/play.hpp"
#include "puzzle/task.hpp"
#include "scene/river.hpp"
#include "scene/scene.hpp"
#include "ui/cp1251.hpp"
#include "ui/flying_highlight.hpp"
#include "ui/shell.hpp"

namespace puzzle {

using namespace ui;
using namespace scene;

namespace {

// The pointers fly out of the button's middle.
constexpr int kButtonMiddle = 30;
constexpr uint32_t kBoardColour = 0xFFFFFF00;
constexpr uint32_t kTakeOutColour = 0xFFFF0000;
constexpr uint32_t kArrowUnlit = 0x50FFFFFF;
constexpr uint32_t kFlightGap = 150;  // ms between the pointers' starts

void unlightArrow(HintState& hint) {
    if (hint.litArrow != nullptr) hint.litArrow->colour = kArrowUnlit;
    hint.litArrow = nullptr;
}

void pointerDone(HintState& hint, FlyingHighlight* trail) {
    trail->visible = false;
    // The arrow's pointer is the last to land and the last to go.
    bool anyLeft = false;
    for (const FlyingHighlight* p : hint.pointers) anyLeft = anyLeft || p->visible;
    if (!anyLeft) unlightArrow(hint);
}

void pointAt(HintState& hint, size_t slot, const VisualItem* item, uint32_t colour) {
    while (hint.pointers.size() <= slot) {
        FlyingHighlight* trail = new FlyingHighlight(0, 0, 0, 0, 0, 0, colour);
        trail->holdTime = 3000;
        trail->onCycleEnd = [owner = &hint](FlyingHighlight* done) { pointerDone(*owner, done); };
        trail->visible = false;
        hint.pointers.push_back(trail);
    }
    FlyingHighlight* trail = hint.pointers[slot];
    trail->colour = colour;
    trail->width = trail->height = 0;
    trail->fly(scene::kHintButtonX + kButtonMiddle, scene::kHintButtonY + kButtonMiddle, item->x - 2,
               item->y - 2, item->width + 4, item->height + 4, static_cast<uint32_t>(slot) * kFlightGap);
}

model::Position positionOnScreen(const Task& task) {
    model::Position at;
    at.boat = boatAtLeft(task) ? kLeftSide : kRightSide;
    at.bank.assign(static_cast<size_t>(task.characterCount), 0);
    for (int i = 0; i < task.characterCount; ++i) {
        // Someone neither at the start nor at the goal place sits in the boat.
        at.bank[static_cast<size_t>(i)] = static_cast<int8_t>(placeOf(task, i, 0));
    }
    return at;
}

std::string crossingMessage(const model::Hint& h) {
    std::string text;
    if (h.takeOut.size() == 1) text += "Высади из лодки того, кто в красной рамке.\n"_cp;
    if (h.takeOut.size() > 1) text += "Высади из лодки тех, кто в красных рамках.\n"_cp;
    if (h.board.size() == 1) text += "Посади в лодку того, кто в жёлтой рамке.\n"_cp;
    if (h.board.size() > 1) text += "Посади в лодку тех, кто в жёлтых рамках.\n"_cp;
    text += text.empty() ? "Нажми на стрелку."_cp : "Потом нажми на стрелку."_cp;
    return text + " " + "До победы переправ: "_cp + std::to_string(h.crossingsLeft);
}

}  // namespace

void buildHint(PlaySession& session) {
    HintState& hint = session.hint;
    hint = HintState{};
    hint.button =
        new PressablePicture(scene::kHintButtonX, scene::kHintButtonY, "textures/btn_hint.tga");
    hint.button->colour = 0xE0FFFFFF;
    hint.button->hoverColour = 0xFFFFFFFF;
    hint.button->onClick = [owner = &session](PressablePicture*) { showHint(*owner); };
}

void closeHint(HintState& hint) {
    delete hint.button;
    for (FlyingHighlight* trail : hint.pointers) delete trail;
    hint = HintState{};
}

int hintsUsed(const HintState& hint) { return hint.used; }

void dismissHint(HintState& hint) {
    unlightArrow(hint);
    for (FlyingHighlight* trail : hint.pointers) trail->visible = false;
}

void showHint(PlaySession& session) {
    HintState& hint = session.hint;
    const PlayState& play = session.play;
    scene::Scene& scene = session.scene;
    const Task& task = session.task;
    // The menu and the winner picture hold the modal floor: nothing to hint under them.
    if (hint.button == nullptr || !shell().items.inputArmed || shell().items.pressHeld ||
        play.winPending || shell().items.modalFloor != nullptr)
        return;
    const model::Position at = positionOnScreen(task);
    if (!hint.askedAt || hint.askedAt->bank != at.bank || hint.askedAt->boat != at.boat) ++hint.used;
    hint.askedAt = at;
    dismissHint(hint);

    const model::Hint h = model::hintFor(taskData(task), at);
    switch (h.kind) {
        case model::HintKind::Cross: {
            size_t slot = 0;
            for (const int i : h.takeOut)
                pointAt(hint, slot++, task.characters[static_cast<size_t>(i)].item, kTakeOutColour);
            for (const int i : h.board)
                pointAt(hint, slot++, task.characters[static_cast<size_t>(i)].item, kBoardColour);
            PressablePicture* arrow = h.direction > 0 ? play.rightArrow : play.leftArrow;
            if (arrow != nullptr && h.direction != 0) {
                arrow->colour = 0xFFFFFFFF;
                hint.litArrow = arrow;
                pointAt(hint, slot, arrow, kBoardColour);
            }
            scene.showMessage(crossingMessage(h));
            break;
        }
        case model::HintKind::StuckHere:
            if (play.undoButton != nullptr && play.undoButton->visible)
                pointAt(hint, 0, play.undoButton, kBoardColour);
            scene.showMessage("Отсюда до победы не добраться.\nОтмени ход и попробуй по-другому"_cp);
            break;
        case model::HintKind::NoSolution:
            scene.showMessage("У этой задачи нет решения:\nвсех перевезти нельзя"_cp);
            break;
        case model::HintKind::TooBig:
            scene.showMessage("Задача слишком большая,\nподсказка не успевает её решить"_cp);
            break;
    }
}

}  // namespace puzzle
