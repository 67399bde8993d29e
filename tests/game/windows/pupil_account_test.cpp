// Pupils taking turns at one school computer share its tasks, but each account is a pupil
// of its own: the name and id behind the class results stay with the account.
#include <gtest/gtest.h>

#include "platform/files.hpp"
#include "puzzle/class_results.hpp"

namespace {

TEST(WindowsPupil, TheNameAndIdStayWithTheAccountNotTheComputer) {
    const std::string before = platform::dataFolder();
    platform::setDataFolderOverride(std::nullopt);
    const std::string own = platform::progressFolder() + "/pupil.txt";
    const std::string shared = platform::dataFolder() + "/pupil.txt";
    platform::deleteFile(own);
    platform::deleteFile(shared);

    const puzzle::Pupil pupil = puzzle::loadPupil();
    EXPECT_TRUE(platform::fileExists(own));
    EXPECT_FALSE(platform::fileExists(shared));
    EXPECT_EQ(puzzle::loadPupil().id, pupil.id);

    platform::deleteFile(own);
    platform::setDataFolderOverride(before);
}

}  // namespace
