// Files in the browser. Opening asks the browser's file picker and copies the chosen file
// into memory (/uploads); saving names a file in /downloads, which the browser hands to
// the user as a download once the game has written it (web_storage.cpp).
#include <SDL2/SDL.h>
#include <emscripten.h>
#include <sys/stat.h>

#include <filesystem>

#include "platform/platform_internal.hpp"
#include "platform/system.hpp"
#include "platform/web/web_internal.hpp"

namespace platform {
namespace {

// The picker's patterns ("*.sln") as the browser's accept list (".sln").
std::string acceptList(const FileDialog& d) {
    std::string accept;
    for (const auto& filter : d.filters) {
        const std::string& pattern = filter.second;
        if (pattern.size() < 3 || pattern.rfind("*.", 0) != 0 || pattern == "*.*") continue;
        if (!accept.empty()) accept += ",";
        accept += pattern.substr(1);
    }
    return accept;
}

// The bodies below are JavaScript, which the C++ formatter would break ("===" into "== =").
// clang-format off
// The picker answers in a callback of the browser's, long after the turn that opened it.
EM_JS(void, startPicking, (const char* accept), {
    Module.ferrolinWeb.pickFile(
        UTF8ToString(accept), function() { Module["_ferrolinFilePicked"](); });
});

// 0 when the picker was cancelled, 1 with the path written to out.
EM_JS(int, pickedFile, (char* out, int size), {
    const result = Module.ferrolinWeb.picked;
    if (!result || lengthBytesUTF8(result) >= size) return 0;
    stringToUTF8(result, out, size);
    return 1;
});
// clang-format on

std::function<void(std::optional<std::string>)>& waitingForPicker() {
    static std::function<void(std::optional<std::string>)> then;
    return then;
}

std::string downloadName(const FileDialog& dialog) {
    const std::string name = std::filesystem::path(dialog.initialPath).filename().string();
    return withDefaultExtension(name.empty() ? "Решение" : name, dialog);
}

}  // namespace

std::string downloadFolder() { return "/downloads"; }

std::optional<std::string> chooseFile(const FileDialog& dialog) {
    if (auto queued = takeQueuedFileDialogAnswer(dialog)) return *queued;
    // The page cannot wait for the picker; only the answer handed on later can.
    if (isHeadless() || !dialog.save) return std::nullopt;
    ::mkdir(downloadFolder().c_str(), 0777);
    return downloadFolder() + "/" + downloadName(dialog);
}

void chooseFile(const FileDialog& dialog, std::function<void(std::optional<std::string>)> then) {
    if (fileDialogAnswerQueued() || isHeadless() || dialog.save) {
        then(chooseFile(dialog));
        return;
    }
    rememberFileDialog(dialog);
    waitingForPicker() = std::move(then);
    startPicking(acceptList(dialog).c_str());
}

}  // namespace platform

// Called by the page once the picker has answered.
extern "C" EMSCRIPTEN_KEEPALIVE void ferrolinFilePicked() {
    char path[4096];
    std::optional<std::string> answer;
    if (platform::pickedFile(path, sizeof path) == 1) answer = std::string(path);
    // Clicks and keys aimed at the game while the picker was up were not for it.
    SDL_FlushEvents(SDL_KEYDOWN, SDL_MOUSEWHEEL);
    std::function<void(std::optional<std::string>)> then = std::move(platform::waitingForPicker());
    platform::waitingForPicker() = nullptr;
    if (then) platform::postAnswer([then = std::move(then), answer] { then(answer); });
}
