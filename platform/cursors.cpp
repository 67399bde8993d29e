// The three pointer shapes the game uses, plus the text cursor over edit boxes.
#include <SDL2/SDL.h>

#include "platform/platform_internal.hpp"
#include "platform/system.hpp"

namespace platform {
namespace {

Cursor current = Cursor::Arrow;
bool overText = false;

SDL_Cursor* systemCursor(SDL_SystemCursor id) {
    static SDL_Cursor* made[SDL_NUM_SYSTEM_CURSORS] = {};
    if (!made[id]) made[id] = SDL_CreateSystemCursor(id);
    return made[id];
}

void apply() {
    if (!desktopAvailable()) return;
    SDL_SystemCursor id = SDL_SYSTEM_CURSOR_ARROW;
    if (overText) {
        id = SDL_SYSTEM_CURSOR_IBEAM;
    } else if (current == Cursor::Hand) {
        id = SDL_SYSTEM_CURSOR_HAND;
    } else if (current == Cursor::Drag) {
        id = SDL_SYSTEM_CURSOR_SIZEALL;
    }
    if (SDL_Cursor* cursor = systemCursor(id)) SDL_SetCursor(cursor);
}

}  // namespace

void setCursor(Cursor cursor) {
    current = cursor;
    apply();
}

Cursor currentCursor() { return current; }

void showTextCursor(bool overEditBox) {
    if (overEditBox == overText) return;
    overText = overEditBox;
    apply();
}

}  // namespace platform
