// File-system services: the program and data folders, folder listing, reading, safe
// writing and deleting. Paths are file-system bytes with '/' separators.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// The folder of the running executable.
std::string programFolder();
bool setCurrentFolder(const std::string& folder);
// $XDG_DATA_HOME (or ~/.local/share) + "/Calcora/Ferrolin"; empty when neither is
// known. Not created here.
std::string dataFolder();
// Where a pupil's own progress is kept: the data folder on Linux (already per user); on
// Windows, where the data folder is shared by every account, the user's %APPDATA%.
// Follows the data folder's override.
std::string progressFolder();
// The path as a person looks for it in a file manager: absolute, the home folder as "~".
std::string shownPath(const std::string& path);
// Tests point the data folder elsewhere.
void setDataFolderOverride(std::optional<std::string> folder);

// Creates the folder with its missing parents.
bool createFolders(const std::string& folder);

// Names (not paths) of the regular files in folder whose names start with prefix and
// end with suffix, in the order the file system lists them. A missing folder gives none.
std::vector<std::string> listFolder(const std::string& folder, const std::string& prefix,
                                    const std::string& suffix);

// Every entry of a folder, any path length; a link counts as what it is, not as what it
// names. Nothing when the folder cannot be read to its end.
struct FolderEntry {
    std::string name;
    bool folder = false;
};
std::optional<std::vector<FolderEntry>> readFolder(const std::string& folder);

// Whole regular file (a path of any length), or nothing when it cannot be opened, is larger than maxBytes or is
// anything else (a FIFO, a device, a folder: never waited on).
std::optional<std::vector<uint8_t>> readFile(const std::string& path, size_t maxBytes);

enum class WriteResult { Ok, Exists, Failed, NoAnswer };
// Creates the file exclusively and writes all bytes; Exists when the name is taken.
// A partly written file is removed. Writing past the process's file size limit is a
// failure like a full disk, never the end of the program.
WriteResult writeNewFile(const std::string& path, const std::vector<uint8_t>& bytes);
// Writes a temporary file in the same folder and renames it over path, so that a
// failed write never destroys the previous file. A symbolic link keeps pointing at the
// file, which is what gets replaced. Where the folder takes no new files, a writable
// file is overwritten in place. Anything but a regular file or a new name (a device, a
// FIFO, a folder) is refused and left as it was.
bool replaceFile(const std::string& path, const std::vector<uint8_t>& bytes);

// An advisory lock that every copy of the game takes under the same name (the file is
// made when missing), held while the object lives. Waits at most timeoutMs for another
// holder; held() says whether it got the lock.
class FileLock {
public:
    FileLock(const std::string& path, int timeoutMs);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    bool held() const { return held_; }

private:
    int fd_ = -1;
    bool held_ = false;
};

// Tests stand in for a file system that stops answering: the hook is called with the path
// at the start of every listing, read, write and deletion, on the thread that makes it, and
// may block there. Nothing (the default) for none.
void setFileAccessHook(std::function<void(const std::string& path)> hook);

// Refuses a regular file without its owner's write bit, whoever runs the program.
bool deleteFile(const std::string& path);
bool fileExists(const std::string& path);
// The name (through links) is taken by something other than a regular file.
bool isSpecialFile(const std::string& path);

}  // namespace platform
