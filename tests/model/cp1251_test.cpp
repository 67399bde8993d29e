#include <gtest/gtest.h>

#include "tools/cp1251.hpp"

using tools::cp1251ToUtf8;
using tools::utf8ToCp1251;

TEST(Cp1251, EveryByteSurvivesTheRoundTrip) {
    for (int b = 1; b < 256; ++b) {
        if (b == 0x98) continue;  // unassigned in Windows-1251
        const std::string byte(1, static_cast<char>(b));
        EXPECT_EQ(utf8ToCp1251(cp1251ToUtf8(byte)), byte) << b;
    }
    EXPECT_EQ(cp1251ToUtf8("\xC0\xFF\xA8\xB8\xB9"), "АяЁё№");
}

TEST(Cp1251, RefusesWhatItCannotHold) {
    EXPECT_FALSE(utf8ToCp1251("日"));
    EXPECT_FALSE(utf8ToCp1251("😀"));
    EXPECT_FALSE(utf8ToCp1251("\xD0"));          // cut short
    EXPECT_FALSE(utf8ToCp1251("\xD0\x41"));      // not a continuation byte
    EXPECT_FALSE(utf8ToCp1251("\xE0\x81\x81"));  // overlong
    EXPECT_FALSE(utf8ToCp1251("\xC0\x80"));
    EXPECT_EQ(utf8ToCp1251("a\xE2\x80\x94z"), "a\x97z");
}
