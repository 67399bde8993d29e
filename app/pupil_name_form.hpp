// Asked once, on the catalogue's panel, where a class folder is set: the name under which
// the pupil's wins reach the teacher, filled in with the computer account's name so a
// pupil with an account of their own only confirms it.
#pragma once

#include <functional>

#include "platform/edit_box.hpp"
#include "scene/scene.hpp"
#include "ui/button.hpp"
#include "ui/text_item.hpp"

namespace app {

// The catalogue owns the form while it is shown: making it shows the question on the wood
// panel, destroying it takes the question off.
class PupilNameForm {
public:
    // `then` runs once the pupil has answered; it may destroy the form.
    PupilNameForm(scene::Scene& scene, std::function<void()> then);
    ~PupilNameForm();
    PupilNameForm(const PupilNameForm&) = delete;
    PupilNameForm& operator=(const PupilNameForm&) = delete;

    // «Готово», or Enter in the name box.
    void submit();

private:
    scene::Scene& scene_;
    ui::TextItem* question_ = nullptr;
    platform::EditBox* box_ = nullptr;
    ui::Button* done_ = nullptr;
    std::function<void()> then_;
};

}  // namespace app
