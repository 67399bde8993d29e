// Building and closing the editor screen, the back and next buttons, the edit boxes of
// the statement step and the saving at the end.
#include "editor/task_editor.hpp"

#include <functional>
#include <string>
#include <utility>

#include "editor/character_palette.hpp"
#include "editor/editor_placement.hpp"
#include "editor/rule_list_box.hpp"
#include "model/task_file.hpp"
#include "platform/edit_box.hpp"
#include "puzzle/task.hpp"
#include "scene/panel_layout.hpp"
#include "scene/scene.hpp"
#include "ui/cp1251.hpp"
#include "ui/shell.hpp"

namespace editor {

using platform::TextFormat;

using namespace ui;
using namespace scene;

namespace {

constexpr int kTitleBoxWidth = 400;
constexpr int kTitleBoxHeight = 24;
constexpr int kStatementBoxWidth = 660;
constexpr int kStatementBoxHeight = 160;

Button* makeWizardButton(const Scene& scene, int index, const char* text,
                         std::function<void(Button*)> onClick) {
    Button* button = makePanelButton(scene, index, text, std::move(onClick));
    button->visible = false;
    return button;
}

void goNext(EditorSession& session) {
    if (session.step == FinishStep) {
        finishTask(session);
    } else {
        goToStep(session, session.step + 1);
    }
}

}  // namespace

EditorSession::EditorSession(Scene& scenery) : scene(scenery) {
    puzzle::showTaskWords(scene, task);

    const Box area = panelList(scene);
    // The palette's pictures make characters that follow the editor's drag rules.
    items.characterList =
        new CharacterPalette(area.x, area.y, area.width, area.height, scene.bankHighlight, task,
                             [this](PalettePicture* source) -> ui::DragDropItem* {
                                 return makeEditorCharacter(*this, source);
                             });
    items.characterList->upArrow = scene.upArrow;
    items.characterList->downArrow = scene.downArrow;
    items.characterList->visible = false;
    items.ruleList = new RuleListBox(area.x, area.y, area.width, area.height, task);
    items.ruleList->upArrow = scene.upArrow;
    items.ruleList->downArrow = scene.downArrow;
    items.ruleList->visible = false;

    items.stepTitle =
        new TextItem(area.x, area.y + 10, area.width, 0, "", shell().fonts.small, 0xFFFFFFFF);
    items.stepTitle->format = TextFormat::Center | TextFormat::NoClip;
    items.stepTitle->visible = false;
    items.stepHint =
        new TextItem(area.x, area.y, area.width, area.height, "", shell().fonts.small, kPaleYellow);
    items.stepHint->format = TextFormat::Center | TextFormat::VCenter | TextFormat::NoClip;
    items.stepHint->visible = false;
    items.backButton =
        makeWizardButton(scene, 0, "« Назад"_cp, [this](Button*) { goToStep(*this, step - 1); });
    items.nextButton = makeWizardButton(scene, 1, "Далее »"_cp, [this](Button*) { goNext(*this); });
    scene.buttons = {items.backButton, items.nextButton};
    items.verdictLabel = makeVerdictLabel(scene);

    scene.attachToPanel(items.stepTitle);
    attachAfter(items.stepTitle, items.stepHint);
    attachAfter(items.stepHint, items.backButton);
    attachAfter(items.backButton, items.nextButton);
    attachAfter(items.nextButton, items.verdictLabel);
    scene.woodPanel->visible = true;

    goToStep(*this, StatementStep);
}

void onEditorHighlightDone(EditorSession& session) {
    EditorItems& items = session.items;
    if (session.step != StatementStep || items.titleEdit != nullptr) {
        return;
    }
    Scene& scene = session.scene;
    scene.titleLabel->visible = false;
    scene.statementLabel->visible = false;
    puzzle::Task& task = session.task;
    if (task.title[0] == '\0') puzzle::setTitle(scene, task, "Название"_cp);
    if (task.statement[0] == '\0') puzzle::setStatement(scene, task, "Текст задачи"_cp);

    items.titleEdit = new platform::EditBox(scene.titleLabel->x, scene.titleLabel->y, kTitleBoxWidth,
                                            kTitleBoxHeight, false, task.title);
    items.statementEdit =
        new platform::EditBox(scene.statementLabel->x, scene.statementLabel->y, kStatementBoxWidth,
                              kStatementBoxHeight, true, task.statement);
    // The boxes stop at what the task can hold, so nothing typed is cut off unseen later;
    // the title stops where its file name, numbered, still fits.
    items.titleEdit->setLimit(model::kSavableTitleBytes);
    items.statementEdit->setLimit(model::kStatementBytes - 1);
    items.titleEdit->selectAll();
    items.titleEdit->focus();
}

EditorSession::~EditorSession() {
    goToStep(*this, NoStep);
    for (int i = 0; i < task.characterCount; ++i) {
        puzzle::CharacterRecord& record = task.characters[static_cast<size_t>(i)];
        if (record.item != nullptr) {
            // The picture is the palette's.
            record.item->texture = nullptr;
            delete record.item;
        }
        record = puzzle::CharacterRecord{};
    }
    scene.detachPanelItems();
    delete items.backButton;
    delete items.nextButton;
    delete items.stepTitle;
    delete items.stepHint;
    delete items.verdictLabel;
    delete items.characterList;
    delete items.ruleList;
    items = EditorItems{};
    scene.buttons.fill(nullptr);
    delete task.boat;
}

}  // namespace editor
