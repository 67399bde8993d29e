// Work away from the screen's thread, so that a slow file or a long judgement never holds
// a frame.
#pragma once

#include <functional>

namespace platform {

// Starts job on a thread of its own and does not wait for it. The job may outlive whoever
// started it, so it must share ownership of everything it touches.
void startBackgroundJob(std::function<void()> job);

}  // namespace platform
