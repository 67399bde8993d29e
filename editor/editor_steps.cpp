// The wizard's step machine: what each step shows when it is entered and takes away
// when it is left, and the boat step's controls.
#include <algorithm>
#include <cstring>
#include <string>

#include "editor/character_palette.hpp"
#include "editor/rule_list_box.hpp"
#include "editor/task_editor.hpp"
#include "model/task_file.hpp"
#include "platform/edit_box.hpp"
#include "puzzle/task.hpp"
#include "scene/panel_layout.hpp"
#include "scene/river.hpp"
#include "scene/scene.hpp"
#include "ui/cp1251.hpp"

namespace editor {

using platform::TextFormat;

using namespace ui;
using namespace scene;

namespace {

constexpr uint32_t kFlightDelay = 1000;
// The goal places' and the rules' highlights fly in from the left bank, where the
// characters were just placed.
constexpr int kFromLeftBankX = 100, kFromLeftBankY = 230;

// Text of a closing edit box, cut to what the task's buffer holds.
void copyCut(char* buffer, size_t size, const std::string& text) {
    const size_t length = std::min(text.size(), size - 1);
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
}

void closeEditBoxes(EditorSession& session, bool keepText) {
    EditorItems& items = session.items;
    puzzle::Task& task = session.task;
    if (items.titleEdit != nullptr) {
        // Also a title put into the box from elsewhere stops where its file name fits.
        if (keepText) copyCut(task.title, model::kSavableTitleBytes + 1, items.titleEdit->text());
        delete items.titleEdit;
        items.titleEdit = nullptr;
    }
    if (items.statementEdit != nullptr) {
        if (keepText) {
            copyCut(task.statement, sizeof task.statement, items.statementEdit->text());
        }
        delete items.statementEdit;
        items.statementEdit = nullptr;
    }
    puzzle::showTaskWords(session.scene, task);
}

void showStepTexts(EditorItems& items, const char* title, const char* hint) {
    items.stepTitle->text = title;
    items.stepTitle->visible = true;
    items.stepHint->text = hint;
    items.stepHint->visible = true;
}

void hideStepTexts(EditorItems& items) {
    items.stepTitle->visible = false;
    items.stepHint->visible = false;
}

void putBoatAt(puzzle::Task& task, int x, int y) {
    if (task.boat == nullptr) return;
    task.boat->x = x;
    task.boat->y = y;
}

// The list takes the panel's list area; its position is set without moving the panel's
// chain, which it heads now.
void showListOnPanel(Scene& scene, ListBox* list) {
    scene.attachToPanel(list);
    list->visible = true;
    const Box area = panelList(scene);
    list->x = area.x;
    list->y = area.y;
    bringToFront(list);
}

void flyFromPanelCentre(const Scene& scene, const scene::Box& to, uint32_t delay) {
    const WoodPanel* panel = scene.woodPanel;
    scene.bankHighlight->fly(panel->x + panel->width / 2, panel->y + panel->height / 2, to.x, to.y,
                             to.width, to.height, delay);
}

void leaveBoatStep(EditorSession& session, int s) {
    EditorItems& items = session.items;
    puzzle::Task& task = session.task;
    hideStepTexts(items);
    TextItem* hint = items.stepHint;
    const Box area = panelList(session.scene);
    hint->x = area.x;
    hint->y = area.y;
    hint->height = area.height;
    hint->format = TextFormat::Center | TextFormat::VCenter | TextFormat::NoClip;
    for (int i = 0; i < 3; ++i) detachFirst(session.scene.woodPanel);
    bringToFront(session.scene.woodPanel);
    if (s < BoatStep) {
        delete task.boat;
        task.boat = nullptr;
    } else {
        putBoatAt(task, scene::kLeftStationX, scene::kLeftStationY);
    }
    delete items.boatmanBox;
    items.boatmanBox = nullptr;
    delete items.capacitySpin;
    items.capacitySpin = nullptr;
}

void leaveStep(EditorSession& session, int s) {
    EditorItems& items = session.items;
    Scene& scene = session.scene;
    switch (session.step) {
        case StatementStep:
            closeEditBoxes(session, s != NoStep);
            scene.titleLabel->visible = true;
            scene.statementLabel->visible = true;
            scene.bankHighlight->visible = false;
            hideStepTexts(items);
            break;
        case BoatStep:
            leaveBoatStep(session, s);
            break;
        case CharactersStep:
            items.characterList->hideRowWidgets();
            detachFirst(scene.woodPanel);
            items.characterList->visible = false;
            scene.bankHighlight->visible = false;
            break;
        case GoalPlacesStep:
            putBoatAt(session.task, scene::kLeftStationX, scene::kLeftStationY);
            hideStepTexts(items);
            scene.bankHighlight->visible = false;
            break;
        case RulesStep:
            detachFirst(scene.woodPanel);
            items.ruleList->visible = false;
            scene.bankHighlight->visible = false;
            break;
        case FinishStep:
            hideStepTexts(items);
            leaveFinishStep(session);
            items.nextButton->text = "Далее »"_cp;
            break;
        default:
            break;
    }
}

void enterBoatStep(EditorSession& session) {
    EditorItems& items = session.items;
    puzzle::Task& task = session.task;
    items.stepTitle->text = "Параметры лодки"_cp;
    items.stepTitle->visible = true;

    if (task.boat != nullptr) {
        bringToFront(task.boat);
    } else {
        task.boat = new InertPicture(0, 0, "textures/boat.tga");
        task.boatSettings = model::BoatSettings{};
    }
    InertPicture* boat = task.boat;
    boat->x = items.stepTitle->x;
    boat->y = items.stepTitle->y + 30;
    const model::BoatSettings& settings = task.boatSettings;

    auto* box = new Checkbox(boat->x + 40, boat->y + boat->height + 10, "textures/checkbox.tga",
                             "С лодочником"_cp);
    box->checked = settings.boatman;
    box->onClick = [owner = &task](PressablePicture* checkBox) { toggleBoatman(*owner, checkBox); };
    items.boatmanBox = box;

    auto* spin = new Spin(boat->x + 140, box->y + box->height + 50, 50, "textures/spin.tga",
                          settings.capacity, 0, 999);
    spin->onChange = [owner = &task](Spin* changed) { setCapacity(*owner, changed); };
    items.capacitySpin = spin;

    TextItem* hint = items.stepHint;
    hint->x = spin->x - 105;
    hint->y = spin->y;
    hint->height = spin->height;
    hint->format = TextFormat::VCenter | TextFormat::NoClip;
    hint->text = "Вместимость"_cp;
    hint->visible = true;

    session.scene.attachToPanel(boat);
    attachAfter(boat, box);
    attachAfter(box, spin);
}

void enterStep(EditorSession& session) {
    EditorItems& items = session.items;
    Scene& scene = session.scene;
    switch (session.step) {
        case StatementStep:
            showStepTexts(items, "Постановка задачи"_cp,
                          "Введите заглавие задачи\nи ее текстовое описание,\nпосле чего перейдите\n"
                          "к следующему шагу,\nнажав кнопку Далее"_cp);
            flyFromPanelCentre(scene, scene::kWordsFrame, 0);
            break;
        case BoatStep:
            enterBoatStep(session);
            break;
        case CharactersStep:
            showListOnPanel(scene, items.characterList);
            flyFromPanelCentre(scene, scene::kLeftBank, kFlightDelay);
            break;
        case GoalPlacesStep:
            showStepTexts(items, "Конечное положение"_cp,
                          "Расположите персонажей\nна правом берегу так,\nкак они будут размещаться\n"
                          "по окончании переправы"_cp);
            putBoatAt(session.task, scene::kRightStationX, scene::kRightStationY);
            scene.bankHighlight->fly(kFromLeftBankX, kFromLeftBankY, scene::kRightBank.x,
                                     scene::kRightBank.y, scene::kRightBank.width,
                                     scene::kRightBank.height, kFlightDelay);
            break;
        case RulesStep: {
            showListOnPanel(scene, items.ruleList);
            // The table's first row where the panel is now, also when the panel was moved
            // since the palette was last shown.
            const RuleListBox* table = items.ruleList;
            scene.bankHighlight->fly(kFromLeftBankX, kFromLeftBankY, table->x, table->y, table->width,
                                     scene::kListRowHeight, kFlightDelay);
            break;
        }
        case FinishStep:
            showStepTexts(items, "Завершение работы"_cp,
                          "Составление завершено.\nНажмите Готово, чтобы\nсохранить полученную\n"
                          "задачу на диске"_cp);
            items.nextButton->text = "Готово"_cp;
            enterFinishStep(session);
            break;
        default:
            break;
    }
}

}  // namespace

int goToStep(EditorSession& session, int s) {
    if (s == session.step) return session.step;
    if (s < NoStep || s > FinishStep) return session.step;
    leaveStep(session, s);
    session.scene.upArrow->visible = false;
    session.scene.downArrow->visible = false;
    session.step = s;
    enterStep(session);

    EditorItems& items = session.items;
    items.backButton->visible = session.step > StatementStep;
    const bool next = session.step >= StatementStep && session.step <= FinishStep;
    items.nextButton->visible = next;
    return next ? 1 : 0;
}

void toggleBoatman(puzzle::Task& task, PressablePicture* element) {
    InertPicture* boat = task.boat;
    if (boat == nullptr) return;
    const auto* box = static_cast<const Checkbox*>(element);
    task.boatSettings.boatman = box->checked;
    boat->texture = nullptr;
    const char* picture = box->checked ? "textures/boatman.tga" : "textures/boat.tga";
    boat->texture = loadTexture(picture, &boat->width, &boat->height);
}

void setCapacity(puzzle::Task& task, Spin* spin) {
    if (task.boat == nullptr) return;
    task.boatSettings.capacity = spin->value;
}

}  // namespace editor
