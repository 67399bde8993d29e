// The permanent items, the rolling main menu and its six commands, and the closing of
// whichever screen is open.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "platform/events.hpp"
#include "ui/button.hpp"
#include "ui/graphics_item.hpp"
#include "ui/pressable_picture.hpp"
#include "ui/visual_item.hpp"

namespace editor {
struct EditorSession;
}
namespace puzzle {
struct PlaySession;
struct Task;
}  // namespace puzzle

namespace app {

// The menu's commands from top to bottom; a command button's id is its command.
enum MenuCommand : int32_t {
    TaskListCommand = 0,
    NewTaskCommand = 1,
    SaveSolutionCommand = 2,
    OpenSolutionCommand = 3,
    HelpCommand = 4,
    ExitCommand = 5,
};

// The app object's shell with its fonts, every permanent item, the two chains; ends with
// the menu rolled down.
bool buildScreens();
void toggleMainMenu(ui::VisualItem* trigger);
void rollMenuDown();
void rollMenuUp();
void onMenuCommand(ui::Button* button);
// Leaves the open screen, if any: what it built goes with it.
void closeScreen();
// Opens the task catalogue as its menu command does, without the menu's roll.
void showCatalogue();
// The open screen's session, null while another screen (or none) is open.
puzzle::PlaySession* playSession();
editor::EditorSession* editorSession();
// The task of the open play or editor session; null while neither is open.
puzzle::Task* taskOnScreen();
// Hands a key to the open screen.
void screenKeyDown(platform::Key key, bool ctrl);
// The menu's position: the top row of the menu picture that is drawn (384 rolled up).
int menuPosition();

// Asks where to save or what to open; a path chosen is remembered for the next time and
// handed to `chosen` (from the browser's picker, later: in a turn of its own).
void chooseSolutionFile(bool save, std::function<void(const std::string& path)> chosen);
// Opens a task or solution file in play and remembers where it came from: the catalogue,
// the file chooser, the winner's next task and the tests all come in here. False, with
// the screen kept, when the file is rejected.
bool openTask(const std::string& path);
// The path chosen last in either file dialog.
const std::string& solutionPath();
void resetSolutionPath();

// Destroys every item and ends the shell, as before buildScreens (the drawing surface must
// still be there).
void destroyScreens();

}  // namespace app
