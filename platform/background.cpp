#include "platform/background.hpp"

#include <thread>

namespace platform {

void startBackgroundJob(std::function<void()> job) { std::thread(std::move(job)).detach(); }

}  // namespace platform
