// Test entry point: every test binary runs headless on the virtual clock.
#include <gtest/gtest.h>

#include "platform/class_folder.hpp"
#include "platform/system.hpp"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    platform::setHeadless(true);
    platform::useVirtualClock(100000);
    // This computer's own class folder must not leak into the tests.
    platform::setClassFolderOverride(std::string());
    return RUN_ALL_TESTS();
}
