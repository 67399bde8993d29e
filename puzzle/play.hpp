// The play screen: boarding, sailing with the rule check, landing, the move list, undo
// and the winner picture.
#pragma once

#include <cstdint>
#include <string>

#include "model/task_data.hpp"
#include "platform/events.hpp"
#include "puzzle/hint.hpp"
#include "puzzle/task.hpp"
#include "puzzle/win_plaque.hpp"
#include "scene/scene.hpp"
#include "ui/button.hpp"
#include "ui/drag_drop_item.hpp"
#include "ui/flying_highlight.hpp"
#include "ui/pressable_picture.hpp"
#include "ui/text_item.hpp"

namespace puzzle {

class MoveListBox;

// Play's items, null while no play screen is open.
struct PlayState {
    MoveListBox* moveList = nullptr;
    ui::Button* undoButton = nullptr;
    ui::PressablePicture* rightArrow = nullptr;
    ui::PressablePicture* leftArrow = nullptr;
    ui::DragDropItem* winner = nullptr;
    ui::TextItem* movesText = nullptr;
    ui::PressablePicture* closeButton = nullptr;
    ui::FlyingHighlight* highlightA = nullptr;
    ui::FlyingHighlight* highlightB = nullptr;
    // Where the dragged character came from: -1 left bank, +1 right bank, 0 the boat.
    int origin = 0;
    // The win's flight is under way; only its end shows the winner picture.
    bool winPending = false;
    // The win could not be saved: said when the winner picture closes, not under it.
    bool winNotKept = false;
    ui::TextItem* loadLabel = nullptr;
    // The file the task was read from: the winner's next task is the one after it.
    std::string taskPath;
    // The task as opened: its places and weights move the position.
    model::TaskData opened;
};

// A task being played. The play screen owns it; play's functions and its items'
// callbacks work on it, so nothing of it outlives the screen.
struct PlaySession {
    // Both are the app's and outlive the session: the scenery play stands on, and the
    // progress file last found unwritable, said once for the whole run rather than once
    // a session.
    PlaySession(scene::Scene& scenery, std::string& unwritableProgress)
        : scene(scenery), unwritableProgress(unwritableProgress) {}
    PlaySession(const PlaySession&) = delete;
    PlaySession& operator=(const PlaySession&) = delete;

    scene::Scene& scene;
    std::string& unwritableProgress;
    Task task;
    PlayState play;
    HintState hint;
    WinPlaque plaque;
};

// Every item of the play screen; called before the task is read. `next` leads from the
// winner picture to the next task.
void buildPlayScreen(PlaySession& session, NextTask next);
// Destroys the characters, the boat and the play screen's items.
void closePlayScreen(PlaySession& session);

bool onPlayDragStart(PlaySession& session, ui::DragDropItem* item);
bool onPlayDragOver(Task& task, ui::VisualItem* other);
void onPlayDrop(PlaySession& session, ui::DragDropItem* item);

// The keys of play, for when play alone takes input (no menu, no winner picture, no
// press held): Ctrl+Z undoes the last crossing, Enter and Space send the boat.
void playKeyDown(PlaySession& session, platform::Key key, bool ctrl);
// The total weight of the boat's passengers.
int passengerWeight(const Task& task);

void undoMove(PlaySession& session);
void closeWinner(PlaySession& session);
// direction equal to the move's: the position after it; opposite: before it.
void applyMove(PlaySession& session, const model::MoveData& move, int direction);
void fadeMove(Task& task, int character, int side);
// The end of the win's flight: shows the winner picture.
void revealWinner(PlayState& play);

}  // namespace puzzle
