// File-system services. Writes are careful: a new file is created exclusively, every
// write, flush and close is checked, and a failed write never leaves a half file behind
// or destroys the file it was meant to replace.
#include "platform/files.hpp"
#include "platform/platform_internal.hpp"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <thread>

#include "base/no_case.hpp"

namespace fs = std::filesystem;

namespace platform {
namespace {

void (*&writeObserver())(const std::string&) {
    static void (*observer)(const std::string&) = nullptr;
    return observer;
}

// A changed file is told to whoever keeps copies of the files elsewhere (the browser's storage).
void changed(const std::string& path) {
    if (writeObserver()) writeObserver()(path);
}

// The system takes a path of at most PATH_MAX bytes in one piece; a longer one (a pupil's
// folder deep in a class folder) is walked a part at a time.
int openPath(const std::string& path, int flags) {
    if (path.size() < PATH_MAX) return ::open(path.c_str(), flags);
    int dir = AT_FDCWD;
    size_t start = 0;
    if (path[0] == '/') {
        dir = ::open("/", O_PATH | O_DIRECTORY | O_CLOEXEC);
        start = 1;
    }
    int fd = -1;
    while (dir != -1) {
        while (path[start] == '/') ++start;
        const size_t cut =
            path.size() - start < PATH_MAX ? std::string::npos : path.rfind('/', start + PATH_MAX - 2);
        int next = -1;
        if (cut == std::string::npos) {
            fd = ::openat(dir, path.c_str() + start, flags);
        } else if (cut > start) {
            next =
                ::openat(dir, path.substr(start, cut - start).c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
        } else {
            errno = ENAMETOOLONG;  // one name longer than any the system allows
        }
        if (dir != AT_FDCWD) ::close(dir);
        dir = next;
        start = cut + 1;
    }
    return fd;
}

// Past `ulimit -f` the system would end the program with SIGXFSZ, leaving the temporary
// file behind; ignored, the write fails with EFBIG and is handled like a full disk.
void failWritesPastTheSizeLimit() {
    static const bool ignored = std::signal(SIGXFSZ, SIG_IGN) != SIG_ERR;
    (void)ignored;
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

// Follows symbolic links to the file they name, even when it does not exist yet.
std::string linkTarget(const std::string& path) {
    std::string at = path;
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(at, ec))) break;
        const fs::path link = fs::read_symlink(at, ec);
        if (ec) break;
        at = link.is_absolute() ? link.string() : (fs::path(at).parent_path() / link).string();
    }
    return at;
}

// Space is taken before the first old byte is overwritten, so a full disk leaves the old
// file whole; the write is still checked, and a failure is reported.
bool overwriteInPlace(const std::string& path, const std::vector<uint8_t>& bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return false;
    struct stat st {};
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    if (ok && !bytes.empty()) {
        const int reserved = ::posix_fallocate(fd, 0, static_cast<off_t>(bytes.size()));
        ok = reserved == 0 || reserved == EOPNOTSUPP || reserved == EINVAL;
    }
    ok = ok && writeAll(fd, bytes);
    ok = ok && ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0;
    ok = ::fsync(fd) == 0 && ok;
    ok = ::close(fd) == 0 && ok;
    return ok;
}

}  // namespace

void setFileWriteObserver(void (*observer)(const std::string& path)) { writeObserver() = observer; }

bool setCurrentFolder(const std::string& folder) {
    return !folder.empty() && ::chdir(folder.c_str()) == 0;
}

#ifndef __EMSCRIPTEN__
// The browser build keeps its folders in its own file system (platform/web/).
std::string programFolder() {
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec) return {};
    return exe.parent_path().string();
}

std::string dataFolder() {
    if (auto folder = dataFolderOverride()) return *folder;
    // A relative XDG_DATA_HOME is invalid by the desktop's own rules and is ignored.
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg && xdg[0] == '/') return std::string(xdg) + "/Calcora/Ferrolin";
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/') return std::string(home) + "/.local/share/Calcora/Ferrolin";
    return {};
}

std::string progressFolder() { return dataFolder(); }

std::string shownPath(const std::string& path) {
    std::error_code ec;
    fs::path full = fs::absolute(path, ec);
    if (ec) full = path;
    std::string shown = full.lexically_normal().string();
    while (shown.size() > 1 && shown.back() == '/') shown.pop_back();
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/') {
        std::string h = home;
        while (h.size() > 1 && h.back() == '/') h.pop_back();
        if (h.size() > 1 && (shown == h || shown.rfind(h + "/", 0) == 0))
            shown = std::string("~").append(shown, h.size());
    }
    return shown;
}
#endif

bool createFolders(const std::string& folder) {
    if (folder.empty()) return false;
    std::error_code ec;
    fs::create_directories(folder, ec);
    return fs::is_directory(folder, ec);
}

std::vector<std::string> listFolder(const std::string& folder, const std::string& prefix,
                                    const std::string& suffix) {
    noteFileAccess(folder);
    std::vector<std::string> names;
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!dir) return names;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        if (!base::nameMatchesNoCase(name, prefix, suffix)) continue;
        struct stat st {};
        if (::stat((folder + "/" + name).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
        names.push_back(name);
    }
    ::closedir(dir);
    return names;
}

std::optional<std::vector<FolderEntry>> readFolder(const std::string& folder) {
    const int fd = openPath(folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    DIR* dir = ::fdopendir(fd);
    if (!dir) {
        ::close(fd);
        return std::nullopt;
    }
    std::vector<FolderEntry> entries;
    errno = 0;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        bool isFolder = entry->d_type == DT_DIR;
        if (entry->d_type == DT_UNKNOWN) {
            struct stat st {};
            isFolder =
                ::fstatat(fd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(st.st_mode);
        }
        entries.push_back({name, isFolder});
        errno = 0;
    }
    const bool complete = errno == 0;
    ::closedir(dir);
    if (!complete) return std::nullopt;
    return entries;
}

std::optional<std::vector<uint8_t>> readFile(const std::string& path, size_t maxBytes) {
    // Opening a FIFO for reading would wait for a writer: open without waiting, and read
    // only what turns out to be a regular file.
    noteFileAccess(path);
    const int fd = openPath(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return std::nullopt;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || static_cast<uint64_t>(st.st_size) > maxBytes) {
        ::close(fd);
        return std::nullopt;
    }
    std::vector<uint8_t> bytes(static_cast<size_t>(st.st_size));
    size_t got = 0;
    bool failed = false;
    while (got < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + got, bytes.size() - got);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            failed = n < 0;
            break;
        }
        got += static_cast<size_t>(n);
    }
    // A file that grew meanwhile must still respect the bound.
    uint8_t extra = 0;
    ssize_t more = 0;
    do {
        more = failed ? 0 : ::read(fd, &extra, 1);
    } while (more < 0 && errno == EINTR);
    ::close(fd);
    if (failed || more != 0 || got != bytes.size()) return std::nullopt;
    return bytes;
}

WriteResult writeNewFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    noteFileAccess(path);
    failWritesPastTheSizeLimit();
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
    changed(path);
    return WriteResult::Ok;
}

bool replaceFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    if (path.empty()) return false;
    noteFileAccess(path);
    failWritesPastTheSizeLimit();
    // Through a symbolic link the file meant is the link's target; renaming over the link
    // would replace the link and leave the target as it was.
    const std::string target = linkTarget(path);
    // Renaming over a device, a FIFO or a folder would put a plain file in its place.
    if (isSpecialFile(target)) return false;
    const std::string folder = fs::path(target).parent_path().string();
    // A short name, so that a file whose name is near the length limit can be saved too.
    std::string temp = (folder.empty() ? std::string(".") : folder) + "/.ferrolin-XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        // A folder that takes no new files may still hold a file we may write.
        if ((errno == EACCES || errno == EPERM) && overwriteInPlace(target, bytes)) {
            changed(target);
            return true;
        }
        return false;
    }
    // Keep the permissions of the file being replaced; a new one gets the usual ones.
    struct stat st {};
    ::fchmod(fd, ::stat(target.c_str(), &st) == 0 ? (st.st_mode & 07777) : defaultFileMode());
    bool ok = writeAll(fd, bytes);
    ok = ::fsync(fd) == 0 && ok;
    ok = ::close(fd) == 0 && ok;
    if (!ok || ::rename(temp.c_str(), target.c_str()) != 0) {
        ::unlink(temp.c_str());
        return false;
    }
    syncFolderOf(target);
    changed(target);
    return true;
}

FileLock::FileLock(const std::string& path, int timeoutMs) {
    fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, defaultFileMode());
    if (fd_ < 0) return;
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!(held_ = ::flock(fd_, LOCK_EX | LOCK_NB) == 0) && (errno == EWOULDBLOCK || errno == EINTR) &&
           std::chrono::steady_clock::now() < until) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

FileLock::~FileLock() {
    if (fd_ >= 0) ::close(fd_);  // closing lets go of the lock
}

bool deleteFile(const std::string& path) {
    if (path.empty()) return false;
    noteFileAccess(path);
    // Removing a file asks only its folder, and root may remove anything; a file whose
    // owner took away the write bit is protected on purpose, the way a teacher marks it.
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) return false;
    if (S_ISREG(st.st_mode) && (st.st_mode & S_IWUSR) == 0) return false;
    if (::unlink(path.c_str()) != 0) return false;
    changed(path);
    return true;
}

bool isSpecialFile(const std::string& path) {
    struct stat st {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode);
}

bool fileExists(const std::string& path) {
    struct stat st {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace platform
