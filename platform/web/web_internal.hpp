// Hooks between the browser's files of platform/web/.
#pragma once

#include <SDL2/SDL.h>

#include <cstdint>
#include <string>

namespace platform {

// Where a saved file waits to be handed to the user as a download.
std::string downloadFolder();
// Copies every change of the data folder to the browser's storage and hands files written
// into the download folder to the user.
void watchWebFiles();
// Waits, letting the browser show frames and take input meanwhile.
void webSleep(uint32_t ms);
// Shows the frame on the page's canvas.
void webPresent(SDL_Renderer* renderer);

}  // namespace platform
