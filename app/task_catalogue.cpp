#include "app/task_catalogue.hpp"

#include <string>

#include "app/game.hpp"
#include "app/pupil_name_form.hpp"
#include "app/screens.hpp"
#include "app/solved_marks.hpp"
#include "app/task_list_box.hpp"
#include "platform/types.hpp"
#include "puzzle/class_results.hpp"
#include "puzzle/task.hpp"
#include "puzzle/task_files.hpp"
#include "scene/panel_layout.hpp"
#include "scene/river.hpp"
#include "scene/screen_items.hpp"
#include "ui/cp1251.hpp"

namespace app {

using namespace ui;
using namespace scene;

namespace {

// Messages keep to the left of the panel, on a plate: over the rows they would hide the very
// task the delete question names.
constexpr int kMessageLeft = 12;
constexpr int kMessageRight = kCataloguePanelX - 12;

void placeMessages(bool besidePanel) {
    if (PopupMessage* popup = screenItems.messagePopup) {
        popup->areaLeft = besidePanel ? kMessageLeft : 0;
        popup->areaRight = besidePanel ? kMessageRight : platform::kScreenWidth;
        popup->plated = besidePanel;
    }
}

CatalogueScreen* openCatalogue() { return dynamic_cast<CatalogueScreen*>(game().screen.get()); }

}  // namespace

void CatalogueScreen::forgetDeleteQuestion() {
    deleteAsked = -1;
    if (taskList != nullptr && screenItems.buttons[1] != nullptr)
        screenItems.buttons[1]->text = "Удалить"_cp;
}

void forgetDeleteQuestion() {
    if (CatalogueScreen* catalogue = openCatalogue()) catalogue->forgetDeleteQuestion();
}

TaskListBox* currentTaskList() {
    const CatalogueScreen* catalogue = openCatalogue();
    return catalogue != nullptr ? catalogue->taskList : nullptr;
}

CatalogueScreen::CatalogueScreen() {
    screenItems.woodPanel->moveTo(kCataloguePanelX, kCataloguePanelY);
    puzzle::setTitle("");
    puzzle::setStatement("");
    placeMessages(true);
    if (puzzle::pupilNameWanted()) {
        nameForm = std::make_unique<PupilNameForm>([this] {
            nameForm.reset();
            fill();
        });
    } else {
        fill();
    }
}

void CatalogueScreen::keyDown(platform::Key key, bool) {
    if (key == platform::Key::Enter && nameForm) nameForm->submit();
}

bool pupilNameFormShown() {
    const CatalogueScreen* catalogue = openCatalogue();
    return catalogue != nullptr && catalogue->nameForm != nullptr;
}

void CatalogueScreen::fill() {
    reloadSolvedMarks();
    const Box area = panelList();
    taskList = new TaskListBox(area.x, area.y, area.width, area.height);
    taskList->upArrow = screenItems.upArrow;
    taskList->downArrow = screenItems.downArrow;
    screenItems.buttons[0] = makePanelButton(0, "Открыть"_cp, [this](Button*) { openSelected(); });
    screenItems.buttons[1] = makePanelButton(1, "Удалить"_cp, [this](Button*) { deleteSelected(); });
    attachToPanel(screenItems.buttons[1]);
    attachToPanel(screenItems.buttons[0]);
    attachToPanel(taskList);
    screenItems.woodPanel->visible = true;
}

CatalogueScreen::~CatalogueScreen() {
    forgetDeleteQuestion();
    nameForm.reset();
    placeMessages(false);
    detachPanelItems();
    screenItems.woodPanel->moveTo(kPanelX, kPanelY);
    for (Button*& button : screenItems.buttons) {
        delete button;
        button = nullptr;
    }
    delete taskList;
    taskList = nullptr;
    releaseSolvedMarks();
}

void openSelectedTask(Button*) {
    if (CatalogueScreen* catalogue = openCatalogue()) catalogue->openSelected();
}

void CatalogueScreen::openSelected() {
    if (taskList == nullptr) return;
    if (taskList->selectedRow < 0) {
        showMessage("Сначала выберите задачу"_cp);
        return;
    }
    // The path outlives the list, which closes with the catalogue.
    const std::string path = taskList->entries[static_cast<size_t>(taskList->selectedRow)].path();
    forgetDeleteQuestion();
    if (!openTask(path)) showMessage("Ошибка открытия файла"_cp);
}

void CatalogueScreen::deleteSelected() {
    if (taskList == nullptr) return;
    if (taskList->selectedRow < 0) {
        showMessage("Сначала выберите задачу для удаления"_cp);
        return;
    }
    // A file deleted cannot come back: the button asks once, naming the task.
    if (deleteAsked != taskList->selectedRow) {
        deleteAsked = taskList->selectedRow;
        showMessage("Удалить задачу «"_cp + taskList->entries[static_cast<size_t>(deleteAsked)].name +
                    "»?\nНажмите «Да, удалить»"_cp);
        screenItems.buttons[1]->text = "Да, удалить"_cp;
        return;
    }
    forgetDeleteQuestion();
    hideMessage();
    bool noAnswer = false;
    if (!taskList->removeSelectedEntry(&noAnswer))
        showMessage(noAnswer ? "Папка класса не отвечает"_cp : "Эту задачу нельзя удалить"_cp);
}

}  // namespace app
