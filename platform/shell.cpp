// Opening the help page (or any document) in the user's preferred application.
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "platform/platform_internal.hpp"
#include "platform/system.hpp"

extern char** environ;

namespace platform {
namespace {

std::function<void(const std::vector<std::string>&)>& opener() {
    static std::function<void(const std::vector<std::string>&)> replaced;
    return replaced;
}

std::vector<pid_t>& children() {
    static std::vector<pid_t> started;
    return started;
}

// Started without a shell, so no character of the path can be taken as a command.
void spawnDetached(const std::vector<std::string>& argv) {
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawnp(&pid, args[0], nullptr, nullptr, args.data(), environ) == 0) {
        children().push_back(pid);
    }
}

}  // namespace

void reapChildren() {
    auto& started = children();
    started.erase(std::remove_if(started.begin(), started.end(),
                                 [](pid_t pid) {
                                     int status = 0;
                                     const pid_t r = waitpid(pid, &status, WNOHANG);
                                     return r == pid || r < 0;
                                 }),
                  started.end());
}

bool childrenRunning() { return !children().empty(); }

void openDocument(const std::string& path) {
    reapChildren();
    std::error_code ec;
    if (path.empty() || !std::filesystem::exists(path, ec)) return;
    const std::filesystem::path absolute = std::filesystem::absolute(path, ec);
    if (ec) return;
    const std::vector<std::string> argv{"xdg-open", absolute.lexically_normal().string()};
    if (opener()) {
        opener()(argv);
    } else if (!isHeadless()) {
        spawnDetached(argv);
    }
}

void setDocumentOpener(std::function<void(const std::vector<std::string>& argv)> replacement) {
    opener() = std::move(replacement);
}

}  // namespace platform
