// The game's one app object: everything the game keeps between two messages above the
// platform -- the ui shell, the scenery, the menu, the screen open under it, the loop's
// frame state, the file path chosen last, the pupil's solved marks, the progress file
// said to be unwritable and the exit code -- hangs from here, so a newcomer finds the
// state in one place and tests reach it through one door.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "app/screen.hpp"
#include "app/solved_marks.hpp"
#include "scene/scene.hpp"
#include "ui/button.hpp"
#include "ui/graphics_item.hpp"
#include "ui/pressable_picture.hpp"
#include "ui/shell.hpp"

namespace app {

// The menu picture, its roller and the six invisible command buttons over the picture;
// null before the items are built and after they are destroyed.
struct MainMenu {
    ui::PicturePart* picture = nullptr;
    ui::PressablePicture* roller = nullptr;
    std::array<ui::Button*, 6> buttons{};
};

// What the loop remembers of the frames it drew.
struct FrameState {
    // Something changed since the last frame was drawn: the next tick draws one. At rest
    // nothing does, and no frame is made until something changes.
    bool wanted = true;
    // The text boxes' changes the last frame showed.
    uint64_t boxChangesDrawn = 0;
    // When the last frame was drawn: what moves by itself is due from then on.
    uint32_t lastFrameAt = 0;
};

struct Game {
    // The visual framework's state: made before the screens' items and ended after them,
    // while the drawing surface is still there. First, so that it outlives the scenery
    // and the screen.
    std::optional<ui::Shell> shell;
    // Built with the permanent items and forgotten when they are destroyed; every screen
    // is handed it when it opens.
    std::optional<scene::Scene> scene;
    MainMenu menu;
    // The open screen; none under the bare menu.
    std::unique_ptr<Screen> screen;
    // The path chosen last in either file dialog: the next dialog starts there.
    std::string solutionPath;
    FrameState frames;
    // Read by the catalogue's rows and by the winner's next task.
    SolvedMarks marks;
    // The progress file found unwritable at a win: said once a run, not in every play.
    std::string unwritableProgress;
    int exitCode = 0;
};

Game& game();

}  // namespace app
