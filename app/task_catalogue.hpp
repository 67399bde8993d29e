// The catalogue of the task files in the program's "tasks", the class folder and the data
// folder.
#pragma once

#include <cstdint>
#include <memory>

#include "app/pupil_name_form.hpp"
#include "app/screen.hpp"
#include "scene/scene.hpp"
#include "ui/button.hpp"

namespace app {

class TaskListBox;

// The catalogue screen: the list of tasks on the wood panel with its open and delete
// buttons, after the pupil's name when the class wants it.
class CatalogueScreen : public Screen {
public:
    explicit CatalogueScreen(scene::Scene& scene);
    ~CatalogueScreen() override;
    ScreenKind kind() const override { return ScreenKind::Catalogue; }
    // Enter confirms the pupil's name when the catalogue asks for it.
    void keyDown(platform::Key key, bool) override;

    // The list and its buttons on the panel.
    void fill();
    void openSelected();
    // Asks once, naming the task; pressed again on the same row, deletes its file.
    void deleteSelected();
    void forgetDeleteQuestion();

    // The scenery the catalogue stands on, the app's: it outlives the screen.
    scene::Scene& scene;
    // Null while the pupil's name is asked for.
    TaskListBox* taskList = nullptr;
    // The row whose deletion was asked about; the next press on the button deletes it.
    int32_t deleteAsked = -1;
    // Shown before the list while the class wants the pupil's name.
    std::unique_ptr<PupilNameForm> nameForm;
};

// The open catalogue asks for the pupil's name.
bool pupilNameFormShown();

void openSelectedTask(ui::Button* button);
// Drops the question before deleting (another row chosen, a task opened or deleted): the
// button says «Удалить» again.
void forgetDeleteQuestion();
// The open catalogue's list, or null.
TaskListBox* currentTaskList();

}  // namespace app
