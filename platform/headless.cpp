#include "platform/platform_internal.hpp"
#include "platform/system.hpp"

namespace platform {
namespace {
bool headlessRun = false;
SDL_Window* gameWindow = nullptr;
}  // namespace

void setHeadless(bool headless) { headlessRun = headless; }
bool isHeadless() { return headlessRun; }

bool desktopAvailable() { return !headlessRun && SDL_WasInit(SDL_INIT_VIDEO) != 0; }

SDL_Window* mainWindow() { return gameWindow; }
void setMainWindow(SDL_Window* window) { gameWindow = window; }

}  // namespace platform
