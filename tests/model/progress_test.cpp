#include <gtest/gtest.h>

#include "model/progress.hpp"

using namespace model;

TEST(Progress, RoundTripKeepsTheBestCounts) {
    Progress progress;
    EXPECT_TRUE(recordSolved(progress, 0x0123456789abcdefULL, 9));
    EXPECT_TRUE(recordSolved(progress, 0xfedcba9876543210ULL, 11));
    // A longer win keeps the best; a shorter one replaces it.
    EXPECT_FALSE(recordSolved(progress, 0x0123456789abcdefULL, 12));
    EXPECT_TRUE(recordSolved(progress, 0x0123456789abcdefULL, 7));
    const std::string text = formatProgress(progress);
    EXPECT_NE(text.find("0123456789abcdef 7\n"), std::string::npos);
    EXPECT_EQ(parseProgress(text), progress);
}

TEST(Progress, DamagedTextMeansNothingOrOnlyWhatCanBeRead) {
    EXPECT_TRUE(parseProgress("").empty());
    EXPECT_TRUE(parseProgress("\x89PNG\r\n\x1a\n garbage 0123456789abcdef 7\n").empty());
    EXPECT_TRUE(parseProgress("0123456789abcdef 7\n").empty());  // no first line

    // Cut short, edited by hand, written on another system: the good lines count.
    const Progress read = parseProgress(
        "Ferrolin progress 1\r\n"
        "0123456789abcdef 7\r\n"
        "0123456789abcdef\n"
        "123 5\n"
        "fedcba9876543210 -3\n"
        "fedcba9876543210 4x\n"
        "00000000000000ff 99999999999999999999\n"
        "00000000000000aa 5");
    EXPECT_EQ(read, (Progress{{0x0123456789abcdefULL, 7}, {0xaaULL, 5}}));
}

// The pack's renumbered tasks keep the wins pupils had under their old titles.
TEST(Progress, RenamedTasksKeepTheirWins) {
    Progress progress{{0x1, 7}, {0x3, 5}, {0x4, 4}};
    carryOverRenamed(progress,
                     "0000000000000001 0000000000000002\n"
                     "0000000000000003 0000000000000004\r\n"  // the new key's better count stays
                     "garbage\n"
                     "0000000000000009 000000000000000a\n");  // never solved
    EXPECT_EQ(progress, (Progress{{0x1, 7}, {0x2, 7}, {0x3, 5}, {0x4, 4}}));
}

// A win once rewrote the file from what it understood: a byte-order mark from a text
// editor or one line of a later version lost every earlier mark.
TEST(Progress, AWinKeepsEveryLineItDoesNotUnderstand) {
    const std::string text =
        "\xEF\xBB\xBF"
        "Ferrolin progress 1\r\n"
        "# my notes\r\n"
        "0123456789abcdef 7\r\n"
        "medal 0123456789abcdef gold\r\n";
    EXPECT_TRUE(isProgressText(text));
    EXPECT_EQ(parseProgress(text), (Progress{{0x0123456789abcdefULL, 7}}));
    EXPECT_EQ(withWin(text, 0x0123456789abcdefULL, 8), std::nullopt);
    EXPECT_EQ(
        withWin(text, 0x0123456789abcdefULL, 5),
        "\xEF\xBB\xBF"
        "Ferrolin progress 1\r\n# my notes\r\n0123456789abcdef 5\r\nmedal 0123456789abcdef gold\r\n");
    EXPECT_EQ(withWin("Ferrolin progress 1\nodd", 0xffULL, 3),
              "Ferrolin progress 1\nodd\n00000000000000ff 3\n");
    EXPECT_FALSE(isProgressText("Ferrolin progress 2\n"));
}
