// Where this computer names its class folder: the environment, the user's configuration
// (the desktop's rules for where it lives) and the computer's.
#include <cstdlib>

#include "platform/class_folder.hpp"

namespace platform {

ClassFolderSources classFolderSources() {
    ClassFolderSources sources;
    if (const char* env = std::getenv("FERROLIN_CLASS_FOLDER"); env != nullptr && env[0] != '\0') {
        sources.environment = env;
    }
    // A relative XDG_CONFIG_HOME is invalid by the desktop's own rules and is ignored.
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    if (xdg != nullptr && xdg[0] == '/') {
        sources.userConfig = std::string(xdg) + "/ferrolin/ferrolin.conf";
    } else if (home != nullptr && home[0] == '/') {
        sources.userConfig = std::string(home) + "/.config/ferrolin/ferrolin.conf";
    }
    sources.systemConfig = "/etc/ferrolin/ferrolin.conf";
    return sources;
}

}  // namespace platform
