// On the desktop the program owns its thread: the turns of the message loop run one
// after the other here, and the file chooser answers before it returns. (A browser
// hosts the game differently: platform/web/.)
#include "platform/system.hpp"

namespace platform {

void runTurns(bool (*turn)(bool mayWait)) {
    while (turn(true)) {
    }
}

void chooseFile(const FileDialog& dialog, std::function<void(std::optional<std::string>)> then) {
    then(chooseFile(dialog));
}

}  // namespace platform
