// Documents open in a new tab of the browser, beside the game's page.
#include <emscripten.h>

#include <string>
#include <vector>

#include "platform/platform_internal.hpp"
#include "platform/system.hpp"

namespace platform {
namespace {

std::function<void(const std::vector<std::string>&)>& opener() {
    static std::function<void(const std::vector<std::string>&)> replaced;
    return replaced;
}

EM_JS(void, openInNewTab, (const char* path), { Module.ferrolinWeb.openDocument(UTF8ToString(path)); });

}  // namespace

// A page starts no processes: nothing to reap, nothing to wake the loop for.
void reapChildren() {}
bool childrenRunning() { return false; }

void openDocument(const std::string& path) {
    if (path.empty()) return;
    if (opener()) {
        opener()({"open", path});
    } else if (!isHeadless()) {
        openInNewTab(path.c_str());
    }
}

void setDocumentOpener(std::function<void(const std::vector<std::string>& argv)> replacement) {
    opener() = std::move(replacement);
}

}  // namespace platform
