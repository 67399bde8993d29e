// The browser keeps the data folder: every change there is copied to its storage
// (storage.js), and a file written into the download folder goes to the user as a
// download, then leaves memory.
#include <emscripten.h>

#include <string>

#include "platform/files.hpp"
#include "platform/platform_internal.hpp"
#include "platform/web/web_internal.hpp"

namespace platform {

namespace {

EM_JS(void, keepData, (), { Module.ferrolinWeb.keepData(); });
EM_JS(void, handOver, (const char* path), { Module.ferrolinWeb.download(UTF8ToString(path)); });

bool inside(const std::string& path, const std::string& folder) {
    return !folder.empty() && path.size() > folder.size() && path.rfind(folder + "/", 0) == 0;
}

void fileChanged(const std::string& path) {
    if (inside(path, dataFolder())) {
        keepData();
    } else if (inside(path, downloadFolder())) {
        handOver(path.c_str());
    }
}

}  // namespace

void watchWebFiles() { setFileWriteObserver(fileChanged); }

}  // namespace platform
