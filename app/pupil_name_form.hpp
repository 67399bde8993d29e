// Asked once, on the catalogue's panel, where a class folder is set: the name under which
// the pupil's wins reach the teacher, filled in with the computer account's name so a
// pupil with an account of their own only confirms it.
#pragma once

namespace app {

// Shows the question on the wood panel; `then` runs once the pupil has answered.
void showPupilNameForm(void (*then)());
// Takes the question off the panel (the screen closes); nothing when it is not shown.
void closePupilNameForm();
bool pupilNameFormShown();
// Enter in the name box: the same as «Готово».
void submitPupilNameForm();

}  // namespace app
