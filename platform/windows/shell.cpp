// Opening the help page (or any document) in the user's preferred application.
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include "platform/platform_internal.hpp"
#include "platform/system.hpp"
#include "platform/windows/wide_path.hpp"

namespace platform {
namespace {

std::function<void(const std::vector<std::string>&)>& opener() {
    static std::function<void(const std::vector<std::string>&)> replaced;
    return replaced;
}

}  // namespace

// Nothing is started that would need collecting on Windows, so the loop never wakes for it.
void reapChildren() {}
bool childrenRunning() { return false; }

void openDocument(const std::string& path) {
    if (path.empty()) return;
    const std::wstring full = windows::systemPath(path);
    if (GetFileAttributesW(full.c_str()) == INVALID_FILE_ATTRIBUTES) return;
    const std::vector<std::string> argv{"open", windows::gamePath(full)};
    if (opener()) {
        opener()(argv);
    } else if (!isHeadless()) {
        // The shell's "open" verb: the program the user chose for .html pages. No command
        // line is built, so no character of the path can be taken as one.
        ShellExecuteW(nullptr, L"open", full.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    }
}

void setDocumentOpener(std::function<void(const std::vector<std::string>& argv)> replacement) {
    opener() = std::move(replacement);
}

}  // namespace platform
