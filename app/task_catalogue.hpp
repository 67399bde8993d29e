// The catalogue of task files found in "tasks" and in the data folder.
#pragma once

#include "ui/button.hpp"

namespace app {

class TaskListBox;

void showTaskList();
// The catalogue's part of closing the screen.
void closeTaskList();
void openSelectedTask(ui::Button* button);
void deleteSelectedTask(ui::Button* button);
// The open catalogue's list, or null.
TaskListBox* currentTaskList();

}  // namespace app
