// File services on Windows: Cyrillic and long paths, files another program holds, the
// read-only attribute, and where the data and progress live.
#include <algorithm>
#include <thread>

#include "platform/class_folder.hpp"
#include "platform/files.hpp"
#include "platform/system.hpp"
#include "platform/windows/wide_path.hpp"
#include "tests/platform/platform_fixture.hpp"

// After the game's headers, whose message names Windows' own headers define as macros.
#include <shlobj.h>
#include <windows.h>

namespace {

using platform::WriteResult;
using platform::windows::systemPath;
using Bytes = std::vector<uint8_t>;

Bytes bytesOf(const std::string& s) { return Bytes(s.begin(), s.end()); }

std::string text(const std::string& path) {
    const auto bytes = platform::readFile(path, 1 << 20);
    return bytes ? std::string(bytes->begin(), bytes->end()) : std::string("<unreadable>");
}

// Another program holding the file open without sharing it, until release().
class Holder {
public:
    explicit Holder(const std::string& path)
        : handle_(CreateFileW(systemPath(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0,
                              nullptr)) {}
    ~Holder() { release(); }
    bool holding() const { return handle_ != INVALID_HANDLE_VALUE; }
    void release() {
        if (holding()) CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
    }

private:
    HANDLE handle_;
};

TEST(WindowsFiles, CyrillicNamesAndPathsPastTheOldLimitWork) {
    ptest::TempFolder dir;
    std::string folder = dir.path() + "/Ученик/Документы/задачи";
    while (folder.size() < 300) folder += "/очень длинное имя папки";
    ASSERT_TRUE(platform::createFolders(folder));
    const std::string path = folder + "/Переправа.dat";
    EXPECT_EQ(platform::writeNewFile(path, bytesOf("first")), WriteResult::Ok);
    EXPECT_EQ(platform::writeNewFile(path, bytesOf("again")), WriteResult::Exists);
    EXPECT_TRUE(platform::replaceFile(path, bytesOf("second")));
    EXPECT_EQ(text(path), "second");
    EXPECT_EQ(platform::listFolder(folder, "", ".DAT"), std::vector<std::string>{"Переправа.dat"});
    EXPECT_TRUE(platform::deleteFile(path));
    EXPECT_FALSE(platform::fileExists(path));
}

TEST(WindowsFiles, AFileHeldByAnotherProgramIsWaitedForThenReportedAndNeverLost) {
    ptest::TempFolder dir;
    const std::string path = dir.file("task.dat");
    ASSERT_TRUE(platform::replaceFile(path, bytesOf("old")));
    {
        Holder holder(path);
        ASSERT_TRUE(holder.holding());
        EXPECT_FALSE(platform::replaceFile(path, bytesOf("new")));
        EXPECT_FALSE(platform::deleteFile(path));
    }
    EXPECT_EQ(text(path), "old");
    EXPECT_EQ(platform::listFolder(dir.path(), "", ""), std::vector<std::string>{"task.dat"});

    // A holder that lets go within the moment waited for (an antivirus scanning it).
    Holder brief(path);
    std::thread release([&] {
        Sleep(200);
        brief.release();
    });
    EXPECT_TRUE(platform::replaceFile(path, bytesOf("new")));
    release.join();
    EXPECT_EQ(text(path), "new");
}

TEST(WindowsFiles, TheReadOnlyAttributeProtectsAFile) {
    ptest::TempFolder dir;
    const std::string path = dir.file("teacher.dat");
    ASSERT_EQ(platform::writeNewFile(path, bytesOf("kept")), WriteResult::Ok);
    ASSERT_TRUE(SetFileAttributesW(systemPath(path).c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(platform::deleteFile(path));
    EXPECT_FALSE(platform::replaceFile(path, bytesOf("lost")));
    EXPECT_EQ(text(path), "kept");
    SetFileAttributesW(systemPath(path).c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(WindowsFiles, ListingAndReadingTakeOnlyFiles) {
    ptest::TempFolder dir;
    ASSERT_TRUE(platform::createFolders(dir.file("folder.dat")));
    ptest::writeBytes(dir.file("_A.DAT"), bytesOf("a"));
    ptest::writeBytes(dir.file("b.sln"), bytesOf("b"));
    EXPECT_EQ(platform::listFolder(dir.path(), "_", ".dat"), std::vector<std::string>{"_A.DAT"});
    EXPECT_FALSE(platform::readFile(dir.file("folder.dat"), 100));
    EXPECT_FALSE(platform::readFile(dir.file("_A.DAT"), 0));
    EXPECT_FALSE(platform::fileExists(dir.file("folder.dat")));
}

// A folder where a file is expected is never read, replaced nor taken for a configuration.
TEST(WindowsFiles, AFolderInTheWayIsRefusedAndListedAsAFolder) {
    ptest::TempFolder dir;
    ASSERT_TRUE(platform::createFolders(dir.file("folder.dat")));
    ptest::writeBytes(dir.file("Задача.dat"), bytesOf("a"));
    EXPECT_TRUE(platform::isSpecialFile(dir.file("folder.dat")));
    EXPECT_FALSE(platform::isSpecialFile(dir.file("Задача.dat")));
    EXPECT_FALSE(platform::isSpecialFile(dir.file("missing.dat")));
    EXPECT_FALSE(platform::replaceFile(dir.file("folder.dat"), bytesOf("b")));
    EXPECT_TRUE(platform::isSpecialFile(dir.file("folder.dat")));

    auto entries = platform::readFolder(dir.path());
    ASSERT_TRUE(entries);
    std::sort(entries->begin(), entries->end(),
              [](const auto& a, const auto& b) { return a.name < b.name; });
    ASSERT_EQ(entries->size(), 2u);
    EXPECT_EQ((*entries)[0].name, "folder.dat");
    EXPECT_TRUE((*entries)[0].folder);
    EXPECT_EQ((*entries)[1].name, "Задача.dat");
    EXPECT_FALSE((*entries)[1].folder);
    EXPECT_FALSE(platform::readFolder(dir.file("missing")));

    ptest::writeBytes(dir.file("system.conf"), bytesOf("class_folder = C:/class\n"));
    platform::ClassFolderSources sources;
    sources.userConfig = dir.file("folder.dat");
    sources.systemConfig = dir.file("system.conf");
    EXPECT_EQ(platform::resolveClassFolder(sources), "C:/class");
}

// Two copies of the game saving one pupil's progress take turns.
TEST(WindowsFiles, ALockIsHeldByOneAtATime) {
    ptest::TempFolder dir;
    const std::string path = dir.file("Прогресс.lock");
    {
        const platform::FileLock first(path, 0);
        EXPECT_TRUE(first.held());
        const platform::FileLock second(path, 50);
        EXPECT_FALSE(second.held());
    }
    const platform::FileLock third(path, 0);
    EXPECT_TRUE(third.held());
}

std::string known(int csidl) {
    wchar_t path[MAX_PATH];
    EXPECT_EQ(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path), S_OK);
    return platform::windows::gamePath(path);
}

// Tasks are shared by every account of the computer; progress is each pupil's own.
TEST(WindowsFiles, TasksLiveForTheComputerAndProgressForTheUser) {
    platform::setDataFolderOverride(std::nullopt);
    EXPECT_EQ(platform::dataFolder(), known(CSIDL_COMMON_APPDATA) + "/Calcora/Ferrolin");
    EXPECT_EQ(platform::progressFolder(), known(CSIDL_APPDATA) + "/Calcora/Ferrolin");
    const platform::ClassFolderSources sources = platform::classFolderSources();
    EXPECT_EQ(sources.userConfig, known(CSIDL_APPDATA) + "/ferrolin/ferrolin.conf");
    EXPECT_EQ(sources.systemConfig, known(CSIDL_COMMON_APPDATA) + "/ferrolin/ferrolin.conf");
    platform::setDataFolderOverride("C:/elsewhere");
    EXPECT_EQ(platform::progressFolder(), "C:/elsewhere");
    platform::setDataFolderOverride(std::nullopt);
    EXPECT_NE(platform::shownPath("C:/a/b/").find("C:\\a\\b"), std::string::npos);
}

TEST(WindowsFiles, ProgramFolderHoldsTheRunningExecutable) {
    const std::string folder = platform::programFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_TRUE(platform::fileExists(folder + "/platform_tests.exe"));
    EXPECT_TRUE(platform::setCurrentFolder(folder));
    EXPECT_FALSE(platform::setCurrentFolder(folder + "/no-such-folder"));
}

TEST(WindowsShell, OpensAnExistingDocumentByItsFullPath) {
    ptest::TempFolder dir;
    ptest::writeBytes(dir.file("справка.html"), bytesOf("<html></html>"));
    std::vector<std::vector<std::string>> opened;
    platform::setDocumentOpener([&](const std::vector<std::string>& argv) { opened.push_back(argv); });
    platform::openDocument(dir.file("справка.html"));
    platform::openDocument(dir.file("missing.html"));
    platform::setDocumentOpener(nullptr);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], (std::vector<std::string>{"open", dir.file("справка.html")}));
}

}  // namespace
