#include "app/task_catalogue.hpp"

#include "app/screens.hpp"
#include "app/solved_marks.hpp"
#include "app/task_list_box.hpp"
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

TaskListBox* currentTaskList() { return taskList; }

void showTaskList() {
    puzzle::screenMode = puzzle::CatalogueScreen;
    woodPanel->moveTo(365, 105);
    puzzle::task.title[0] = '\0';
    puzzle::task.statement[0] = '\0';
    reloadSolvedMarks();
    const PanelBox area = panelList();
    taskList = new TaskListBox(area.x, area.y, area.width, area.height);
    taskList->upArrow = upArrow;
    taskList->downArrow = downArrow;
    screenButtons[0] = makePanelButton(0, "Открыть"_cp, openSelectedTask);
    screenButtons[1] = makePanelButton(1, "Удалить"_cp, deleteSelectedTask);
    attachToPanel(screenButtons[1]);
    attachToPanel(screenButtons[0]);
    attachToPanel(taskList);
    woodPanel->visible = true;
}

void closeTaskList() {
    detachPanelItems();
    woodPanel->moveTo(705, 320);
    for (Button*& button : screenButtons) {
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
    if (!openSolutionFile(path)) showMessage("Ошибка открытия файла"_cp);
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
