#include "platform/background.hpp"

namespace platform {

// The page has no threads: the job runs at once. What it reads lives in the browser's
// storage and answers at once, and its judgements are bounded in work.
void startBackgroundJob(std::function<void()> job) { job(); }

}  // namespace platform
