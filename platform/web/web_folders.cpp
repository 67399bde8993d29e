// The browser's folders. The program folder is the page's own data, unpacked into the
// browser's memory; it is read-only like an installed game's, so the editor saves into the
// data folder, which the browser keeps between visits (storage.js).
#include <sys/stat.h>

#include <string>

#include "platform/files.hpp"
#include "platform/platform_internal.hpp"
#include "platform/web/web_internal.hpp"

namespace platform {
namespace {
constexpr const char* kProgramFolder = "/ferrolin";
constexpr const char* kDataFolder = "/ferrolin-data";
}  // namespace

std::string programFolder() {
    static const bool sealed = [] {
        // The browser's file system starts with a umask that takes every permission away,
        // and a file written with the usual mode could then not be read back.
        ::umask(022);
        ::chmod("/ferrolin/tasks", 0555);
        ::chmod(kProgramFolder, 0555);
        // Watching starts with the program, before any file can be written.
        watchWebFiles();
        return true;
    }();
    (void)sealed;
    return kProgramFolder;
}

std::string dataFolder() {
    if (auto folder = dataFolderOverride()) return *folder;
    return kDataFolder;
}

// Progress lives in this browser's storage with the tasks it saved.
std::string progressFolder() { return dataFolder(); }

std::string shownPath(const std::string& path) {
    // A pupil knows no folders inside the browser: the data folder is "this browser".
    const std::string data = dataFolder();
    std::string p = path;
    while (p.size() > 1 && p.back() == '/') p.pop_back();
    if (p == data || p.rfind(data + "/", 0) == 0) return "память этого браузера";
    return p;
}

}  // namespace platform
