// The six-step task editor: statement, boat, characters, goal places, rules, saving.
#pragma once

#include <cstdint>

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
extern int32_t editorStep;

void openEditor();
// Leaves the current step and enters step s (NoStep only leaves); 1 when Next is shown.
int goToStep(int s);
void goBack(ui::Button* button);
void goNext(ui::Button* button);
// The editor's branch of the bank highlight's end: the edit boxes of step 0.
void onEditorHighlightDone();
// The editor's part of closing the screen (goToStep(-1), characters, lists, buttons).
void closeEditorScreen();

// The finishing step: the solver's verdict shown on entry, taken away on leaving;
// finishTask is the press on Done.
void enterFinishStep();
void leaveFinishStep();
void finishTask();
ui::TextItem* makeVerdictLabel();

// The boat step's check box and spin.
void toggleBoatman(ui::PressablePicture* checkBox);
void setCapacity(ui::Spin* spin);

// The editor's items, null while the editor is closed.
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
extern EditorItems editorItems;

}  // namespace editor
