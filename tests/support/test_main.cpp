// Test entry point: every test binary runs headless on the virtual clock.
#include <gtest/gtest.h>

#include "platform/system.hpp"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    platform::setHeadless(true);
    platform::useVirtualClock(100000);
    return RUN_ALL_TESTS();
}
