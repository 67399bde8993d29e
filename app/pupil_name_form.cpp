#include "app/pupil_name_form.hpp"

#include "base/cp1251.hpp"
#include "platform/edit_box.hpp"
#include "puzzle/class_results.hpp"
#include "scene/panel_layout.hpp"
#include "scene/screen_items.hpp"
#include "ui/cp1251.hpp"

namespace app {

using namespace ui;
using namespace scene;

namespace {

constexpr int kBoxHeight = 30;
constexpr int kBoxGap = 14;  // between the box and the button row
constexpr size_t kNameBytes = 60;

struct Form {
    TextItem* question = nullptr;
    platform::EditBox* box = nullptr;
    Button* done = nullptr;
    void (*then)() = nullptr;
};
Form* form = nullptr;

void onDone(Button*) { submitPupilNameForm(); }

}  // namespace

void submitPupilNameForm() {
    if (form == nullptr) return;
    puzzle::confirmPupilName(base::cp1251::toUtf8(form->box->text()));
    void (*then)() = form->then;
    closePupilNameForm();
    if (then != nullptr) then();
}

void showPupilNameForm(void (*then)()) {
    closePupilNameForm();
    form = new Form;
    form->then = then;
    const Box area = panelList();
    form->question = new TextItem(area.x, area.y, area.width, area.height - kBoxHeight - kBoxGap - 10,
                                  "Как тебя зовут?\r\n\r\nПод этим именем учитель увидит в итогах "
                                  "класса, какие задачи ты решил. Исправь имя, если оно не твоё, и "
                                  "нажми «Готово»."_cp,
                                  fonts.small, kPaleYellow);
    form->question->format =
        platform::TextFormat::WordBreak | platform::TextFormat::Center | platform::TextFormat::NoClip;
    const std::string name = base::cp1251::fromUtf8(puzzle::loadPupil().name);
    form->box = new platform::EditBox(area.x, area.y + area.height - kBoxHeight - kBoxGap, area.width,
                                      kBoxHeight, false, name.substr(0, kNameBytes));
    form->box->setLimit(kNameBytes);
    form->box->selectAll();
    form->box->focus();
    form->done = makePanelButton(0, "Готово"_cp, onDone);
    attachToPanel(form->done);
    attachToPanel(form->question);
    screenItems.woodPanel->visible = true;
}

void closePupilNameForm() {
    if (form == nullptr) return;
    detachPanelItems();
    delete form->question;
    delete form->box;
    delete form->done;
    delete form;
    form = nullptr;
}

bool pupilNameFormShown() { return form != nullptr; }

}  // namespace app
