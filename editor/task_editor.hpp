// The six-step task editor: statement, boat, characters, goal places, rules, saving.
#pragma once

#include <cstdint>

#include "ui/button.hpp"

namespace editor {

extern int32_t editorStep;

void openEditor();
// Leaves the current step and enters step s (-1 only leaves); 1 when Next is shown.
int goToStep(int s);
void goBack(ui::Button* button);
void goNext(ui::Button* button);
// The editor's branch of the bank highlight's end: the edit boxes of step 0.
void onEditorHighlightDone();
// The editor's part of closing the screen (goToStep(-1), characters, lists, buttons).
void closeEditorScreen();

}  // namespace editor
