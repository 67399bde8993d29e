#include <atomic>
#include <mutex>

#include "platform/files.hpp"
#include "platform/platform_internal.hpp"

namespace platform {
namespace {

std::mutex hookGuard;
std::atomic<bool> hooked{false};
std::function<void(const std::string&)> accessHook;

}  // namespace

void noteFileAccess(const std::string& path) {
    // Without a hook (always, outside tests) an access costs one load.
    if (!hooked) return;
    std::function<void(const std::string&)> hook;
    {
        std::lock_guard<std::mutex> lock(hookGuard);
        hook = accessHook;
    }
    if (hook) hook(path);
}

void setFileAccessHook(std::function<void(const std::string& path)> hook) {
    std::lock_guard<std::mutex> lock(hookGuard);
    hooked = static_cast<bool>(hook);
    accessHook = std::move(hook);
}

}  // namespace platform
