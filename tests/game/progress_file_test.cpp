// The pupil's progress file never loses a mark: two games winning at once both count, and
// a file the game cannot read is kept as it is, and said so once.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include "puzzle/progress.hpp"
#include "support/open_screens.hpp"
#include "support/play_fixture.hpp"
#include "ui/cp1251.hpp"

namespace {

namespace fs = std::filesystem;
using ui::operator""_cp;

std::string readText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class ProgressFileTest : public test::PlayTest {
protected:
    fs::path progress() const { return dataFolder() / "progress.txt"; }
    // The seven crossings of the wolf, goat and cabbage.
    void solve() {
        const int plan[][2] = {{0, 2}, {0, -1}, {0, 1}, {0, 2}, {0, 3}, {0, -1}, {0, 2}};
        for (const auto& crossing : plan) {
            board(crossing[0]);
            if (crossing[1] >= 0) board(crossing[1]);
            sail();
        }
        wait(1100);
    }
};

TEST_F(ProgressFileTest, TwoGamesWinningAtOnceKeepEveryWin) {
    auto wins = [](uint64_t first) {
        for (uint64_t key = first; key < first + 40; ++key) puzzle::saveWin(key, 5);
    };
    std::thread other(wins, 1000);
    wins(2000);
    other.join();
    EXPECT_EQ(puzzle::loadProgress().size(), 80u);
}

// A byte-order mark, a line of a later version, an unknown first line, a file too large,
// a folder in its place: every earlier mark was once replaced by the next win.
TEST_F(ProgressFileTest, AFileItCannotReadIsKeptAndSaidOnce) {
    std::ofstream(progress(), std::ios::binary) << "\xEF\xBB\xBF"
                                                   "Ferrolin progress 1\n0000000000000001 3\nnew 1\n";
    EXPECT_TRUE(puzzle::saveWin(2, 4));
    EXPECT_EQ(readText(progress()),
              "\xEF\xBB\xBF"
              "Ferrolin progress 1\n0000000000000001 3\nnew 1\n0000000000000002 4\n");

    for (const std::string& foreign :
         {std::string("Ferrolin progress 2\n"), std::string(5 << 20, '#')}) {
        std::ofstream(progress(), std::ios::binary) << foreign;
        EXPECT_FALSE(puzzle::saveWin(3, 4));
        EXPECT_TRUE(readText(progress()) == foreign);
    }
    fs::remove(progress());
    fs::create_directory(progress());
    EXPECT_FALSE(puzzle::saveWin(3, 4));
    fs::remove(progress());

    // On the play screen the pupil hears of it once, not at every win.
    std::ofstream(progress(), std::ios::binary) << "Ferrolin progress 2\n";
    load(test::wolfGoatCabbage());
    solve();
    ASSERT_TRUE(test::play().winner->visible);
    click(500, 330);  // the winner picture's close button
    EXPECT_TRUE(test::scenery().messagePopup->visible);
    EXPECT_EQ(test::scenery().messagePopup->text,
              "Твои победы не удаётся сохранить:\nфайл progress.txt недоступен"_cp);
    shot("progress-not-saved");
    test::scenery().messagePopup->visible = false;  // as when it has faded
    ASSERT_TRUE(test::play().undoButton->visible);
    click(test::play().undoButton->x + 10, test::play().undoButton->y + 10);
    board(0);
    board(2);
    sail();
    wait(1100);
    ASSERT_TRUE(test::play().winner->visible);
    click(500, 330);
    EXPECT_FALSE(test::scenery().messagePopup->visible);
    EXPECT_EQ(readText(progress()), "Ferrolin progress 2\n");
}

}  // namespace
