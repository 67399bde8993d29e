#include "app/task_catalogue.hpp"

#include "app/pupil_name_form.hpp"
#include "app/screens.hpp"
#include "app/solved_marks.hpp"
#include "app/task_list_box.hpp"
#include "puzzle/class_results.hpp"
#include "puzzle/screen_mode.hpp"
#include "puzzle/task.hpp"
#include "puzzle/task_files.hpp"
#include "ui/cp1251.hpp"
#include "ui/panel_layout.hpp"
#include "ui/screen_items.hpp"

namespace app {

using namespace ui;

namespace {

TaskListBox* taskList = nullptr;

}  // namespace

// The list and its buttons on the panel.
void fillTaskList();

TaskListBox* currentTaskList() { return taskList; }

void showTaskList() {
    puzzle::screenMode = puzzle::CatalogueScreen;
    screenItems.woodPanel->moveTo(365, 105);
    puzzle::task.title[0] = '\0';
    puzzle::task.statement[0] = '\0';
    if (puzzle::pupilNameWanted()) {
        showPupilNameForm(fillTaskList);
    } else {
        fillTaskList();
    }
}

void fillTaskList() {
    reloadSolvedMarks();
    const PanelBox area = panelList();
    taskList = new TaskListBox(area.x, area.y, area.width, area.height);
    taskList->upArrow = screenItems.upArrow;
    taskList->downArrow = screenItems.downArrow;
    screenItems.buttons[0] = makePanelButton(0, "Открыть"_cp, openSelectedTask);
    screenItems.buttons[1] = makePanelButton(1, "Удалить"_cp, deleteSelectedTask);
    attachToPanel(screenItems.buttons[1]);
    attachToPanel(screenItems.buttons[0]);
    attachToPanel(taskList);
    screenItems.woodPanel->visible = true;
}

void closeTaskList() {
    closePupilNameForm();
    detachPanelItems();
    screenItems.woodPanel->moveTo(705, 320);
    for (Button*& button : screenItems.buttons) {
        delete button;
        button = nullptr;
    }
    delete taskList;
    taskList = nullptr;
    releaseSolvedMarks();
}

void openSelectedTask(Button*) {
    if (taskList == nullptr) return;
    if (taskList->selectedRow < 0) {
        showMessage("Сначала выберите задачу"_cp);
        return;
    }
    // The path outlives the list, which closes with the catalogue.
    const std::string path = taskList->entries[static_cast<size_t>(taskList->selectedRow)].path();
    if (!openTask(path)) showMessage("Ошибка открытия файла"_cp);
}

void deleteSelectedTask(Button*) {
    if (taskList == nullptr) return;
    if (taskList->selectedRow < 0) {
        showMessage("Сначала выберите задачу для удаления"_cp);
        return;
    }
    if (!taskList->removeSelectedEntry()) showMessage("Эту задачу нельзя удалить"_cp);
}

}  // namespace app
