// Open and save dialogs: the system's own, modal over the game's window, or scripted
// answers when headless.
#include <SDL2/SDL.h>
#include <SDL2/SDL_syswm.h>
#include <windows.h>
// After windows.h, which it needs.
#include <commdlg.h>

#include "base/cp1251.hpp"
#include "platform/platform_internal.hpp"
#include "platform/system.hpp"
#include "platform/windows/wide_path.hpp"

namespace platform {
namespace {

using windows::gamePath;
using windows::systemPath;
using windows::widen;

// Where the last accepted dialog was; a dialog without a starting path opens there.
std::string& lastFolder() {
    static std::string folder;
    return folder;
}

HWND ownerWindow() {
    SDL_Window* window = mainWindow();
    if (!window) return nullptr;
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    return SDL_GetWindowWMInfo(window, &info) ? info.info.win.window : nullptr;
}

// "label\0pattern;pattern\0...\0\0", the labels from Windows-1251.
std::wstring filterList(const FileDialog& d) {
    std::wstring list;
    for (const auto& [label, patterns] : d.filters) {
        list += widen(base::cp1251::toUtf8(label));
        list += L'\0';
        list += widen(patterns);
        list += L'\0';
    }
    list += L'\0';
    return list;
}

std::optional<std::string> runDialog(const FileDialog& d) {
    std::string initial = d.initialPath;
    if (initial.empty()) initial = lastFolder().empty() ? std::string(".") : lastFolder();
    const std::wstring start = systemPath(initial);
    const DWORD attributes = GetFileAttributesW(start.c_str());
    std::wstring folder = start;
    std::wstring name;
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        const size_t slash = start.find_last_of(L'\\');
        folder = slash == std::wstring::npos ? std::wstring() : start.substr(0, slash);
        name = slash == std::wstring::npos ? start : start.substr(slash + 1);
        if (!d.save && attributes == INVALID_FILE_ATTRIBUTES) name.clear();
    }
    // Room for a long path.
    std::wstring buffer(32768, L'\0');
    name.copy(buffer.data(), std::min(name.size(), buffer.size() - 1));
    const std::wstring title = widen(base::cp1251::toUtf8(d.title));
    const std::wstring filters = filterList(d);
    std::wstring extension = widen(d.defaultExtension);
    if (!extension.empty() && extension.front() == L'.') extension.erase(extension.begin());

    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = ownerWindow();
    ofn.lpstrFilter = d.filters.empty() ? nullptr : filters.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = static_cast<DWORD>(buffer.size());
    ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    ofn.lpstrTitle = title.empty() ? nullptr : title.c_str();
    ofn.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
    ofn.Flags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_NOCHANGEDIR | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
    if (d.overwritePrompt) ofn.Flags |= OFN_OVERWRITEPROMPT;
    if (d.mustExist) ofn.Flags |= OFN_FILEMUSTEXIST;
    const BOOL chosen = d.save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);

    // Clicks and keys aimed at the game while the dialog was up were not for it.
    if (mainWindow() != nullptr) {
        SDL_PumpEvents();
        SDL_FlushEvents(SDL_KEYDOWN, SDL_MOUSEWHEEL);
    }
    if (!chosen) return std::nullopt;
    const std::string path = gamePath(std::wstring(buffer.c_str()));
    const size_t slash = path.find_last_of('/');
    if (slash != std::string::npos) lastFolder() = path.substr(0, slash);
    return path;
}

}  // namespace

std::optional<std::string> chooseFile(const FileDialog& dialog) {
    if (auto queued = takeQueuedFileDialogAnswer(dialog)) return *queued;
    if (isHeadless()) return std::nullopt;
    return runDialog(dialog);
}

}  // namespace platform
