// The pupil's results file: what a win line holds, and what reading makes of a file that
// was cut short, written by hand or is not ours.
#include <gtest/gtest.h>

#include "model/class_results.hpp"

TEST(ClassResults, WinsReadBackAndALaterNameCorrectsTheFile) {
    model::WinRecord win{"2026-03-02", 0x00ab00cd00ef0012ULL, 9, 7, 2, "4. Волк,\tкоза"};
    const std::string line = model::winLine(win);
    EXPECT_EQ(line, "win\t2026-03-02\t00ab00cd00ef0012\t9\t7\t2\t4. Волк, коза\n");
    win.shortest.reset();
    const std::string text =
        model::resultsFileStart("Аня Петрова") + line + model::pupilLine("Аня") + model::winLine(win);
    const model::ResultsFile file = model::parseResults(text);
    ASSERT_TRUE(file.ours);
    EXPECT_EQ(file.pupil, "Аня");
    ASSERT_EQ(file.wins.size(), 2u);
    EXPECT_EQ(file.wins[0].key, 0x00ab00cd00ef0012ULL);
    EXPECT_EQ(file.wins[0].crossings, 9);
    EXPECT_EQ(file.wins[0].shortest, 7);
    EXPECT_EQ(file.wins[0].hints, 2);
    EXPECT_EQ(file.wins[0].title, "4. Волк, коза");
    EXPECT_EQ(file.wins[1].shortest, std::nullopt);
    EXPECT_EQ(file.unreadLines, 0);
}

TEST(ClassResults, DamagedLinesAreCountedAndForeignFilesAreNotOurs) {
    const std::string good = "win\t2026-03-02\t0000000000000001\t5\t5\t0\tx\n";
    const std::string text = model::resultsFileStart("Боря") + "garbage\n" + good +
                             "win\t2026-03-02\t0000000000000001\t0\t5\t0\tx\n"  // no crossings
                             "win\t2026-3-2\t0000000000000001\t5\t5\t0\tx\n"    // a broken date
                             "win\t2026-03-02\t01\t5\t5\t0\tx\n" +              // a short key
                             good.substr(0, 20);                                // cut short
    const model::ResultsFile file = model::parseResults(text);
    EXPECT_TRUE(file.ours);
    EXPECT_EQ(file.wins.size(), 1u);
    EXPECT_EQ(file.unreadLines, 5);
    EXPECT_FALSE(model::parseResults("pupil\tБоря\n" + good).ours);
    EXPECT_FALSE(model::parseResults("").ours);
}
