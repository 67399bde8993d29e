#include "puzzle/play.hpp"

#include <cstdio>
#include <string>

#include "model/hint.hpp"
#include "model/task_key.hpp"
#include "platform/system.hpp"
#include "platform/types.hpp"
#include "puzzle/boat_load.hpp"
#include "puzzle/class_results.hpp"
#include "puzzle/hint.hpp"
#include "puzzle/move_list_box.hpp"
#include "puzzle/progress.hpp"
#include "puzzle/task.hpp"
#include "puzzle/win_plaque.hpp"
#include "scene/panel_layout.hpp"
#include "scene/river.hpp"
#include "ui/animation.hpp"
#include "ui/cp1251.hpp"
#include "ui/resources.hpp"
#include "ui/shell.hpp"

namespace puzzle {

using namespace ui;
using namespace scene;

namespace {

// On the winner's picture: the count of crossings and the close button.
constexpr scene::Box kMovesOnWinner{70, 50, 80, 40};
constexpr int kCloseOnWinnerX = 66, kCloseOnWinnerY = 96;

const CharacterRecord& recordOf(const Task& task, const VisualItem* item) {
    return task.characters[static_cast<size_t>(item->id)];
}

bool isCharacter(const Task& task, const VisualItem* item) {
    for (int i = 0; i < task.characterCount; ++i) {
        if (task.characters[static_cast<size_t>(i)].item == item) return true;
    }
    return false;
}

void putOnBank(const Task& task, VisualItem* item, bool left) {
    const CharacterRecord& c = recordOf(task, item);
    if (left) {
        item->moveTo(c.leftX, c.leftY);
    } else {
        item->moveTo(c.rightX, c.rightY);
    }
}

void hideTrail(FlyingHighlight* trail) { trail->visible = false; }

FlyingHighlight* makeCharacterHighlight() {
    FlyingHighlight* trail = new FlyingHighlight(kCentreX, kCentreY, 0, 0, 0, 0, 0xFFFFFF00);
    trail->holdTime = 3000;
    trail->onCycleEnd = hideTrail;
    trail->visible = false;
    return trail;
}

void setAlpha(VisualItem* item, uint32_t alpha) {
    auto* character = static_cast<DragDropItem*>(item);
    character->colour = (character->colour & 0x00FFFFFF) | (alpha << 24);
}

// A win that cannot be kept is said once for the file, not at every win after it.
void rememberWin(PlaySession& session, const model::TaskData& data) {
    PlayState& play = session.play;
    if (saveWin(model::taskKey(data), play.moveList->moveCount)) return;
    const std::string path = progressPath();
    if (path == session.unwritableProgress) return;
    session.unwritableProgress = path;
    std::fprintf(stderr, "ferrolin: %s: wins cannot be saved there\n", path.c_str());
    play.winNotKept = true;
}

void startWin(PlaySession& session) {
    PlayState& play = session.play;
    play.movesText->text = std::to_string(play.moveList->moveCount);
    const model::TaskData data = taskData(session.task);
    rememberWin(session, data);
    const std::optional<int> shortest = model::shortestCrossings(data);
    const int hints = hintsUsed(session.hint);
    recordClassWin(data, play.moveList->moveCount, shortest, hints);
    prepareWinPlaque(session.plaque, play.moveList->moveCount, shortest, hints, play.taskPath);
    bringToFront(play.winner);
    shell().items.modalFloor = play.winner->prev;
    play.winPending = true;
    FlyingHighlight* highlight = session.scene.bankHighlight;
    highlight->width = 0;
    highlight->height = 0;
    highlight->fly(play.winner->x + play.winner->width / 2, play.winner->y + play.winner->height / 2,
                   play.winner->x, play.winner->y, play.winner->width, play.winner->height);
}

// The passengers step ashore one after the other, each fading out of the boat and into
// its place on the bank; then the crossing counts.
void landPassengers(PlaySession& session, int direction, model::PassengerSet landed) {
    PlayState& play = session.play;
    InertPicture* boat = session.task.boat;
    if (boat->attached != nullptr) {
        VisualItem* passenger = detachFirst(boat);
        landed.set(static_cast<size_t>(passenger->id));
        fadeMove(session.task, passenger->id, direction);
        afterAnimations(
            [owner = &session, direction, landed] { landPassengers(*owner, direction, landed); });
        return;
    }
    play.moveList->append({landed, direction});
    play.moveList->scrollToEnd();
    setVisible(direction == 1 ? play.leftArrow : play.rightArrow, true);
    if (direction == 1 && isGoalReached(session)) startWin(session);
    shell().items.inputArmed = true;
}

void sail(PlaySession& session, int direction) {
    PlayState& play = session.play;
    // An undo can bring the boat to the arrow's bank while the pointer rests on it: the
    // press that follows must not send the boat to where it already is.
    if (boatAtLeft(session.task) != (direction == 1)) return;
    if (!checkCrossing(session, direction)) return;
    dismissHint(session.hint);
    shell().items.inputArmed = false;
    setVisible(direction == 1 ? play.rightArrow : play.leftArrow, false);
    // The position crosses first; the pictures then follow it.
    model::cross(session.task.position, direction, play.opened);
    // The boat climbs the drawn river as it goes right and sinks back as it comes left.
    Animation crossing;
    crossing.periodMs = 10;
    InertPicture* boat = session.task.boat;
    crossing.hasFrame = [direction, boat](int) {
        return direction == 1 ? boat->x < kRightStationX : boat->x > kLeftStationX;
    };
    crossing.showFrame = [direction, boat](int) {
        if (direction == 1) {
            const bool climbing = boat->x >= kClimbLeft && boat->x + 2 <= kClimbRight;
            boat->moveBy(2, climbing ? -1 : 0);
        } else {
            const bool sinking = boat->x - 2 >= kClimbLeft && boat->x <= kClimbRight;
            boat->moveBy(-2, sinking ? 1 : 0);
        }
    };
    animate(std::move(crossing));
    afterAnimations([owner = &session, direction] { landPassengers(*owner, direction, {}); });
}

}  // namespace

int passengerWeight(const Task& task) { return static_cast<int>(task.position.load); }

void buildPlayScreen(PlaySession& session, NextTask next) {
    PlayState& play = session.play;
    Scene& scenery = session.scene;
    play = PlayState{};
    const scene::Box area = scene::panelListWithoutButtons(scenery);
    play.moveList = new MoveListBox(area.x, area.y, area.width, area.height, session.task);
    play.moveList->upArrow = scenery.upArrow;
    play.moveList->downArrow = scenery.downArrow;
    play.undoButton = new Button(0, 0, scene::kListRowWidth, scene::kListRowHeight, "Отменить ход"_cp);
    play.undoButton->overlayColours = {0, 0x60FFFFFF, 0x60FFFF00};
    play.undoButton->visible = false;
    play.undoButton->onClick = [owner = &session](Button*) { undoMove(*owner); };
    play.moveList->undoButton = play.undoButton;
    scenery.attachToPanel(play.undoButton);
    scenery.attachToPanel(play.moveList);
    scenery.woodPanel->visible = true;

    play.rightArrow = new PressablePicture(kSailRightX, kSailRightY, "textures/arrow_right.tga");
    play.rightArrow->colour = 0x50FFFFFF;
    play.rightArrow->hoverColour = 0xFFFFFFFF;
    play.rightArrow->onClick = [owner = &session](PressablePicture*) { sail(*owner, 1); };
    play.leftArrow = new PressablePicture(kSailLeftX, kSailLeftY, "textures/arrow_left.tga");
    play.leftArrow->colour = 0x50FFFFFF;
    play.leftArrow->hoverColour = 0xFFFFFFFF;
    play.leftArrow->onClick = [owner = &session](PressablePicture*) { sail(*owner, -1); };
    play.leftArrow->visible = false;

    play.winner = new DragDropItem(kWinnerX, kWinnerY, "textures/winner.tga");
    play.winner->hoverColour = play.winner->activeColour = play.winner->colour;
    play.movesText =
        new TextItem(kWinnerX + kMovesOnWinner.x, kWinnerY + kMovesOnWinner.y, kMovesOnWinner.width,
                     kMovesOnWinner.height, "", shell().fonts.large, 0xFFFFFFFF);
    play.closeButton = new PressablePicture(kWinnerX + kCloseOnWinnerX, kWinnerY + kCloseOnWinnerY,
                                            "textures/btn_close.tga");
    play.closeButton->colour = 0xCCFFFFFF;
    play.closeButton->hoverColour = 0xFFFFFFFF;
    play.closeButton->onClick = [owner = &session](PressablePicture*) { closeWinner(*owner); };
    play.winner->attached = play.movesText;
    play.movesText->attached = play.closeButton;
    buildWinPlaque(session.plaque, play.winner, std::move(next));
    setVisible(play.winner, false);

    play.highlightA = makeCharacterHighlight();
    play.highlightB = makeCharacterHighlight();
    buildHint(session);
    play.loadLabel = new BoatLoadLabel(session.task);
    // Messages keep to the river, off the move list's board and the hint button.
    scenery.messagePopup->areaLeft = kRiverTextLeft;
    scenery.messagePopup->areaRight = kRiverTextRight;
}

void closePlayScreen(PlaySession& session) {
    PlayState& play = session.play;
    Task& task = session.task;
    for (int i = 0; i < task.characterCount; ++i) {
        CharacterRecord& c = task.characters[static_cast<size_t>(i)];
        c.smallPicture.reset();
        c.smallTintMask.reset();
        delete c.item;
        c.item = nullptr;
        c.name.clear();
    }
    // The passengers were destroyed above; the boat must not lead to them any more.
    if (task.boat != nullptr) task.boat->attached = nullptr;
    session.scene.detachPanelItems();
    closeWinPlaque(session.plaque);
    delete play.undoButton;
    delete play.rightArrow;
    delete play.leftArrow;
    delete play.moveList;
    delete play.winner;
    delete play.movesText;
    delete play.closeButton;
    delete play.highlightA;
    delete play.highlightB;
    closeHint(session.hint);
    delete play.loadLabel;
    session.scene.messagePopup->areaLeft = 0;
    session.scene.messagePopup->areaRight = platform::kScreenWidth;
    play = PlayState{};
    delete task.boat;
    task.boat = nullptr;
    task.boatSettings = model::BoatSettings{};
    task.position = model::Position{};
    task.characterCount = 0;
    task.ruleCount = 0;
}

bool onPlayDragStart(PlaySession& session, DragDropItem* item) {
    PlayState& play = session.play;
    Task& task = session.task;
    const int i = item->id;
    if (task.position.inBoat(i)) {
        // A passenger leaves the boat: the ones to its right close the gap.
        task.position.leaveBoat(i, recordOf(task, item).weight);
        play.origin = 0;
        for (VisualItem* p = task.boat; p->attached != nullptr; p = p->attached) {
            if (p->attached != item) continue;
            p->attached = item->attached;
            item->attached = nullptr;
            if (p->attached != nullptr) p->attached->moveBy(-(item->width / 2 + 1), 0);
            break;
        }
        return true;
    }
    // Only those on the boat's bank may be taken: wherever their pictures stand.
    play.origin = task.position.sideOf(i);
    return play.origin == task.position.boat;
}

bool onPlayDragOver(Task& task, VisualItem* other) {
    if (other == task.boat) {
        task.boat->state = ui::Hovered;
        return true;
    }
    if (isCharacter(task, other)) return false;
    task.boat->state = ui::Idle;
    return true;
}

void onPlayDrop(PlaySession& session, DragDropItem* item) {
    const PlayState& play = session.play;
    Task& task = session.task;
    InertPicture* boat = task.boat;
    boat->state = ui::Idle;
    const int i = item->id;
    const int weight = recordOf(task, item).weight;
    // A tap names its character rather than a place: one on the bank means "into the
    // boat", one on a passenger "back ashore". Either then takes the way a drop would.
    const bool intoBoat = item->tapped ? play.origin != 0 : intersects(item, boat);
    if (intoBoat && task.position.mayBoard(i, weight, task.boatSettings.capacity)) {
        task.position.board(i, weight);
        if (boat->attached != nullptr) {
            item->x = boat->attached->x - item->width / 2 - 1;
            boat->attached->moveBy(item->width / 2 + 1, 0);
        } else {
            item->x = boat->x + (boat->width - item->width) / 2 - 10;
        }
        item->y = boat->y + boat->height - item->height - 30;
        attachAfter(boat, item);
        return;
    }
    // Asked into the boat and refused, by a tap or by a drag alike, the pupil is told why;
    // only someone on the boat's bank can be refused for the load.
    if (intoBoat && task.position.sideOf(i) == task.position.boat)
        explainRefusedBoarding(session.scene, task, weight);
    putOnBank(task, item, task.position.sideOf(i) == kLeftSide);
}

void playKeyDown(PlaySession& session, platform::Key key, bool ctrl) {
    const PlayState& play = session.play;
    if (ctrl && key == platform::Key::Z) {
        undoMove(session);
    } else if (!ctrl && key == platform::Key::H) {
        showHint(session);
    } else if (!ctrl && (key == platform::Key::Enter || key == platform::Key::Space)) {
        // The arrow that is up is the one a click would find: the crossing away from the
        // boat's bank.
        if (play.rightArrow != nullptr && play.rightArrow->visible) {
            sail(session, 1);
        } else if (play.leftArrow != nullptr && play.leftArrow->visible) {
            sail(session, -1);
        }
    }
}

void fadeMove(Task& task, int character, int side) {
    // 15 frames out, the move, 15 frames in, in steps of 17 of the alpha. The colour's own
    // alpha comes from the task file, is part of the character's kind and goes back into a
    // saved solution: the fade ends on it, not on opaque.
    constexpr int kFadeFrames = 15;
    const uint32_t full = task.characters[static_cast<size_t>(character)].item->colour >> 24;
    Animation fade;
    fade.periodMs = 20;
    fade.pauseFirst = true;
    fade.hasFrame = [](int frame) { return frame < 2 * kFadeFrames; };
    fade.showFrame = [owner = &task, character, side, full](int frame) {
        VisualItem* item = owner->characters[static_cast<size_t>(character)].item;
        if (frame < kFadeFrames) {
            setAlpha(item, full * static_cast<uint32_t>(238 - 17 * frame) / 255);
            return;
        }
        if (frame == kFadeFrames) putOnBank(*owner, item, side != kRightSide);
        setAlpha(item, full * static_cast<uint32_t>(17 * (frame - kFadeFrames + 1)) / 255);
    };
    animate(std::move(fade));
}

void applyMove(PlaySession& session, const model::MoveData& move, int direction) {
    PlayState& play = session.play;
    Task& task = session.task;
    // Replaying a move (+1) restores the position after it, undoing (-1) the one before.
    const bool toRight = direction == move.direction;
    const int side = toRight ? kRightSide : kLeftSide;
    for (int i = 0; i < task.characterCount; ++i) {
        if (!move.mask.test(static_cast<size_t>(i))) continue;
        model::putOnBank(task.position, i, side, play.opened);
        putOnBank(task, task.characters[static_cast<size_t>(i)].item, !toRight);
    }
    task.position.boat = side;
    if (toRight) {
        task.boat->moveTo(kRightStationX, kRightStationY);
    } else {
        task.boat->moveTo(kLeftStationX, kLeftStationY);
    }
    play.rightArrow->visible = !toRight;
    play.leftArrow->visible = toRight;
}

namespace {

void undoBehindBlinds(PlaySession& session) {
    PlayState& play = session.play;
    if (play.moveList == nullptr || play.moveList->moveCount == 0) return;
    Task& task = session.task;
    dismissHint(session.hint);
    play.origin = 0;
    while (task.boat->attached != nullptr) {
        VisualItem* passenger = detachFirst(task.boat);
        task.position.leaveBoat(passenger->id, recordOf(task, passenger).weight);
        task.boat->state = ui::Idle;
        putOnBank(task, passenger, boatAtLeft(task));
    }
    applyMove(session, play.moveList->moves[static_cast<size_t>(play.moveList->moveCount - 1)], -1);
    play.moveList->removeLast();
    play.moveList->scrollToEnd();
    session.scene.openBlinds();
}

}  // namespace

void undoMove(PlaySession& session) {
    const PlayState& play = session.play;
    if (play.moveList == nullptr || play.moveList->moveCount == 0) return;
    session.scene.closeBlinds();
    afterAnimations([owner = &session] { undoBehindBlinds(*owner); });
}

void closeWinner(PlaySession& session) {
    PlayState& play = session.play;
    setVisible(play.winner, false);
    shell().items.modalFloor = nullptr;
    if (play.winNotKept) {
        play.winNotKept = false;
        session.scene.showMessage("Твои победы не удаётся сохранить:\nфайл progress.txt недоступен"_cp);
    }
}

void revealWinner(PlayState& play) {
    // The bank highlight also ends after a refused crossing, possibly while the menu holds
    // the modal floor: only a flight started by a win may show the picture.
    if (!play.winPending || play.winner == nullptr) return;
    play.winPending = false;
    if (shell().items.modalFloor == nullptr) shell().items.modalFloor = play.winner->prev;
    setVisible(play.winner, true);
}

}  // namespace puzzle
