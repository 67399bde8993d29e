// The class folder: a folder shared by every computer of a classroom (a network mount),
// through which a teacher's tasks reach every pupil. Named in a configuration file:
//   /etc/ferrolin/ferrolin.conf                      the whole computer
//   $XDG_CONFIG_HOME/ferrolin/ferrolin.conf          one user (default ~/.config), wins
//   FERROLIN_CLASS_FOLDER                             the environment, wins over both
// On Windows: %ProgramData%\ferrolin\ferrolin.conf, %APPDATA%\ferrolin\ferrolin.conf,
// FERROLIN_CLASS_FOLDER, in the same order.
// Format: `key = value` lines, `#` starts a comment; the key is `class_folder`.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/files.hpp"

namespace platform {

// Where the class folder may be named, most important first; empty entries are skipped.
struct ClassFolderSources {
    std::optional<std::string> environment;
    std::string userConfig;
    std::string systemConfig;
};

ClassFolderSources classFolderSources();

// The folder named by the most important source that names one; empty when none does.
// A malformed line is reported on standard error and ignored. The folder itself is not
// looked at here: a network folder may hang, so the caller looks at it with a time bound.
std::string resolveClassFolder(const ClassFolderSources& sources);

// resolveClassFolder(classFolderSources()), or the override.
std::string classFolder();
// Tests and scripts set the class folder ("" for none) instead of this computer's.
void setClassFolderOverride(std::optional<std::string> folder);

// Access to a folder that may be slow or gone (a network mount that lists but never opens
// files): each call runs on a thread of its own and is waited for at most timeoutMs. One
// that does not answer in time is left to finish there (a thread blocked in the kernel
// cannot be called back), and what it would still do is undone.

// How long the game waits for the class folder before it takes it as silent.
constexpr int kClassFolderPatienceMs = 1000;

// Names of the task files (prefix, suffix as listFolder); nothing when no answer came.
std::optional<std::vector<std::string>> listFolderWithin(const std::string& folder,
                                                         const std::string& prefix,
                                                         const std::string& suffix, int timeoutMs);

// As readFile; answered is false when no answer came in time.
struct TimedRead {
    bool answered = false;
    std::optional<std::vector<uint8_t>> bytes;
};
TimedRead readFileWithin(const std::string& path, size_t maxBytes, int timeoutMs);

// As deleteFile; nothing when no answer came in time.
std::optional<bool> deleteFileWithin(const std::string& path, int timeoutMs);

// As writeNewFile, or NoAnswer; a file that is made after the wait ended is removed again,
// so nothing half written or unexpected stays behind.
WriteResult writeNewFileWithin(const std::string& path, const std::vector<uint8_t>& bytes,
                               int timeoutMs);

}  // namespace platform
