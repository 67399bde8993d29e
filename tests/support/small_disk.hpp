// A tiny file system mounted over a folder, to see what saving does when the disk is full
// or read-only. Mounting needs root; tests skip where it is not allowed.
#pragma once

#ifndef _WIN32
#include <sys/mount.h>
#endif

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace test {

class SmallDisk {
public:
    // Mounts a tmpfs of `size` (mount syntax, e.g. "16k") over folder, which is created.
    SmallDisk(const std::filesystem::path& folder, const char* size) : folder_(folder) {
        std::filesystem::create_directories(folder_);
#ifndef _WIN32
        const std::string options = std::string("size=") + size;
        mounted_ = ::mount("tmpfs", folder_.c_str(), "tmpfs", 0, options.c_str()) == 0;
#else
        (void)size;  // Windows mounts no small disks: the tests that need one skip
#endif
    }
    ~SmallDisk() {
#ifndef _WIN32
        if (mounted_) ::umount2(folder_.c_str(), MNT_DETACH);
#endif
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool mounted() const { return mounted_; }

    // Takes every free byte with one file.
    void fill() const {
        std::ofstream out(folder_ / "filler", std::ios::binary);
        const std::vector<char> block(4096, 'f');
        for (int i = 0; i < 1024 && out; ++i)
            out.write(block.data(), static_cast<std::streamsize>(block.size()));
    }
    bool makeReadOnly() const {
#ifndef _WIN32
        return ::mount("tmpfs", folder_.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr) == 0;
#else
        return false;
#endif
    }

    // Names in the folder, the filler left out.
    std::vector<std::string> files() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder_)) {
            if (entry.path().filename() != "filler") names.push_back(entry.path().filename().string());
        }
        return names;
    }

private:
    std::filesystem::path folder_;
    bool mounted_ = false;
};

}  // namespace test
