// Rows of the move list: where the small pictures and arrows go, and the undo button.
#include <gtest/gtest.h>

#include "puzzle/move_list_box.hpp"
#include "puzzle/play.hpp"
#include "puzzle/task_files.hpp"
#include "support/game_fixture.hpp"
#include "support/open_screens.hpp"
#include "support/sample_tasks.hpp"

namespace {

using puzzle::MoveListBox;

std::vector<int> xs(const MoveListBox::RowLayout& layout) {
    std::vector<int> out;
    for (const auto& p : layout.pictures) out.push_back(p.x);
    out.push_back(layout.arrowX);
    return out;
}

TEST(MoveListLayout, PicturesAreSpacedByHowManyCrossed) {
    // Characters 0 and 2 to the right: 150, 100, arrow 50; back: 50, 100, arrow 150.
    EXPECT_EQ(xs(MoveListBox::layoutRow({0b101, 1}, 0)), (std::vector<int>{150, 100, 50}));
    EXPECT_EQ(xs(MoveListBox::layoutRow({0b101, -1}, 0)), (std::vector<int>{50, 100, 150}));
    // An empty crossing shows the small boat.
    const auto empty = MoveListBox::layoutRow({0, 1}, 10);
    ASSERT_EQ(empty.pictures.size(), 1u);
    EXPECT_EQ(empty.pictures[0].character, -1);
    EXPECT_EQ(xs(empty), (std::vector<int>{160, 110}));
    EXPECT_EQ(xs(MoveListBox::layoutRow({0b1, 1}, 0)), (std::vector<int>{150, 100}));
    // Three are 33 px apart, four 25 px.
    EXPECT_EQ(xs(MoveListBox::layoutRow({0b111, 1}, 0)), (std::vector<int>{150, 117, 84, 34}));
    EXPECT_EQ(xs(MoveListBox::layoutRow({0b1111, -1}, 0)), (std::vector<int>{50, 75, 100, 125, 175}));
    // Every passenger has a picture, the last character too.
    model::PassengerSet high;
    high.set(0).set(31).set(127);
    const auto row = MoveListBox::layoutRow({high, 1}, 0);
    ASSERT_EQ(row.pictures.size(), 3u);
    EXPECT_EQ(row.pictures[2].character, 127);
}

class MoveListTest : public test::GameTest {};

TEST_F(MoveListTest, UndoButtonSitsInTheRowAfterTheLastMove) {
    model::TaskData data = test::wolfGoatCabbage();
    data.rules.clear();
    test::writeTaskFile("tasks/t.dat", data, false);
    closeMenu();
    ASSERT_TRUE(app::openTask("tasks/t.dat"));
    app::finishAnimations();
    MoveListBox* list = test::play().moveList;
    wait(10);
    EXPECT_EQ(list->rowCount(), 1);
    EXPECT_FALSE(test::play().undoButton->visible);
    list->append({0b0101, 1});
    list->append({0b0001, -1});
    list->append({0b1111, 1});
    wait(10);
    EXPECT_TRUE(test::play().undoButton->visible);
    EXPECT_EQ(test::play().undoButton->x, list->x);
    EXPECT_EQ(test::play().undoButton->y, list->y + 3 * 33);
    shot("move-list-rows");
}

}  // namespace
