#include "app/pupil_name_form.hpp"

#include <utility>

#include "base/cp1251.hpp"
#include "platform/edit_box.hpp"
#include "puzzle/class_results.hpp"
#include "scene/panel_layout.hpp"
#include "scene/scene.hpp"
#include "ui/cp1251.hpp"
#include "ui/shell.hpp"

namespace app {

using namespace ui;
using namespace scene;

namespace {

constexpr int kBoxHeight = 30;
constexpr int kBoxGap = 14;  // between the box and the button row
constexpr size_t kNameBytes = 60;

}  // namespace

void PupilNameForm::submit() {
    puzzle::confirmPupilName(base::cp1251::toUtf8(box_->text()));
    // A copy: what follows may destroy the form and the callable with it.
    const std::function<void()> then = then_;
    if (then) then();
}

PupilNameForm::PupilNameForm(Scene& scene, std::function<void()> then)
    : scene_(scene), then_(std::move(then)) {
    const Box area = panelList(scene);
    question_ = new TextItem(area.x, area.y, area.width, area.height - kBoxHeight - kBoxGap - 10,
                             "Как тебя зовут?\r\n\r\nПод этим именем учитель увидит в итогах "
                             "класса, какие задачи ты решил. Исправь имя, если оно не твоё, и "
                             "нажми «Готово»."_cp,
                             shell().fonts.small, kPaleYellow);
    question_->format =
        platform::TextFormat::WordBreak | platform::TextFormat::Center | platform::TextFormat::NoClip;
    const std::string name = base::cp1251::fromUtf8(puzzle::loadPupil().name);
    box_ = new platform::EditBox(area.x, area.y + area.height - kBoxHeight - kBoxGap, area.width,
                                 kBoxHeight, false, name.substr(0, kNameBytes));
    box_->setLimit(kNameBytes);
    box_->selectAll();
    box_->focus();
    done_ = makePanelButton(scene, 0, "Готово"_cp, [this](Button*) { submit(); });
    scene.attachToPanel(done_);
    scene.attachToPanel(question_);
    scene.woodPanel->visible = true;
}

PupilNameForm::~PupilNameForm() {
    scene_.detachPanelItems();
    delete question_;
    delete box_;
    delete done_;
}

}  // namespace app
