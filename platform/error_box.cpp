// The critical-error box. Texts arrive in Windows-1251 and are shown in UTF-8.
#include <SDL2/SDL.h>

#include <cstdio>

#include "base/cp1251.hpp"
#include "platform/platform_internal.hpp"
#include "platform/system.hpp"

namespace platform {

using base::cp1251::toUtf8;

namespace {
std::vector<std::pair<std::string, std::string>>& boxes() {
    static std::vector<std::pair<std::string, std::string>> shown;
    return shown;
}
}  // namespace

void showErrorBox(const char* title, const char* text) {
    const std::string t = title ? title : "";
    const std::string m = text ? text : "";
    boxes().emplace_back(t, m);
    const std::string title8 = toUtf8(t);
    const std::string text8 = toUtf8(m);
    // Shown even before the video system is up: a failing start-up is exactly when
    // the box matters. Headless runs only record it.
    if (!isHeadless() && SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, title8.c_str(), text8.c_str(),
                                                  mainWindow()) == 0) {
        return;
    }
    std::fprintf(stderr, "%s: %s\n", title8.c_str(), text8.c_str());
}

const std::vector<std::pair<std::string, std::string>>& shownErrorBoxes() { return boxes(); }

}  // namespace platform
