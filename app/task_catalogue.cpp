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
#include "scene/scene.hpp"
#include "ui/cp1251.hpp"

namespace app {

using namespace ui;
using namespace scene;

namespace {

// Messages keep to the left of the panel, on a plate: over the rows they would hide the very
// task the delete question names.
constexpr int kMessageLeft = 12;
constexpr int kMessageRight = kCataloguePanelX - 12;

void placeMessages(PopupMessage* popup, bool besidePanel) {
    popup->areaLeft = besidePanel ? kMessageLeft : 0;
    popup->areaRight = besidePanel ? kMessageRight : platform::kScreenWidth;
    popup->plated = besidePanel;
}

CatalogueScreen* openCatalogue() { return dynamic_cast<CatalogueScreen*>(game().screen.get()); }

}  // namespace

void CatalogueScreen::forgetDeleteQuestion() {
    deleteAsked = -1;
    if (taskList != nullptr && scene.buttons[1] != nullptr) scene.buttons[1]->text = "Удалить"_cp;
}

void forgetDeleteQuestion() {
    if (CatalogueScreen* catalogue = openCatalogue()) catalogue->forgetDeleteQuestion();
}

TaskListBox* currentTaskList() {
    const CatalogueScreen* catalogue = openCatalogue();
    return catalogue != nullptr ? catalogue->taskList : nullptr;
}

CatalogueScreen::CatalogueScreen(Scene& scenery) : scene(scenery) {
    scene.woodPanel->moveTo(kCataloguePanelX, kCataloguePanelY);
    scene.showWords("", "");
    placeMessages(scene.messagePopup, true);
    if (puzzle::pupilNameWanted()) {
        nameForm = std::make_unique<PupilNameForm>(scene, [this] {
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
    const Box area = panelList(scene);
    taskList = new TaskListBox(area.x, area.y, area.width, area.height);
    taskList->scene = &scene;
    taskList->upArrow = scene.upArrow;
    taskList->downArrow = scene.downArrow;
    scene.buttons[0] = makePanelButton(scene, 0, "Открыть"_cp, [this](Button*) { openSelected(); });
    scene.buttons[1] = makePanelButton(scene, 1, "Удалить"_cp, [this](Button*) { deleteSelected(); });
    scene.attachToPanel(scene.buttons[1]);
    scene.attachToPanel(scene.buttons[0]);
    scene.attachToPanel(taskList);
    scene.woodPanel->visible = true;
}

CatalogueScreen::~CatalogueScreen() {
    forgetDeleteQuestion();
    nameForm.reset();
    placeMessages(scene.messagePopup, false);
    scene.detachPanelItems();
    scene.woodPanel->moveTo(kPanelX, kPanelY);
    for (Button*& button : scene.buttons) {
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
        scene.showMessage("Сначала выберите задачу"_cp);
        return;
    }
    // The path outlives the list, which closes with the catalogue.
    const std::string path = taskList->entries[static_cast<size_t>(taskList->selectedRow)].path();
    forgetDeleteQuestion();
    if (!openTask(path)) scene.showMessage("Ошибка открытия файла"_cp);
}

void CatalogueScreen::deleteSelected() {
    if (taskList == nullptr) return;
    if (taskList->selectedRow < 0) {
        scene.showMessage("Сначала выберите задачу для удаления"_cp);
        return;
    }
    // A file deleted cannot come back: the button asks once, naming the task.
    if (deleteAsked != taskList->selectedRow) {
        deleteAsked = taskList->selectedRow;
        scene.showMessage("Удалить задачу «"_cp +
                          taskList->entries[static_cast<size_t>(deleteAsked)].name +
                          "»?\nНажмите «Да, удалить»"_cp);
        scene.buttons[1]->text = "Да, удалить"_cp;
        return;
    }
    forgetDeleteQuestion();
    scene.hideMessage();
    bool noAnswer = false;
    if (!taskList->removeSelectedEntry(&noAnswer))
        scene.showMessage(noAnswer ? "Папка класса не отвечает"_cp : "Эту задачу нельзя удалить"_cp);
}

}  // namespace app
