// The class folder: a folder shared by every computer of a classroom (a network mount),
// through which a teacher's tasks reach every pupil. Named in a configuration file:
//   /etc/ferrolin/ferrolin.conf                      the whole computer
//   $XDG_CONFIG_HOME/ferrolin/ferrolin.conf          one user (default ~/.config), wins
//   FERROLIN_CLASS_FOLDER                             the environment, wins over both
// Format: `key = value` lines, `#` starts a comment; the key is `class_folder`.
#pragma once

#include <optional>
#include <string>
#include <vector>

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

// Names of the task files (prefix, suffix as listFolder) in a folder that may be slow or
// gone: nothing when it does not answer within timeoutMs. A listing that hangs is left
// to finish on its own thread.
std::optional<std::vector<std::string>> listFolderWithin(const std::string& folder,
                                                         const std::string& prefix,
                                                         const std::string& suffix, int timeoutMs);

}  // namespace platform
