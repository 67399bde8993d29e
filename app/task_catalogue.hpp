// The catalogue of task files found in "tasks" and in the data folder.
#pragma once

#include "ui/button.hpp"

namespace app {

class TaskListBox;

void showTaskList();
// The catalogue's part of closing the screen.
void closeTaskList();
void openSelectedTask(ui::Button* button);
// Asks once, naming the task; pressed again on the same row, deletes its file.
void deleteSelectedTask(ui::Button* button);
// The question before deleting is dropped (another row was chosen).
void forgetDeleteQuestion();
// The open catalogue's list, or null.
TaskListBox* currentTaskList();

}  // namespace app
