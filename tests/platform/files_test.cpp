// File services: exclusive creation, replacement that never loses the old file, listing,
// bounded reading and the data folder.
#include <fcntl.h>
#include <sys/fsuid.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>

#include "platform/files.hpp"
#include "tests/platform/platform_fixture.hpp"

namespace {

using platform::WriteResult;
using Bytes = std::vector<uint8_t>;

Bytes bytesOf(const std::string& s) { return Bytes(s.begin(), s.end()); }

// A 16 KiB file system, so that a write can really run out of room; skipped where
// mounting is not allowed.
class FullDisk {
public:
    explicit FullDisk(const std::string& where) : path_(where) {
        std::filesystem::create_directories(path_);
        mounted_ = ::mount("tmpfs", path_.c_str(), "tmpfs", 0, "size=16k") == 0;
    }
    ~FullDisk() {
        if (mounted_) ::umount(path_.c_str());
    }
    bool mounted() const { return mounted_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
    bool mounted_ = false;
};

// File permissions as an ordinary user sees them, also when the tests run as root (for
// this thread only: root's file-system capabilities drop while its file-system user is
// someone else).
class AsOrdinaryUser {
public:
    AsOrdinaryUser() : wasRoot_(::geteuid() == 0) {
        if (wasRoot_) ::setfsuid(65534);
    }
    ~AsOrdinaryUser() {
        if (wasRoot_) ::setfsuid(0);
    }
    AsOrdinaryUser(const AsOrdinaryUser&) = delete;
    AsOrdinaryUser& operator=(const AsOrdinaryUser&) = delete;

private:
    bool wasRoot_;
};

// A folder that takes no new files but holds one anybody may write.
bool lockFolder(const std::string& folder, const std::string& file) {
    ::chmod(file.c_str(), 0666);
    ::chmod(folder.c_str(), 0555);
    AsOrdinaryUser user;
    const std::string probe = folder + "/probe";
    const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    if (fd < 0) return true;
    ::close(fd);
    ::unlink(probe.c_str());
    return false;
}

std::vector<std::string> entries(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(folder))
        names.push_back(e.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(Files, NewFilesAreCreatedExclusively) {
    ptest::TempFolder dir;
    const std::string path = dir.file("task.dat");
    EXPECT_EQ(platform::writeNewFile(path, bytesOf("first")), WriteResult::Ok);
    EXPECT_EQ(platform::writeNewFile(path, bytesOf("second")), WriteResult::Exists);
    EXPECT_EQ(ptest::readText(path), "first");
    EXPECT_EQ(platform::writeNewFile(dir.file("no/folder.dat"), bytesOf("x")), WriteResult::Failed);
    EXPECT_EQ(platform::writeNewFile(dir.file("empty.dat"), {}), WriteResult::Ok);
    EXPECT_TRUE(platform::fileExists(dir.file("empty.dat")));
}

TEST(Files, ReplacingWritesTheNewContentsAndKeepsPermissions) {
    ptest::TempFolder dir;
    const std::string path = dir.file("solution.sln");
    EXPECT_TRUE(platform::replaceFile(path, bytesOf("one")));  // need not exist yet
    ::chmod(path.c_str(), 0640);
    EXPECT_TRUE(platform::replaceFile(path, bytesOf("two")));
    EXPECT_EQ(ptest::readText(path), "two");
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(entries(dir.path()), std::vector<std::string>{"solution.sln"});  // no temporary left
}

TEST(Files, FailedReplaceKeepsTheOldFile) {
    ptest::TempFolder dir;
    // A folder that is really a file: nothing can be written there.
    ptest::writeBytes(dir.file("plain"), bytesOf("x"));
    EXPECT_FALSE(platform::replaceFile(dir.file("plain/inside.sln"), bytesOf("new")));

    FullDisk disk(dir.file("disk"));
    if (!disk.mounted()) GTEST_SKIP() << "cannot mount a small tmpfs here";
    const std::string path = disk.file("task.sln");
    ASSERT_TRUE(platform::replaceFile(path, bytesOf("old contents")));
    EXPECT_FALSE(platform::replaceFile(path, Bytes(64 * 1024, 'n')));
    EXPECT_EQ(ptest::readText(path), "old contents");
    EXPECT_EQ(entries(dir.file("disk")), std::vector<std::string>{"task.sln"});

    // A new file that does not fit is not left behind half written.
    EXPECT_EQ(platform::writeNewFile(disk.file("big.dat"), Bytes(64 * 1024, 'b')), WriteResult::Failed);
    EXPECT_FALSE(platform::fileExists(disk.file("big.dat")));
}

// Under `ulimit -f` a save was ended by SIGXFSZ and left its temporary file.
TEST(Files, WritingPastTheFileSizeLimitFailsLikeAFullDisk) {
    ptest::TempFolder dir;
    ptest::writeBytes(dir.file("task.sln"), bytesOf("old"));
    rlimit before{};
    ::getrlimit(RLIMIT_FSIZE, &before);
    rlimit small = before;
    small.rlim_cur = 1024;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool replaced = platform::replaceFile(dir.file("task.sln"), Bytes(4096, 'n'));
    const WriteResult created = platform::writeNewFile(dir.file("new.dat"), Bytes(4096, 'n'));
    ::setrlimit(RLIMIT_FSIZE, &before);
    EXPECT_FALSE(replaced);
    EXPECT_EQ(created, WriteResult::Failed);
    EXPECT_EQ(ptest::readText(dir.file("task.sln")), "old");
    EXPECT_EQ(entries(dir.path()), std::vector<std::string>{"task.sln"});
}

// Saving through a link once replaced the link with a plain file and left the target old.
TEST(Files, ReplacingThroughALinkWritesItsTarget) {
    ptest::TempFolder dir;
    std::filesystem::create_directory(dir.file("real"));
    ptest::writeBytes(dir.file("real/task.sln"), bytesOf("old"));
    std::filesystem::create_symlink("real/task.sln", dir.file("link.sln"));
    std::filesystem::create_symlink("real/later.sln", dir.file("dangling.sln"));
    EXPECT_TRUE(platform::replaceFile(dir.file("link.sln"), bytesOf("new")));
    EXPECT_TRUE(platform::replaceFile(dir.file("dangling.sln"), bytesOf("made")));
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("link.sln")));
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("dangling.sln")));
    EXPECT_EQ(ptest::readText(dir.file("real/task.sln")), "new");
    EXPECT_EQ(ptest::readText(dir.file("real/later.sln")), "made");
    EXPECT_EQ(entries(dir.file("real")), (std::vector<std::string>{"later.sln", "task.sln"}));
}

// Run as root, a save onto a device once replaced the device with a plain file.
TEST(Files, OnlyRegularFilesOrNewNamesAreReplaced) {
    ptest::TempFolder dir;
    ASSERT_EQ(::mkfifo(dir.file("pipe").c_str(), 0644), 0);
    std::filesystem::create_directory(dir.file("folder.sln"));
    std::filesystem::create_symlink(dir.file("pipe"), dir.file("link.sln"));
    const bool device = ::mknod(dir.file("null").c_str(), S_IFCHR | 0666, ::makedev(1, 3)) == 0;
    for (const char* name : {"pipe", "folder.sln", "link.sln", "null"}) {
        if (std::string(name) == "null" && !device) continue;
        EXPECT_FALSE(platform::replaceFile(dir.file(name), bytesOf("x"))) << name;
    }
    EXPECT_TRUE(std::filesystem::is_fifo(dir.file("pipe")));
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("folder.sln")));
    EXPECT_TRUE(!device || std::filesystem::is_character_file(dir.file("null")));
}

// The temporary name once added seven bytes to the file's own and broke the name limit.
TEST(Files, ReplacingAFileWhoseNameIsNearTheLimit) {
    ptest::TempFolder dir;
    const std::string name = std::string(251, 'a') + ".sln";
    EXPECT_TRUE(platform::replaceFile(dir.file(name), bytesOf("one")));
    EXPECT_TRUE(platform::replaceFile(dir.file(name), bytesOf("two")));
    EXPECT_EQ(ptest::readText(dir.file(name)), "two");
    EXPECT_EQ(entries(dir.path()), std::vector<std::string>{name});
}

TEST(Files, AFolderThatTakesNoNewFilesHasItsFileWrittenInPlace) {
    ptest::TempFolder dir;
    ::chmod(dir.path().c_str(), 0755);  // an ordinary user may pass through
    std::filesystem::create_directory(dir.file("locked"));
    const std::string path = dir.file("locked/task.sln");
    ptest::writeBytes(path, bytesOf("the old and longer contents"));
    if (!lockFolder(dir.file("locked"), path)) GTEST_SKIP() << "file permissions are not enforced here";
    {
        AsOrdinaryUser user;
        EXPECT_TRUE(platform::replaceFile(path, bytesOf("new")));
        EXPECT_FALSE(platform::replaceFile(dir.file("locked/other.sln"), bytesOf("x")));
    }
    EXPECT_EQ(ptest::readText(path), "new");
    EXPECT_EQ(entries(dir.file("locked")), std::vector<std::string>{"task.sln"});
    ::chmod(dir.file("locked").c_str(), 0755);

    // Written in place on a full disk: reported, and the old contents stay whole.
    FullDisk disk(dir.file("disk"));
    if (!disk.mounted()) GTEST_SKIP() << "cannot mount a small tmpfs here";
    const std::string full = disk.file("task.sln");
    ptest::writeBytes(full, bytesOf("old contents"));
    ptest::writeBytes(disk.file("filler"), Bytes(12 * 1024, 'f'));
    ASSERT_TRUE(lockFolder(dir.file("disk"), full));
    {
        AsOrdinaryUser user;
        EXPECT_FALSE(platform::replaceFile(full, Bytes(8 * 1024, 'n')));
    }
    ::chmod(dir.file("disk").c_str(), 0755);
    EXPECT_EQ(ptest::readText(full), "old contents");
}

TEST(Files, ListingMatchesPrefixAndSuffixOnRegularFilesOnly) {
    ptest::TempFolder dir;
    for (const char* name : {"a.dat", "B.DAT", "c.sln", "unit_x.tga", "unit_.tga", "x.dat.bak"}) {
        ptest::writeBytes(dir.file(name), bytesOf("x"));
    }
    std::filesystem::create_directory(dir.file("folder.dat"));
    std::filesystem::create_symlink(dir.file("a.dat"), dir.file("link.dat"));
    auto dat = platform::listFolder(dir.path(), "", ".dat");
    std::sort(dat.begin(), dat.end());
    EXPECT_EQ(dat, (std::vector<std::string>{"B.DAT", "a.dat", "link.dat"}));
    auto units = platform::listFolder(dir.path(), "unit_", ".tga");
    std::sort(units.begin(), units.end());
    EXPECT_EQ(units, (std::vector<std::string>{"unit_.tga", "unit_x.tga"}));
    EXPECT_TRUE(platform::listFolder(dir.file("missing"), "", ".dat").empty());
    // Prefix and suffix may not overlap in one short name.
    EXPECT_TRUE(platform::listFolder(dir.path(), "a.d", "dat").empty());
}

TEST(Files, ReadingIsBounded) {
    ptest::TempFolder dir;
    ptest::writeBytes(dir.file("f"), bytesOf("12345"));
    EXPECT_EQ(platform::readFile(dir.file("f"), 5), bytesOf("12345"));
    EXPECT_FALSE(platform::readFile(dir.file("f"), 4));
    EXPECT_FALSE(platform::readFile(dir.file("missing"), 100));
    EXPECT_FALSE(platform::readFile(dir.path(), 100));  // a folder
}

// A FIFO chosen as a solution or named as a picture once blocked the game for good.
TEST(Files, OnlyRegularFilesAreReadAndNothingIsWaitedOn) {
    ptest::TempFolder dir;
    ASSERT_EQ(::mkfifo(dir.file("pipe").c_str(), 0644), 0);
    EXPECT_FALSE(platform::readFile(dir.file("pipe"), 100));
    EXPECT_FALSE(platform::readFile("/dev/zero", 100));
    std::filesystem::create_symlink(dir.file("pipe"), dir.file("link.sln"));
    EXPECT_FALSE(platform::readFile(dir.file("link.sln"), 100));
}

TEST(Files, FoldersDeletingAndExistence) {
    ptest::TempFolder dir;
    const std::string deep = dir.file("a/b/c");
    EXPECT_TRUE(platform::createFolders(deep));
    EXPECT_TRUE(platform::createFolders(deep));  // already there
    EXPECT_FALSE(platform::fileExists(deep));    // a folder is not a file
    ptest::writeBytes(dir.file("a/f"), bytesOf("x"));
    EXPECT_TRUE(platform::createFolders(dir.file("a")));
    EXPECT_FALSE(platform::createFolders(dir.file("a/f/g")));
    EXPECT_TRUE(platform::deleteFile(dir.file("a/f")));
    EXPECT_FALSE(platform::deleteFile(dir.file("a/f")));
    EXPECT_FALSE(platform::fileExists(dir.file("a/f")));
}

class EnvVar {
public:
    explicit EnvVar(const char* name) : name_(name) {
        if (const char* v = std::getenv(name)) saved_ = v;
    }
    ~EnvVar() {
        if (saved_) {
            ::setenv(name_, saved_->c_str(), 1);
        } else {
            ::unsetenv(name_);
        }
    }
    void set(const char* value) { value ? ::setenv(name_, value, 1) : ::unsetenv(name_); }

private:
    const char* name_;
    std::optional<std::string> saved_;
};

TEST(Files, DataFolderFollowsTheDesktopConventions) {
    EnvVar xdg("XDG_DATA_HOME");
    EnvVar home("HOME");
    xdg.set("/srv/data");
    EXPECT_EQ(platform::dataFolder(), "/srv/data/Calcora/Ferrolin");
    xdg.set("relative/ignored");
    home.set("/home/pupil");
    EXPECT_EQ(platform::dataFolder(), "/home/pupil/.local/share/Calcora/Ferrolin");
    xdg.set(nullptr);
    home.set(nullptr);
    EXPECT_EQ(platform::dataFolder(), "");
    platform::setDataFolderOverride("/tmp/elsewhere");
    EXPECT_EQ(platform::dataFolder(), "/tmp/elsewhere");
    platform::setDataFolderOverride(std::nullopt);
}

TEST(Files, ProgramFolderHoldsTheRunningExecutable) {
    const std::string folder = platform::programFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_TRUE(platform::fileExists(folder + "/platform_tests"));
    const auto before = std::filesystem::current_path();
    EXPECT_TRUE(platform::setCurrentFolder(folder));
    EXPECT_EQ(std::filesystem::current_path(), std::filesystem::path(folder));
    EXPECT_FALSE(platform::setCurrentFolder(folder + "/no-such-folder"));
    std::filesystem::current_path(before);
}

}  // namespace
