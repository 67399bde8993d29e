// Whether an accelerated renderer is worth trying. Without a graphics processor Mesa can
// only emulate OpenGL on the processor, where SDL's software renderer is cheaper, and
// merely trying would keep Mesa's emulator loaded (some 70 MB) for the whole run.
#include <filesystem>

#include "platform/platform_internal.hpp"

namespace platform {

bool graphicsProcessorPresent(const std::string& devFolder) {
    namespace fs = std::filesystem;
    std::error_code ec;
    // The proprietary NVIDIA driver may run without the kernel's render nodes.
    if (fs::exists(devFolder + "/nvidiactl", ec)) return true;
    for (fs::directory_iterator it(devFolder + "/dri", ec), end; !ec && it != end; it.increment(ec)) {
        if (it->path().filename().string().rfind("renderD", 0) == 0) return true;
    }
    return false;
}

}  // namespace platform
