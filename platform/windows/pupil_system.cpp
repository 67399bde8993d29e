// Who is logged in, which computer this is, and appending a line to a file, on Windows.
#include <windows.h>
// After windows.h, which they need.
#include <lmcons.h>
#define SECURITY_WIN32
#include <secext.h>

#include "platform/pupil_files.hpp"
#include "platform/windows/wide_path.hpp"

namespace platform {

// The account's display name where the domain or the computer has one, else its login.
std::string accountName() {
    wchar_t name[512];
    ULONG size = 512;
    if (GetUserNameExW(NameDisplay, name, &size) && size > 0)
        return windows::narrow(std::wstring(name, size));
    DWORD login = UNLEN + 1;
    wchar_t user[UNLEN + 1];
    if (GetUserNameW(user, &login) && login > 1) return windows::narrow(std::wstring(user, login - 1));
    return {};
}

std::string computerName() {
    wchar_t name[MAX_COMPUTERNAME_LENGTH + 1];
    DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
    if (!GetComputerNameW(name, &size)) return {};
    return windows::narrow(std::wstring(name, size));
}

// FILE_APPEND_DATA without FILE_WRITE_DATA makes every write land at the end, so lines
// written by several computers at once never mix. Some servers (and Wine) find the end and
// then write there in two steps, where two writers land on one place and a line is lost:
// a lock on one byte far past any end takes the writers one at a time there too.
bool appendToFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    const std::wstring wide = windows::systemPath(path);
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES ||
        (attributes &
         (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE | FILE_ATTRIBUTE_REPARSE_POINT)) != 0)
        return false;
    // Locking needs a right to read or write the data; the file is read before it is added to.
    HANDLE file =
        CreateFileW(wide.c_str(), FILE_APPEND_DATA | FILE_READ_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    bool ok = GetFileType(file) == FILE_TYPE_DISK;
    if (ok && !bytes.empty()) {
        OVERLAPPED lockByte{};
        lockByte.OffsetHigh = 0x7fffffff;
        const bool locked = LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &lockByte);
        DWORD written = 0;
        ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
             written == bytes.size();
        if (locked) UnlockFileEx(file, 0, 1, 0, &lockByte);
    }
    ok = CloseHandle(file) && ok;
    return ok;
}

}  // namespace platform
