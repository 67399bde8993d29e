// The class folder named by the environment, a user's or the computer's configuration.
#include "platform/class_folder.hpp"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <fstream>
#include <future>

#include "tests/platform/platform_fixture.hpp"

namespace {

TEST(ClassFolder, MostImportantSourceWinsAndBadLinesAreIgnored) {
    ptest::TempFolder dir;
    auto write = [&](const char* name, const char* text) {
        std::ofstream(dir.file(name)) << text;
        return dir.file(name);
    };
    platform::ClassFolderSources sources;
    sources.userConfig = dir.file("missing.conf");
    sources.systemConfig = dir.file("missing-too.conf");
    EXPECT_EQ(platform::resolveClassFolder(sources), "");

    sources.systemConfig =
        write("system.conf", "# set by the administrator\nclass_folder = /mnt/class # shared\n");
    EXPECT_EQ(platform::resolveClassFolder(sources), "/mnt/class");

    // A user's file without the key leaves the computer's setting in force.
    sources.userConfig = write("empty.conf", "\n   # nothing here\n");
    EXPECT_EQ(platform::resolveClassFolder(sources), "/mnt/class");

    sources.userConfig =
        write("user.conf", "what is this\n= no key\ncolour = red\nclass_folder=/home/t/Класс 5Б\n");
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(platform::resolveClassFolder(sources), "/home/t/Класс 5Б");
    const std::string warnings = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(warnings.find("user.conf:1:"), std::string::npos) << warnings;
    EXPECT_NE(warnings.find("user.conf:2:"), std::string::npos) << warnings;
    EXPECT_NE(warnings.find("user.conf:3:"), std::string::npos) << warnings;

    sources.environment = "/srv/lesson";
    EXPECT_EQ(platform::resolveClassFolder(sources), "/srv/lesson");
}

// FIFOs and /dev are Linux's; on Windows a folder in the way is the case (windows/files_test).
#ifndef _WIN32
// A FIFO as the configuration once froze the game for good, and /dev/zero took gigabytes.
TEST(ClassFolder, OnlySmallRegularConfigurationFilesAreReadAndOthersAreSaidOnce) {
    ptest::TempFolder dir;
    ASSERT_EQ(::mkfifo(dir.file("fifo.conf").c_str(), 0644), 0);
    std::ofstream(dir.file("huge.conf")) << "class_folder = /mnt/huge\n" << std::string(70 * 1024, '#');
    std::ofstream(dir.file("system.conf")) << "class_folder = /mnt/class\n";
    platform::ClassFolderSources sources;
    sources.systemConfig = dir.file("system.conf");
    for (const std::string& user :
         {dir.file("fifo.conf"), dir.file("huge.conf"), std::string("/dev/zero")}) {
        sources.userConfig = user;
        ::testing::internal::CaptureStderr();
        auto resolved =
            std::async(std::launch::async, [&] { return platform::resolveClassFolder(sources); });
        if (resolved.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
            ADD_FAILURE() << user << " was waited on";
            std::ofstream(dir.file("fifo.conf")) << "\n";  // lets the reader go
        }
        EXPECT_EQ(resolved.get(), "/mnt/class") << user;
        EXPECT_NE(::testing::internal::GetCapturedStderr().find(user + ": ignored"), std::string::npos);
        // Said once, however often the folder is looked up.
        ::testing::internal::CaptureStderr();
        EXPECT_EQ(platform::resolveClassFolder(sources), "/mnt/class");
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    }
}
#endif

}  // namespace
