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
#include "scene/screen_items.hpp"
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

void closeEditBoxes(EditorItems& items, bool keepText) {
    if (items.titleEdit != nullptr) {
        // Also a title put into the box from elsewhere stops where its file name fits.
        if (keepText)
            copyCut(puzzle::task.title, model::kSavableTitleBytes + 1, items.titleEdit->text());
        delete items.titleEdit;
        items.titleEdit = nullptr;
    }
    if (items.statementEdit != nullptr) {
        if (keepText) {
            copyCut(puzzle::task.statement, sizeof puzzle::task.statement, items.statementEdit->text());
        }
        delete items.statementEdit;
        items.statementEdit = nullptr;
    }
    puzzle::showTaskWords();
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

void putBoatAt(int x, int y) {
    if (puzzle::task.boat == nullptr) return;
    puzzle::task.boat->x = x;
    puzzle::task.boat->y = y;
}

// The list takes the panel's list area; its position is set without moving the panel's
// chain, which it heads now.
void showListOnPanel(ListBox* list) {
    attachToPanel(list);
    list->visible = true;
    const Box area = panelList();
    list->x = area.x;
    list->y = area.y;
    bringToFront(list);
}

void flyFromPanelCentre(const scene::Box& to, uint32_t delay) {
    screenItems.bankHighlight->fly(screenItems.woodPanel->x + screenItems.woodPanel->width / 2,
                                   screenItems.woodPanel->y + screenItems.woodPanel->height / 2, to.x,
                                   to.y, to.width, to.height, delay);
}

void leaveBoatStep(EditorItems& items, int s) {
    hideStepTexts(items);
    TextItem* hint = items.stepHint;
    const Box area = panelList();
    hint->x = area.x;
    hint->y = area.y;
    hint->height = area.height;
    hint->format = TextFormat::Center | TextFormat::VCenter | TextFormat::NoClip;
    for (int i = 0; i < 3; ++i) detachFirst(screenItems.woodPanel);
    bringToFront(screenItems.woodPanel);
    if (s < BoatStep) {
        delete puzzle::task.boat;
        puzzle::task.boat = nullptr;
    } else {
        putBoatAt(scene::kLeftStationX, scene::kLeftStationY);
    }
    delete items.boatmanBox;
    items.boatmanBox = nullptr;
    delete items.capacitySpin;
    items.capacitySpin = nullptr;
}

void leaveStep(EditorSession& session, int s) {
    EditorItems& items = session.items;
    switch (session.step) {
        case StatementStep:
            closeEditBoxes(items, s != NoStep);
            screenItems.titleLabel->visible = true;
            screenItems.statementLabel->visible = true;
            screenItems.bankHighlight->visible = false;
            hideStepTexts(items);
            break;
        case BoatStep:
            leaveBoatStep(items, s);
            break;
        case CharactersStep:
            items.characterList->hideRowWidgets();
            detachFirst(screenItems.woodPanel);
            items.characterList->visible = false;
            screenItems.bankHighlight->visible = false;
            break;
        case GoalPlacesStep:
            putBoatAt(scene::kLeftStationX, scene::kLeftStationY);
            hideStepTexts(items);
            screenItems.bankHighlight->visible = false;
            break;
        case RulesStep:
            detachFirst(screenItems.woodPanel);
            items.ruleList->visible = false;
            screenItems.bankHighlight->visible = false;
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

void enterBoatStep(EditorItems& items) {
    puzzle::Task& task = puzzle::task;
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
    box->onClick = toggleBoatman;
    items.boatmanBox = box;

    auto* spin = new Spin(boat->x + 140, box->y + box->height + 50, 50, "textures/spin.tga",
                          settings.capacity, 0, 999);
    spin->onChange = setCapacity;
    items.capacitySpin = spin;

    TextItem* hint = items.stepHint;
    hint->x = spin->x - 105;
    hint->y = spin->y;
    hint->height = spin->height;
    hint->format = TextFormat::VCenter | TextFormat::NoClip;
    hint->text = "Вместимость"_cp;
    hint->visible = true;

    attachToPanel(boat);
    attachAfter(boat, box);
    attachAfter(box, spin);
}

void enterStep(EditorSession& session) {
    EditorItems& items = session.items;
    switch (session.step) {
        case StatementStep:
            showStepTexts(items, "Постановка задачи"_cp,
                          "Введите заглавие задачи\nи ее текстовое описание,\nпосле чего перейдите\n"
                          "к следующему шагу,\nнажав кнопку Далее"_cp);
            flyFromPanelCentre(scene::kWordsFrame, 0);
            break;
        case BoatStep:
            enterBoatStep(items);
            break;
        case CharactersStep:
            showListOnPanel(items.characterList);
            flyFromPanelCentre(scene::kLeftBank, kFlightDelay);
            break;
        case GoalPlacesStep:
            showStepTexts(items, "Конечное положение"_cp,
                          "Расположите персонажей\nна правом берегу так,\nкак они будут размещаться\n"
                          "по окончании переправы"_cp);
            putBoatAt(scene::kRightStationX, scene::kRightStationY);
            screenItems.bankHighlight->fly(kFromLeftBankX, kFromLeftBankY, scene::kRightBank.x,
                                           scene::kRightBank.y, scene::kRightBank.width,
                                           scene::kRightBank.height, kFlightDelay);
            break;
        case RulesStep: {
            showListOnPanel(items.ruleList);
            // The table's first row where the panel is now, also when the panel was moved
            // since the palette was last shown.
            const RuleListBox* table = items.ruleList;
            screenItems.bankHighlight->fly(kFromLeftBankX, kFromLeftBankY, table->x, table->y,
                                           table->width, scene::kListRowHeight, kFlightDelay);
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
    screenItems.upArrow->visible = false;
    screenItems.downArrow->visible = false;
    session.step = s;
    enterStep(session);

    EditorItems& items = session.items;
    items.backButton->visible = session.step > StatementStep;
    const bool next = session.step >= StatementStep && session.step <= FinishStep;
    items.nextButton->visible = next;
    return next ? 1 : 0;
}

void toggleBoatman(PressablePicture* element) {
    InertPicture* boat = puzzle::task.boat;
    if (boat == nullptr) return;
    const auto* box = static_cast<const Checkbox*>(element);
    puzzle::task.boatSettings.boatman = box->checked;
    boat->texture = nullptr;
    const char* picture = box->checked ? "textures/boatman.tga" : "textures/boat.tga";
    boat->texture = loadTexture(picture, &boat->width, &boat->height);
}

void setCapacity(Spin* spin) {
    if (puzzle::task.boat == nullptr) return;
    puzzle::task.boatSettings.capacity = spin->value;
}

}  // namespace editor
