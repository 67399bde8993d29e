// Where this computer names its class folder on Windows: the environment, the user's
// %APPDATA%\ferrolin\ferrolin.conf, then the computer's %ProgramData%\ferrolin\ferrolin.conf.
// The folder may be a share (\\server\class) or a mapped drive.
#include <shlobj.h>
#include <windows.h>

#include "platform/class_folder.hpp"
#include "platform/windows/wide_path.hpp"

namespace platform {
namespace {

std::string knownFolder(int csidl) {
    wchar_t path[MAX_PATH];
    if (SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path) != S_OK) return {};
    return windows::gamePath(path);
}

}  // namespace

ClassFolderSources classFolderSources() {
    ClassFolderSources sources;
    wchar_t value[32768];
    const DWORD n = GetEnvironmentVariableW(L"FERROLIN_CLASS_FOLDER", value, 32768);
    if (n > 0 && n < 32768) sources.environment = windows::narrow(std::wstring(value, n));
    if (const std::string user = knownFolder(CSIDL_APPDATA); !user.empty())
        sources.userConfig = user + "/ferrolin/ferrolin.conf";
    if (const std::string common = knownFolder(CSIDL_COMMON_APPDATA); !common.empty())
        sources.systemConfig = common + "/ferrolin/ferrolin.conf";
    return sources;
}

}  // namespace platform
