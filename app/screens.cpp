#include "app/screens.hpp"

#include <memory>
#include <string>
#include <utility>

#include "app/game.hpp"
#include "app/screen.hpp"
#include "app/solved_marks.hpp"
#include "app/task_catalogue.hpp"
#include "editor/task_editor.hpp"
#include "platform/system.hpp"
#include "puzzle/play.hpp"
#include "puzzle/solution_verdict.hpp"
#include "puzzle/task_files.hpp"
#include "puzzle/win_plaque.hpp"
#include "scene/character_picture.hpp"
#include "scene/scene.hpp"
#include "ui/animation.hpp"
#include "ui/cp1251.hpp"
#include "ui/resources.hpp"
#include "ui/shell.hpp"

namespace app {

using namespace ui;
using namespace scene;

namespace {

constexpr int kMenuRolledUp = 384;
constexpr int kMenuStep = 12;
// The menu's scroll hangs from the top of the screen, its roller on its top edge and its
// six commands one under the other.
constexpr int kMenuX = 336, kMenuY = 27;
constexpr int kRollerX = 472, kRollerY = 28;
constexpr int kCommandX = 344, kCommandTop = 52, kCommandPitch = 58;
constexpr int kCommandWidth = 358, kCommandHeight = 43;

class PlayScreen : public Screen {
public:
    PlayScreen(Scene& scene, const model::TaskData& data, const std::string& path)
        : session(scene, game().unwritableProgress) {
        puzzle::startPlay(session, data, path, {nextUnsolvedTask, [&scene](const std::string& next) {
                                                    if (!openTask(next))
                                                        scene.showMessage("Ошибка открытия файла"_cp);
                                                }});
    }
    ~PlayScreen() override { puzzle::closePlayScreen(session); }
    ScreenKind kind() const override { return ScreenKind::Play; }
    void highlightDone() override { puzzle::revealWinner(session.play); }
    void keyDown(platform::Key key, bool ctrl) override { puzzle::playKeyDown(session, key, ctrl); }

    puzzle::PlaySession session;
};

class EditorScreen : public Screen {
public:
    explicit EditorScreen(Scene& scene) : session(scene) {}
    ScreenKind kind() const override { return ScreenKind::Editor; }
    void highlightDone() override { editor::onEditorHighlightDone(session); }

    editor::EditorSession session;
};

// The previous screen is left before the next one is built: both use the wood panel.
template <class S, class... Args>
void enter(Args&&... args) {
    closeScreen();
    game().screen = std::make_unique<S>(*game().scene, std::forward<Args>(args)...);
}

void onBankHighlightDone(FlyingHighlight* highlight) {
    highlight->visible = false;
    if (Screen* screen = game().screen.get()) screen->highlightDone();
}

// The menu rolls by kMenuStep rows a frame; `down` tells which way.
void rollMenu(bool down) {
    Animation a;
    a.periodMs = 10;
    a.hasFrame = [down](int) {
        const int top = game().menu.picture->sourceRect.top;
        return down ? top > 0 : top < kMenuRolledUp;
    };
    a.showFrame = [down](int) {
        const int step = down ? kMenuStep : -kMenuStep;
        game().menu.picture->sourceRect.top -= step;
        game().menu.roller->y += step;
    };
    animate(std::move(a));
}

void runMenuCommand(int command);

// For answers that come in later (a file chosen): the scenery may have been rebuilt since.
void tell(std::string text) {
    if (game().scene) game().scene->showMessage(std::move(text));
}

void showSolutionVerdict() {
    const puzzle::PlaySession* open = playSession();
    if (open == nullptr) return;
    // A task file opened this way has no crossings to judge.
    const model::TaskData played = puzzle::playedTaskData(*open);
    if (played.moves.empty()) return;
    open->scene.showMessage(puzzle::solutionVerdictMessage(played));
}

}  // namespace

puzzle::PlaySession* playSession() {
    auto* open = dynamic_cast<PlayScreen*>(game().screen.get());
    return open != nullptr ? &open->session : nullptr;
}

editor::EditorSession* editorSession() {
    auto* open = dynamic_cast<EditorScreen*>(game().screen.get());
    return open != nullptr ? &open->session : nullptr;
}

puzzle::Task* taskOnScreen() {
    if (puzzle::PlaySession* play = playSession()) return &play->task;
    if (editor::EditorSession* editor = editorSession()) return &editor->task;
    return nullptr;
}

ScreenKind screenKind() { return game().screen ? game().screen->kind() : ScreenKind::None; }

void showCatalogue() { enter<CatalogueScreen>(); }

void screenKeyDown(platform::Key key, bool ctrl) {
    if (Screen* screen = game().screen.get()) screen->keyDown(key, ctrl);
}

int menuPosition() {
    const PicturePart* picture = game().menu.picture;
    return picture != nullptr ? picture->sourceRect.top : kMenuRolledUp;
}

bool buildScreens() {
    game().shell.emplace();
    if (!createFonts()) return false;
    Scene& scene = game().scene.emplace();
    scene.bankHighlight->onCycleEnd = onBankHighlightDone;
    MainMenu& menu = game().menu;
    menu.picture = new PicturePart(kMenuX, kMenuY, "textures/mainmenu.tga");
    menu.picture->sourceRect.top = kMenuRolledUp;
    menu.picture->visible = false;
    menu.roller = new PressablePicture(kRollerX, kRollerY, "textures/btn_menu.tga");
    menu.roller->onClick = [](PressablePicture* item) { toggleMainMenu(item); };
    for (int i = 0; i < static_cast<int>(menu.buttons.size()); ++i) {
        Button* button =
            new Button(kCommandX, kCommandTop + kCommandPitch * i, kCommandWidth, kCommandHeight, "");
        button->id = i;
        button->onClick = onMenuCommand;
        button->visible = false;
        menu.buttons[static_cast<size_t>(i)] = button;
    }

    menu.picture->attached = menu.buttons[0];
    for (size_t i = 0; i + 1 < menu.buttons.size(); ++i) menu.buttons[i]->attached = menu.buttons[i + 1];

    toggleMainMenu(nullptr);
    return true;
}

void toggleMainMenu(VisualItem*) {
    shell().items.inputArmed = false;
    releaseHotItem();
    bringToFront(game().menu.picture);
    bringToFront(game().menu.roller);
    if (game().menu.picture->visible) {
        rollMenuUp();
    } else {
        rollMenuDown();
    }
    afterAnimations([] { shell().items.inputArmed = true; });
}

void rollMenuDown() {
    setVisible(game().menu.picture, true);
    coverModalFloor(game().menu.picture);
    rollMenu(true);
}

void rollMenuUp() {
    rollMenu(false);
    afterAnimations([] {
        setVisible(game().menu.picture, false);
        uncoverModalFloor();
    });
}

void chooseSolutionFile(bool save, std::function<void(const std::string& path)> chosen) {
    platform::FileDialog dialog;
    dialog.save = save;
    dialog.title = save ? "Сохранить решение"_cp : "Загрузить решение"_cp;
    dialog.filters = {{"Решения (*.sln)"_cp, "*.sln"}, {"Все файлы (*.*)"_cp, "*.*"}};
    dialog.defaultExtension = "sln";
    dialog.initialPath = game().solutionPath;
    dialog.overwritePrompt = save;
    dialog.mustExist = !save;
    platform::chooseFile(dialog, [chosen = std::move(chosen)](std::optional<std::string> path) {
        if (!path) return;
        game().solutionPath = *path;
        chosen(*path);
    });
}

const std::string& solutionPath() { return game().solutionPath; }

void resetSolutionPath() { game().solutionPath.clear(); }

bool openTask(const std::string& path) {
    // Checked before anything closes: a file the reader rejects leaves the screen as it was.
    const std::optional<model::TaskData> data = puzzle::loadTaskFile(path);
    if (!data) return false;
    game().scene->closeBlinds();
    afterAnimations([task = *data, path] {
        // The hot item (a menu button, the catalogue's list or its open button) goes
        // with the screen.
        releaseHotItem();
        enter<PlayScreen>(task, path);
        game().scene->openBlinds();
    });
    return true;
}

void onMenuCommand(Button* button) {
    toggleMainMenu(button);
    // The command follows the roll; the button may be gone by then, its id is not.
    afterAnimations([command = button->id] { runMenuCommand(command); });
}

namespace {

void runMenuCommand(int command) {
    switch (command) {
        case TaskListCommand:
            enter<CatalogueScreen>();
            break;
        case NewTaskCommand:
            enter<EditorScreen>();
            break;
        case SaveSolutionCommand:
            if (screenKind() != ScreenKind::Play) {
                tell("Сохранять нечего: сначала откройте задачу"_cp);
            } else {
                chooseSolutionFile(true, [](const std::string& path) {
                    const puzzle::PlaySession* open = playSession();
                    const bool saved = open != nullptr && puzzle::writeSolutionFile(*open, path);
                    tell(saved ? "Решение сохранено"_cp : "Ошибка сохранения файла"_cp);
                });
            }
            break;
        case OpenSolutionCommand:
            chooseSolutionFile(false, [](const std::string& path) {
                if (!openTask(path)) {
                    tell("Ошибка открытия файла"_cp);
                } else {
                    afterAnimations(showSolutionVerdict);
                }
            });
            break;
        case HelpCommand:
            platform::openDocument("help/index.html");
            break;
        case ExitCommand:
            closeScreen();
            platform::postQuit(0);
            break;
        default:
            break;
    }
}

}  // namespace

void closeScreen() {
    game().screen.reset();
    // What the popup said was about the screen that closed.
    if (game().scene) game().scene->hideMessage();
    // A floor a screen set (the winner picture's) goes with the screen.
    if (shell().items.modalFloor != game().menu.picture) shell().items.modalFloor = nullptr;
    shell().items.coveredFloor = nullptr;
}

void destroyScreens() {
    if (!game().shell) return;  // nothing was built
    stopAnimations();
    closeScreen();
    destroyAllItems();
    game().scene.reset();
    game().menu = MainMenu{};
    game().shell.reset();
    releaseCharacterMarks();
}

}  // namespace app
