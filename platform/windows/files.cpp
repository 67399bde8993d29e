// File-system services on Windows. Paths arrive as UTF-8 and go to the system as UTF-16,
// so Cyrillic names and paths past 260 characters work. Writes are careful as on Linux:
// a new file is created exclusively, a replacement is written beside the old file and
// moved over it with write-through, and a failed write never loses the old file. Another
// program holding a file for a moment (an antivirus scanning the fresh file, an editor
// with it open) is waited for briefly before the operation is given up.
#include "platform/files.hpp"
#include "platform/platform_internal.hpp"

#include <shlobj.h>
#include <windows.h>

#include <io.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "base/no_case.hpp"
#include "platform/windows/wide_path.hpp"

namespace platform {
namespace {

using windows::gamePath;
using windows::narrow;
using windows::systemPath;
using windows::widen;

// The errors another program causes by holding the file for a moment.
bool heldByAnother(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
           error == ERROR_ACCESS_DENIED || error == ERROR_UNABLE_TO_REMOVE_REPLACED ||
           error == ERROR_UNABLE_TO_MOVE_REPLACEMENT || error == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2;
}

// Runs attempt until it succeeds or fails for another reason than a holder; about a
// second in all.
template <typename Attempt>
bool withRetries(Attempt attempt) {
    for (int i = 0;; ++i) {
        if (attempt()) return true;
        if (i == 20 || !heldByAnother(GetLastError())) return false;
        Sleep(50);
    }
}

DWORD attributesOf(const std::wstring& path) { return GetFileAttributesW(path.c_str()); }

bool isFileAttributes(DWORD attributes) {
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) == 0;
}

// Starts a walk over every entry of the folder ("" is the current one), the first in found.
HANDLE findFirstIn(const std::string& folder, WIN32_FIND_DATAW& found) {
    std::wstring pattern = systemPath(folder.empty() ? "." : folder);
    if (!pattern.empty() && pattern.back() != L'\\') pattern += L'\\';
    pattern += L'*';
    return FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr, 0);
}

bool writeAll(HANDLE file, const std::vector<uint8_t>& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 24));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written == 0)
            return false;
        done += written;
    }
    return true;
}

// Space is taken before the first old byte is overwritten, so a full disk leaves the old
// file whole.
bool overwriteInPlace(const std::wstring& path, const std::vector<uint8_t>& bytes) {
    HANDLE file = INVALID_HANDLE_VALUE;
    withRetries([&] {
        file = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, nullptr);
        return file != INVALID_HANDLE_VALUE;
    });
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size;
    size.QuadPart = static_cast<LONGLONG>(bytes.size());
    LARGE_INTEGER current{};
    bool ok = GetFileSizeEx(file, &current) != 0;
    if (ok && current.QuadPart < size.QuadPart) {
        ok = SetFilePointerEx(file, size, nullptr, FILE_BEGIN) && SetEndOfFile(file);
    }
    LARGE_INTEGER start{};
    ok = ok && SetFilePointerEx(file, start, nullptr, FILE_BEGIN) && writeAll(file, bytes);
    ok = ok && SetEndOfFile(file);
    ok = FlushFileBuffers(file) && ok;
    ok = CloseHandle(file) && ok;
    return ok;
}

std::wstring temporaryNameBeside(const std::wstring& target) {
    static std::atomic<unsigned> counter{0};
    const size_t slash = target.find_last_of(L'\\');
    const std::wstring folder = slash == std::wstring::npos ? L"." : target.substr(0, slash);
    wchar_t name[48];
    swprintf(name, 48, L"\\.ferrolin-%08lx%04x",
             static_cast<unsigned long>(GetTickCount() ^ GetCurrentProcessId()),
             counter.fetch_add(1) & 0xffff);
    return folder + name;
}

// The game's folder in one of the system's known folders (a CSIDL), or the one tests set;
// empty when the system does not tell where the known folder is.
std::string gameFolderIn(int knownFolder) {
    if (auto folder = dataFolderOverride()) return *folder;
    wchar_t known[MAX_PATH];
    if (SHGetFolderPathW(nullptr, knownFolder, nullptr, SHGFP_TYPE_CURRENT, known) != S_OK) return {};
    return gamePath(known) + "/Calcora/Ferrolin";
}

}  // namespace

std::string programFolder() {
    std::wstring exe(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, exe.data(), static_cast<DWORD>(exe.size()));
        if (n == 0) return {};
        if (n < exe.size()) {
            exe.resize(n);
            break;
        }
        exe.resize(exe.size() * 2);
    }
    const std::string path = gamePath(exe);
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

bool setCurrentFolder(const std::string& folder) {
    return !folder.empty() && SetCurrentDirectoryW(systemPath(folder).c_str()) != 0;
}

// Shared by every account of the computer, as the tasks a teacher saves there must be;
// the installer makes it writable for all users.
std::string dataFolder() { return gameFolderIn(CSIDL_COMMON_APPDATA); }

// Progress is one pupil's own, so it stays out of the shared folder.
std::string progressFolder() { return gameFolderIn(CSIDL_APPDATA); }

std::string shownPath(const std::string& path) {
    std::wstring full = systemPath(path);
    std::string shown = gamePath(full);
    while (shown.size() > 3 && shown.back() == '/') shown.pop_back();
    for (char& c : shown)
        if (c == '/') c = '\\';
    return shown;
}

bool createFolders(const std::string& folder) {
    if (folder.empty()) return false;
    const std::wstring path = systemPath(folder);
    // Each missing folder from the outermost; the parts before the first that exists
    // (a drive, a share) are never created.
    for (size_t at = path.find(L'\\', 0); at != std::wstring::npos; at = path.find(L'\\', at + 1)) {
        if (at == 0 || path[at - 1] == L'\\' || path[at - 1] == L':' || path[at - 1] == L'?') continue;
        CreateDirectoryW(path.substr(0, at).c_str(), nullptr);
    }
    CreateDirectoryW(path.c_str(), nullptr);
    const DWORD attributes = attributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::vector<std::string> listFolder(const std::string& folder, const std::string& prefix,
                                    const std::string& suffix) {
    noteFileAccess(folder);
    std::vector<std::string> names;
    WIN32_FIND_DATAW found;
    HANDLE search = findFirstIn(folder, found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if (!isFileAttributes(found.dwFileAttributes)) continue;
        const std::string name = narrow(found.cFileName);
        if (!base::nameMatchesNoCase(name, prefix, suffix)) continue;
        names.push_back(name);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

std::optional<std::vector<FolderEntry>> readFolder(const std::string& folder) {
    WIN32_FIND_DATAW found;
    HANDLE search = findFirstIn(folder, found);
    if (search == INVALID_HANDLE_VALUE) return std::nullopt;
    std::vector<FolderEntry> entries;
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        // A junction or a linked folder counts as a link, so a walk never loops through one.
        const bool isFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
                              (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0;
        entries.push_back({narrow(name), isFolder});
    } while (FindNextFileW(search, &found));
    const bool complete = GetLastError() == ERROR_NO_MORE_FILES;
    FindClose(search);
    if (!complete) return std::nullopt;
    return entries;
}

std::optional<std::vector<uint8_t>> readFile(const std::string& path, size_t maxBytes) {
    noteFileAccess(path);
    if (path.empty()) return std::nullopt;
    const std::wstring wide = systemPath(path);
    HANDLE file = INVALID_HANDLE_VALUE;
    withRetries([&] {
        file = CreateFileW(wide.c_str(), GENERIC_READ,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        // A folder cannot be opened this way: that is no holder to wait for.
        return file != INVALID_HANDLE_VALUE || !isFileAttributes(attributesOf(wide));
    });
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    LARGE_INTEGER size{};
    if (GetFileType(file) != FILE_TYPE_DISK || !GetFileSizeEx(file, &size) ||
        static_cast<uint64_t>(size.QuadPart) > maxBytes) {
        CloseHandle(file);
        return std::nullopt;
    }
    std::vector<uint8_t> bytes(static_cast<size_t>(size.QuadPart));
    size_t got = 0;
    bool failed = false;
    while (got < bytes.size()) {
        DWORD n = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - got, 1u << 24));
        if (!ReadFile(file, bytes.data() + got, chunk, &n, nullptr)) {
            failed = true;
            break;
        }
        if (n == 0) break;
        got += n;
    }
    // A file that grew meanwhile must still respect the bound.
    uint8_t extra = 0;
    DWORD more = 0;
    if (!failed) ReadFile(file, &extra, 1, &more, nullptr);
    CloseHandle(file);
    if (failed || more != 0 || got != bytes.size()) return std::nullopt;
    return bytes;
}

WriteResult writeNewFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    noteFileAccess(path);
    if (path.empty()) return WriteResult::Failed;
    const std::wstring wide = systemPath(path);
    HANDLE file = CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS ? WriteResult::Exists
                                                                           : WriteResult::Failed;
    }
    bool ok = writeAll(file, bytes);
    ok = FlushFileBuffers(file) && ok;
    ok = CloseHandle(file) && ok;
    if (!ok) {
        withRetries([&] { return DeleteFileW(wide.c_str()) != 0; });
        return WriteResult::Failed;
    }
    return WriteResult::Ok;
}

bool replaceFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    noteFileAccess(path);
    if (path.empty()) return false;
    const std::wstring target = systemPath(path);
    const DWORD old = attributesOf(target);
    // A read-only file is protected, as a file without its write bit is on Linux.
    if (old != INVALID_FILE_ATTRIBUTES &&
        (old & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) != 0)
        return false;
    const std::wstring temp = temporaryNameBeside(target);
    HANDLE file = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        // A folder that takes no new files may still hold a file we may write.
        return GetLastError() == ERROR_ACCESS_DENIED && old != INVALID_FILE_ATTRIBUTES &&
               overwriteInPlace(target, bytes);
    }
    bool ok = writeAll(file, bytes);
    ok = FlushFileBuffers(file) && ok;
    ok = CloseHandle(file) && ok;
    // MoveFileExW rather than ReplaceFileW: Wine's ReplaceFileW leaves a backup behind each
    // time the old file is held, and the moved file takes the folder's permissions, as a
    // new file there would.
    ok = ok && withRetries([&] {
             return MoveFileExW(temp.c_str(), target.c_str(),
                                MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
         });
    if (!ok) {
        withRetries(
            [&] { return DeleteFileW(temp.c_str()) != 0 || GetLastError() == ERROR_FILE_NOT_FOUND; });
        return false;
    }
    return true;
}

// The lock's handle is kept as a C runtime descriptor, the form the class keeps on every system;
// closing it closes the handle and so lets go of the lock.
FileLock::FileLock(const std::string& path, int timeoutMs) {
    HANDLE file = INVALID_HANDLE_VALUE;
    withRetries([&] {
        file = CreateFileW(systemPath(path).c_str(), GENERIC_READ | GENERIC_WRITE,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
        return file != INVALID_HANDLE_VALUE;
    });
    if (file == INVALID_HANDLE_VALUE) return;
    fd_ = _open_osfhandle(reinterpret_cast<intptr_t>(file), 0);
    if (fd_ < 0) {
        CloseHandle(file);
        return;
    }
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        OVERLAPPED whole{};
        held_ = LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD,
                           MAXDWORD, &whole) != 0;
        if (held_ || GetLastError() != ERROR_LOCK_VIOLATION || std::chrono::steady_clock::now() >= until)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

FileLock::~FileLock() {
    if (fd_ >= 0) _close(fd_);
}

bool deleteFile(const std::string& path) {
    noteFileAccess(path);
    if (path.empty()) return false;
    const std::wstring wide = systemPath(path);
    const DWORD attributes = attributesOf(wide);
    // A file marked read-only is protected on purpose, the way a teacher marks it.
    if (!isFileAttributes(attributes) || (attributes & FILE_ATTRIBUTE_READONLY) != 0) return false;
    return withRetries([&] { return DeleteFileW(wide.c_str()) != 0; });
}

bool isSpecialFile(const std::string& path) {
    if (path.empty()) return false;
    const DWORD attributes = attributesOf(systemPath(path));
    return attributes != INVALID_FILE_ATTRIBUTES && !isFileAttributes(attributes);
}

bool fileExists(const std::string& path) {
    return !path.empty() && isFileAttributes(attributesOf(systemPath(path)));
}

}  // namespace platform
