#include "platform/class_folder.hpp"

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <set>
#include <sstream>
#include <thread>

#include "platform/files.hpp"

namespace platform {

namespace {

std::string trim(const std::string& s) {
    const size_t begin = s.find_first_not_of(" \t\r");
    if (begin == std::string::npos) return {};
    return s.substr(begin, s.find_last_not_of(" \t\r") - begin + 1);
}

// A configuration is a few lines; anything larger is not one.
constexpr size_t kMaxConfigBytes = 64 * 1024;

// Each file's complaints are said once, not every time the catalogue opens.
bool firstComplaintAbout(const std::string& path) {
    static std::mutex guard;
    static std::set<std::string> reported;
    std::lock_guard<std::mutex> lock(guard);
    return reported.insert(path).second;
}

// The class folder a configuration file names, if it names one. Only a regular file is
// read, without waiting on it: a FIFO or a device in its place is reported, not opened
// for good.
std::optional<std::string> readConfig(const std::string& path) {
    if (path.empty() || (!fileExists(path) && !isSpecialFile(path))) return std::nullopt;
    const std::optional<std::vector<uint8_t>> bytes = readFile(path, kMaxConfigBytes);
    const bool complain = firstComplaintAbout(path);
    if (!bytes) {
        if (complain)
            std::fprintf(stderr, "ferrolin: %s: ignored, not a readable file of at most %zu KB\n",
                         path.c_str(), kMaxConfigBytes / 1024);
        return std::nullopt;
    }
    std::istringstream in(std::string(bytes->begin(), bytes->end()));
    std::optional<std::string> folder;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        const std::string content = trim(line.substr(0, line.find('#')));
        if (content.empty()) continue;
        const size_t equals = content.find('=');
        const std::string key =
            equals == std::string::npos ? std::string() : trim(content.substr(0, equals));
        if (key.empty()) {
            if (complain)
                std::fprintf(stderr, "ferrolin: %s:%d: ignored, not a \"key = value\" line\n",
                             path.c_str(), number);
            continue;
        }
        const std::string value = trim(content.substr(equals + 1));
        if (key == "class_folder") {
            folder = value;
        } else if (complain) {
            std::fprintf(stderr, "ferrolin: %s:%d: ignored, unknown key \"%s\"\n", path.c_str(), number,
                         key.c_str());
        }
    }
    if (folder && folder->empty()) return std::nullopt;
    return folder;
}

}  // namespace

std::string resolveClassFolder(const ClassFolderSources& sources) {
    if (sources.environment) return *sources.environment;
    if (std::optional<std::string> user = readConfig(sources.userConfig)) return *user;
    return readConfig(sources.systemConfig).value_or(std::string());
}

namespace {

std::optional<std::string>& classOverride() {
    static std::optional<std::string> folder;
    return folder;
}

}  // namespace

std::string classFolder() {
    if (classOverride()) return *classOverride();
    return resolveClassFolder(classFolderSources());
}

void setClassFolderOverride(std::optional<std::string> folder) { classOverride() = std::move(folder); }

namespace {

// Runs job on a thread of its own and waits for it at most timeoutMs. The job's state is
// shared with the thread, which may outlive this call; `late` is called there with the
// result when it came too late.
template <typename T>
std::optional<T> within(int timeoutMs, std::function<T()> job, std::function<void(T&)> late = {}) {
    struct Shared {
        std::mutex guard;
        std::condition_variable done;
        std::optional<T> result;
        bool abandoned = false;
    };
    auto shared = std::make_shared<Shared>();
    std::thread([shared, job = std::move(job), late = std::move(late)] {
        T result = job();
        std::lock_guard<std::mutex> lock(shared->guard);
        if (shared->abandoned) {
            if (late) late(result);
            return;
        }
        shared->result = std::move(result);
        shared->done.notify_all();
    }).detach();
    std::unique_lock<std::mutex> lock(shared->guard);
    if (!shared->done.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                               [&] { return shared->result.has_value(); })) {
        shared->abandoned = true;
        return std::nullopt;
    }
    return std::move(shared->result);
}

}  // namespace

std::optional<std::vector<std::string>> listFolderWithin(const std::string& folder,
                                                         const std::string& prefix,
                                                         const std::string& suffix, int timeoutMs) {
    return within<std::vector<std::string>>(
        timeoutMs, [folder, prefix, suffix] { return listFolder(folder, prefix, suffix); });
}

TimedRead readFileWithin(const std::string& path, size_t maxBytes, int timeoutMs) {
    auto bytes = within<std::optional<std::vector<uint8_t>>>(
        timeoutMs, [path, maxBytes] { return readFile(path, maxBytes); });
    if (!bytes) return {};
    return {true, std::move(*bytes)};
}

std::optional<bool> deleteFileWithin(const std::string& path, int timeoutMs) {
    return within<bool>(timeoutMs, [path] { return deleteFile(path); });
}

WriteResult writeNewFileWithin(const std::string& path, const std::vector<uint8_t>& bytes,
                               int timeoutMs) {
    const auto result = within<WriteResult>(
        timeoutMs, [path, bytes] { return writeNewFile(path, bytes); },
        [path](WriteResult& late) {
            // The caller has saved the task elsewhere by now.
            if (late == WriteResult::Ok) deleteFile(path);
        });
    return result.value_or(WriteResult::NoAnswer);
}

}  // namespace platform
