#include "app/startup.hpp"

#include <cstdio>

#include "app/game.hpp"
#include "app/own_pictures.hpp"
#include "app/screens.hpp"
#include "app/window_proc.hpp"
#include "platform/files.hpp"
#include "platform/graphics.hpp"
#include "platform/pupil_files.hpp"
#include "platform/system.hpp"
#include "ui/animation.hpp"
#include "ui/cp1251.hpp"

namespace app {

using namespace ui;

void setProgramFolder() {
    const std::string folder = platform::programFolder();
    if (!folder.empty()) platform::setCurrentFolder(folder);
}

bool initDisplayAndWindow() {
    std::string reason;
    int failedStep = 0;
    auto graphics = platform::Graphics::createWindowed(&reason, &failedStep);
    if (!graphics) {
        std::string text = failedStep == 0 ? "Ошибка инициализации SDL 2"_cp
                           : failedStep == 1 ? "Невозможно установить режим экрана 1024x768x16"_cp
                                             : "Ошибка создания устройства SDL 2"_cp;
        if (!reason.empty()) text += "\n" + reason;
        std::fprintf(stderr, "ferrolin: %s\n",
                     reason.empty() ? "cannot open the window" : reason.c_str());
        platform::showErrorBox("Критическая ошибка"_cp, text.c_str());
        return false;
    }
    platform::setGraphics(std::move(graphics));
    platform::setCursor(platform::Cursor::Arrow);
    return true;
}

void initHeadless() {
    platform::setHeadless(true);
    if (!platform::clockIsVirtual()) platform::useVirtualClock(100000);
    platform::setGraphics(platform::Graphics::createHeadless());
}

void shutdown() {
    // A win still on its way to the class folder gets a moment; a folder that hangs longer
    // is left behind.
    platform::waitForBackground(2000);
    if (platform::hasGraphics()) destroyScreens();
    platform::setGraphics(nullptr);
}

bool startGame() {
    setProgramFolder();
    if (!initDisplayAndWindow() || !buildScreens()) {
        shutdown();
        game().exitCode = -1;
        return false;
    }
    // Told once the menu has rolled down.
    ui::afterAnimations([] { reportBrokenOwnPictures(); });
    platform::startMessageLoop(loopClient());
    return true;
}

bool gameTurn(bool mayWait) {
    if (platform::runMessageLoopOnce(mayWait)) return true;
    game().exitCode = platform::postedQuitCode();
    shutdown();
    return false;
}

int gameExitCode() { return game().exitCode; }

int runGame() {
    if (!startGame()) return gameExitCode();
    platform::runTurns(gameTurn);
    return gameExitCode();
}

}  // namespace app
