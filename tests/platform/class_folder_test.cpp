// The class folder named by the environment, a user's or the computer's configuration.
#include "platform/class_folder.hpp"

#include <gtest/gtest.h>

#include <fstream>

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

}  // namespace
