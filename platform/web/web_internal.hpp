// Hooks between the browser's files of platform/web/.
#pragma once

#include <string>

namespace platform {

// Where a saved file waits to be handed to the user as a download.
std::string downloadFolder();
// Copies every change of the data folder to the browser's storage and hands files written
// into the download folder to the user.
void watchWebFiles();

}  // namespace platform
