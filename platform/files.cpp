// File-system services. Writes are careful: a new file is created exclusively, every
// write, flush and close is checked, and a failed write never leaves a half file behind
// or destroys the file it was meant to replace.
#include "platform/files.hpp"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace platform {
namespace {

std::optional<std::string>& dataOverride() {
    static std::optional<std::string> folder;
    return folder;
}

bool endsWithNoCase(const std::string& s, const std::string& tail) {
    if (tail.size() > s.size()) return false;
    for (size_t i = 0; i < tail.size(); ++i) {
        char a = s[s.size() - tail.size() + i];
        char b = tail[i];
        if (a >= 'A' && a <= 'Z') a = static_cast<char>(a - 'A' + 'a');
        if (b >= 'A' && b <= 'Z') b = static_cast<char>(b - 'A' + 'a');
        if (a != b) return false;
    }
    return true;
}

bool startsWithNoCase(const std::string& s, const std::string& head) {
    return head.size() <= s.size() && endsWithNoCase(s.substr(0, head.size()), head);
}

bool writeAll(int fd, const std::vector<uint8_t>& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

void syncFolderOf(const std::string& path) {
    const std::string folder = fs::path(path).parent_path().string();
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

mode_t defaultFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

std::string programFolder() {
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec) return {};
    return exe.parent_path().string();
}

bool setCurrentFolder(const std::string& folder) { return !folder.empty() && ::chdir(folder.c_str()) == 0; }

std::string dataFolder() {
    if (dataOverride()) return *dataOverride();
    // A relative XDG_DATA_HOME is invalid by the desktop's own rules and is ignored.
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg && xdg[0] == '/') return std::string(xdg) + "/Calcora/Ferrolin";
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/') return std::string(home) + "/.local/share/Calcora/Ferrolin";
    return {};
}

void setDataFolderOverride(std::optional<std::string> folder) { dataOverride() = std::move(folder); }

bool createFolders(const std::string& folder) {
    if (folder.empty()) return false;
    std::error_code ec;
    fs::create_directories(folder, ec);
    return fs::is_directory(folder, ec);
}

std::vector<std::string> listFolder(const std::string& folder, const std::string& prefix,
                                    const std::string& suffix) {
    std::vector<std::string> names;
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!dir) return names;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        // Letters compare without case, so "TASK.DAT" is a task like "task.dat".
        if (!startsWithNoCase(name, prefix) || !endsWithNoCase(name, suffix)) continue;
        if (name.size() < prefix.size() + suffix.size()) continue;
        struct stat st{};
        if (::stat((folder + "/" + name).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
        names.push_back(name);
    }
    ::closedir(dir);
    return names;
}

std::optional<std::vector<uint8_t>> readFile(const std::string& path, size_t maxBytes) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return std::nullopt;
    struct stat st{};
    if (::fstat(::fileno(f), &st) != 0 || !S_ISREG(st.st_mode) ||
        static_cast<uint64_t>(st.st_size) > maxBytes) {
        std::fclose(f);
        return std::nullopt;
    }
    std::vector<uint8_t> bytes(static_cast<size_t>(st.st_size));
    const size_t got = bytes.empty() ? 0 : std::fread(bytes.data(), 1, bytes.size(), f);
    // A file that grew meanwhile must still respect the bound.
    const bool more = std::fgetc(f) != EOF;
    const bool failed = std::ferror(f) != 0;
    std::fclose(f);
    if (failed || got != bytes.size() || more) return std::nullopt;
    return bytes;
}

WriteResult writeNewFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    FILE* f = std::fopen(path.c_str(), "wbx");
    if (!f) return errno == EEXIST ? WriteResult::Exists : WriteResult::Failed;
    bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    ok = std::fflush(f) == 0 && ok;
    ok = ::fsync(::fileno(f)) == 0 && ok;
    ok = std::fclose(f) == 0 && ok;
    if (!ok) {
        ::unlink(path.c_str());
        return WriteResult::Failed;
    }
    return WriteResult::Ok;
}

bool replaceFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    if (path.empty()) return false;
    std::string temp = path + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) return false;
    // Keep the permissions of the file being replaced; a new one gets the usual ones.
    struct stat st{};
    ::fchmod(fd, ::stat(path.c_str(), &st) == 0 ? (st.st_mode & 07777) : defaultFileMode());
    bool ok = writeAll(fd, bytes);
    ok = ::fsync(fd) == 0 && ok;
    ok = ::close(fd) == 0 && ok;
    if (!ok || ::rename(temp.c_str(), path.c_str()) != 0) {
        ::unlink(temp.c_str());
        return false;
    }
    syncFolderOf(path);
    return true;
}

bool deleteFile(const std::string& path) { return !path.empty() && ::unlink(path.c_str()) == 0; }

bool fileExists(const std::string& path) {
    struct stat st{};
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace platform
