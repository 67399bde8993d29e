// Puts a built file or folder into a test's own folder without copying its bytes: a
// symbolic link, or where the system makes none (Windows), hard links to its files.
#pragma once

#include <filesystem>

namespace test {

inline void linkInto(const std::filesystem::path& built, const std::filesystem::path& at) {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (fs::is_directory(built)) {
        fs::create_directory_symlink(built, at, ec);
        if (!ec) return;
        fs::create_directory(at);
        for (const auto& entry : fs::directory_iterator(built))
            linkInto(entry.path(), at / entry.path().filename());
        return;
    }
    fs::create_symlink(built, at, ec);
    if (ec) fs::create_hard_link(built, at, ec);
    if (ec) fs::copy_file(built, at);
}

}  // namespace test
