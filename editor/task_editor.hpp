// The six-step task editor: statement, boat, characters, goal places, rules, saving.
#pragma once

#include <cstdint>
#include <string>

#include "puzzle/task.hpp"
#include "scene/scene.hpp"
#include "ui/button.hpp"
#include "ui/pressable_picture.hpp"
#include "ui/spin.hpp"
#include "ui/text_item.hpp"

namespace platform {
class EditBox;
}

namespace editor {

class CharacterPalette;
class RuleListBox;

// The wizard's steps in their order; back and next move by one, so the current step is
// kept as a plain number.
enum EditorStep : int32_t {
    NoStep = -1,
    StatementStep = 0,
    BoatStep = 1,
    CharactersStep = 2,
    GoalPlacesStep = 3,
    RulesStep = 4,
    FinishStep = 5,
};
// The boat step's check box and spin: they set `task`'s boat.
void toggleBoatman(puzzle::Task& task, ui::PressablePicture* checkBox);
void setCapacity(puzzle::Task& task, ui::Spin* spin);

// The editor's items; the step items exist only while their step is shown.
struct EditorItems {
    CharacterPalette* characterList = nullptr;
    RuleListBox* ruleList = nullptr;
    ui::TextItem* stepTitle = nullptr;
    ui::TextItem* stepHint = nullptr;
    ui::Button* backButton = nullptr;
    ui::Button* nextButton = nullptr;
    // Step 0 only, from the end of its flight.
    platform::EditBox* titleEdit = nullptr;
    platform::EditBox* statementEdit = nullptr;
    // Step 1 only.
    ui::Checkbox* boatmanBox = nullptr;
    ui::Spin* capacitySpin = nullptr;
    // Step 5: what the solver found for the task as composed.
    ui::TextItem* verdictLabel = nullptr;
};

// What the finishing step found for the task as composed.
struct FinishState {
    std::string verdict;  // the label's text
    std::string message;  // the hint after Done
    bool unsolvable = false;
    bool asked = false;     // Done was pressed once on a task without a solution
    bool goalless = false;  // someone has no place on the right bank yet
};

// Where the dragged character stood when its current drag began.
struct GrabPosition {
    int x = 0;
    int y = 0;
};

// The editor while it is open. The editor screen owns it: making it opens the editor at
// the statement step, destroying it takes away what the editor built (the task composed,
// its characters and boat, lists, buttons). The editor's functions and its items'
// callbacks work on it.
struct EditorSession {
    explicit EditorSession(scene::Scene& scenery);
    ~EditorSession();
    EditorSession(const EditorSession&) = delete;
    EditorSession& operator=(const EditorSession&) = delete;

    // The scenery the editor stands on, the app's: it outlives the session.
    scene::Scene& scene;

    puzzle::Task task;
    EditorItems items;
    int32_t step = NoStep;
    GrabPosition grab;
    FinishState finish;
};

// Leaves the current step and enters step s (NoStep only leaves); 1 when Next is shown.
int goToStep(EditorSession& session, int s);
// The editor's branch of the bank highlight's end: the edit boxes of step 0.
void onEditorHighlightDone(EditorSession& session);

// The finishing step: the solver's verdict shown on entry, taken away on leaving;
// finishTask is the press on Done.
void enterFinishStep(EditorSession& session);
void leaveFinishStep(EditorSession& session);
void finishTask(EditorSession& session);
ui::TextItem* makeVerdictLabel(const scene::Scene& scene);

}  // namespace editor
