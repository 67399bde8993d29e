// Who is logged in, this computer's name and a pupil's results file, through Windows' own calls.
#include <cstdlib>
#include <sstream>
#include <thread>

#include "platform/files.hpp"
#include "platform/pupil_files.hpp"
#include "tests/platform/platform_fixture.hpp"

namespace {

using Bytes = std::vector<uint8_t>;

std::string text(const std::string& path) {
    const auto bytes = platform::readFile(path, 1 << 20);
    return bytes ? std::string(bytes->begin(), bytes->end()) : std::string("<unreadable>");
}

TEST(WindowsPupilSystem, NamesTheAccountAndTheComputer) {
    EXPECT_FALSE(platform::accountName().empty());
    const char* computer = std::getenv("COMPUTERNAME");
    ASSERT_NE(computer, nullptr);
    EXPECT_EQ(platform::computerName(), computer);
}

// Many computers of a class append to one file on the share at once: every line stays whole
// and none is lost.
TEST(WindowsPupilSystem, AppendsWholeLinesToAnExistingFileOnly) {
    ptest::TempFolder dir;
    const std::string path = dir.file("Класс 5Б/Иванова Аня.txt");
    ASSERT_TRUE(platform::createFolders(dir.file("Класс 5Б")));
    EXPECT_FALSE(platform::appendToFile(path, Bytes{'x'}));
    EXPECT_FALSE(platform::fileExists(path));
    EXPECT_FALSE(platform::appendToFile(dir.file("Класс 5Б"), Bytes{'x'}));

    ASSERT_EQ(platform::writeNewFile(path, Bytes{}), platform::WriteResult::Ok);
    const std::string line = std::string(300, 'a') + "\r\n";
    auto writer = [&](char letter) {
        std::string mine = line;
        mine[0] = letter;
        for (int i = 0; i < 500; ++i)
            EXPECT_TRUE(platform::appendToFile(path, Bytes(mine.begin(), mine.end())));
    };
    std::thread first(writer, '1');
    std::thread second(writer, '2');
    first.join();
    second.join();
    std::istringstream lines(text(path));
    int count = 0;
    for (std::string got; std::getline(lines, got); ++count) {
        ASSERT_EQ(got.size(), line.size() - 1) << "line " << count;
        EXPECT_EQ(got.substr(1), line.substr(1, line.size() - 2));
    }
    EXPECT_EQ(count, 1000);
}

}  // namespace
