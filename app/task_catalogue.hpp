// The catalogue of task files found in "tasks" and in the data folder.
#pragma once

namespace app {

void showTaskList();
// The catalogue's part of closing the screen.
void closeTaskList();

}  // namespace app
