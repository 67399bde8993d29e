// What the play screen does for a pupil beyond judging: the hint, the best count at the
// win, refusals that say why.
#include <gtest/gtest.h>

#include "puzzle/hint.hpp"
#include "puzzle/play.hpp"
#include "puzzle/task.hpp"
#include "puzzle/task_files.hpp"
#include "support/game_fixture.hpp"
#include "support/sample_tasks.hpp"

namespace {

using namespace ui;
using puzzle::play;
using puzzle::task;

class PupilHelpTest : public test::GameTest {
protected:
    void load(const model::TaskData& data) {
        test::writeTaskFile("tasks/task.dat", data, false);
        closeMenu();
        ASSERT_TRUE(puzzle::readTaskFile("tasks/task.dat"));
    }
    DragDropItem* item(int i) { return task.characters[static_cast<size_t>(i)].item; }
    void board(int i) { drag(item(i)->x + 30, item(i)->y + 30, task.boat->x + 100, task.boat->y + 20); }
    // The top edge of the pointer frame around an item, once it has landed.
    uint32_t frameAbove(const VisualItem* target) { return pixel(target->x + target->width / 2, target->y - 2); }
};

TEST_F(PupilHelpTest, HintPointsAtWhomToTakeAndTheArrow) {
    load(test::wolfGoatCabbage());  // farmer 0, wolf 1, goat 2, cabbage 3
    // The wolf may stay aboard and take the cabbage along.
    board(1);
    key('H');
    wait(1500);
    EXPECT_EQ(frameAbove(item(3)), 0xFFFFFF00u);
    EXPECT_NE(frameAbove(item(0)), 0xFFFFFF00u);
    EXPECT_EQ(play.rightArrow->colour, 0xFFFFFFFFu);
    wait(4000);
    EXPECT_EQ(play.rightArrow->colour, 0x50FFFFFFu);
    EXPECT_NE(frameAbove(item(3)), 0xFFFFFF00u);

    // The goat and the cabbage would be left alone on the far bank: one must get out.
    drag(item(1)->x + 30, item(1)->y + 30, 100, 90);
    board(2);
    board(3);
    click(650, 500);
    wait(1500);
    shot("hint-screen");
    EXPECT_EQ(frameAbove(item(2)), 0xFFFF0000u);
    EXPECT_EQ(play.rightArrow->colour, 0xFFFFFFFFu);
    EXPECT_EQ(puzzle::hintsUsed(), 2);

    // Under the menu there is nothing to hint.
    key(platform::VK_ESCAPE);
    key('H');
    EXPECT_EQ(puzzle::hintsUsed(), 2);
}

}  // namespace
