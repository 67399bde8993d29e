// Paths between the program's strings (UTF-8, as file names are on Linux) and
// std::filesystem, which on Windows would read a narrow string in the C library's code
// page and turn Cyrillic names into other letters.
#pragma once

#include <filesystem>
#include <string>

namespace base {

inline std::filesystem::path toPath(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

inline std::string fromPath(const std::filesystem::path& path) {
    const std::u8string utf8 = path.u8string();
    return std::string(utf8.begin(), utf8.end());
}

}  // namespace base
