// The one Windows-1251 table: the game's drawing and text boxes leave out what the code page
// lacks, the task-pack builder refuses it.
#include <gtest/gtest.h>

#include "base/cp1251.hpp"

namespace {

using base::cp1251::fromUtf8;
using base::cp1251::fromUtf8Exact;
using base::cp1251::toUtf8;

TEST(Cp1251, EveryDefinedByteSurvivesTheRoundTrip) {
    std::string all;
    for (int b = 1; b < 256; ++b) {
        if (b != 0x98) all += static_cast<char>(b);  // the one byte the code page leaves out
    }
    EXPECT_EQ(fromUtf8(toUtf8(all)), all);
    EXPECT_EQ(fromUtf8Exact(toUtf8(all)), all);
    EXPECT_EQ(toUtf8("\xC0\xFF\xA8\xB8\xB9"), "АяЁё№");
    EXPECT_EQ(toUtf8("a\x98z"), "az");
    EXPECT_EQ(fromUtf8("\xE2\x82\xAC"), "\x88");  // the euro sign exists
    EXPECT_EQ(fromUtf8Exact("a\xE2\x80\x94z"), "a\x97z");
}

TEST(Cp1251, TypedTextLosesWhatTheCodePageLacksAndTaskSourcesAreRefused) {
    const struct {
        const char* utf8;
        const char* typed;
    } cases[] = {
        {"a\xE4\xB8\xAD"
         "b",
         "ab"},  // a CJK character
        {"a\xF0\x9F\x98\x80"
         "b",
         "ab"},  // an emoji
        {"a\xD0"
         "b\xFF"
         "c",
         "abc"},               // broken UTF-8
        {"\xD0", ""},          // cut short
        {"a\xC0\x80z", "az"},  // an overlong NUL must not cut the text short
        {"\xE0\x81\x81", ""},  // overlong
        {"\xED\xA0\x80", ""},  // a surrogate
    };
    for (const auto& c : cases) {
        EXPECT_EQ(fromUtf8(c.utf8), c.typed) << c.utf8;
        EXPECT_FALSE(fromUtf8Exact(c.utf8)) << c.utf8;
    }
}

}  // namespace
