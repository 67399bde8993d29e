// The permanent items, the rolling main menu and its six commands, and the closing of
// whichever screen is open.
#pragma once

#include <optional>
#include <string>

#include "ui/button.hpp"
#include "ui/visual_item.hpp"

namespace app {

// Fonts, every permanent item, the two chains; ends with the menu rolled down.
bool buildScreens();
void toggleMainMenu(ui::VisualItem* trigger);
void rollMenuDown();
void rollMenuUp();
void onMenuCommand(ui::Button* button);
void closeScreen();
// The menu's position: the top row of the menu picture that is drawn (384 rolled up).
int menuPosition();

std::optional<std::string> chooseSolutionFile(bool save);
bool openSolutionFile(const std::string& path);
// The path chosen last in either file dialog.
const std::string& solutionPath();
void resetSolutionPath();

// Destroys every item and returns the shell to its state before buildScreens.
void destroyScreens();

}  // namespace app
