// Where editor characters go when dropped: banks, water, panel, rule cells; deleting one.
#include <gtest/gtest.h>

#include "support/editor_fixture.hpp"

namespace {

class EditorPlacementTest : public test::EditorTest {};

TEST_F(EditorPlacementTest, BanksRecordPlacesAndTheWaterTakesOnlyUnplacedCharacters) {
    goTo(2);
    // x = 350 and x = 800 belong to the water: a new character is gone again.
    EXPECT_EQ(take(0, 350, 300), 0);
    EXPECT_EQ(take(0, 800, 300), 0);

    ASSERT_EQ(take(0, 200, 300), 1);
    const ui::DragDropItem* item = character(0).item;
    EXPECT_EQ(item->id, 0);
    EXPECT_EQ(item->x + item->width / 2, 200);
    EXPECT_EQ(character(0).leftX, item->x);
    EXPECT_EQ(character(0).leftY, item->y);
    EXPECT_EQ(character(0).rightX, 0);
    const int startX = item->x;
    const int startY = item->y;

    // A placed character dropped on the water goes back to where it was taken.
    dragCharacter(0, 350, 300);
    EXPECT_EQ(item->x, startX);
    EXPECT_EQ(item->y, startY);
    dragCharacter(0, 800, 300);
    EXPECT_EQ(item->x, startX);

    // The right bank takes the goal place in any step and keeps the start place.
    dragCharacter(0, 900, 200);
    EXPECT_EQ(character(0).rightX, item->x);
    EXPECT_EQ(character(0).rightY, item->y);
    EXPECT_EQ(character(0).leftX, startX);
    EXPECT_EQ(test::task().characterCount, 1);
    shot("editor_step2_characters");
}

TEST_F(EditorPlacementTest, APlacedCharacterDroppedOnThePanelIsKeptOnlyWithRulesOrAtTheRulesStep) {
    goTo(2);
    ASSERT_EQ(take(0, 200, 300), 1);
    const ui::DragDropItem* item = character(0).item;
    const int startX = item->x;
    const int startY = item->y;

    ASSERT_TRUE(items().ruleList->appendRule());
    dragCharacter(0, 720, 600);  // the panel's border
    EXPECT_EQ(test::task().characterCount, 1);
    EXPECT_EQ(item->x, startX);
    EXPECT_EQ(item->y, startY);
    test::task().ruleCount = 0;

    goTo(4);
    dragCharacter(0, 720, 600);
    EXPECT_EQ(test::task().characterCount, 1);
    EXPECT_EQ(item->x, startX);

    goTo(3);
    dragCharacter(0, 200, 600);  // below the banks
    EXPECT_EQ(test::task().characterCount, 0);
}

TEST_F(EditorPlacementTest, DeletingAMiddleCharacterMovesTheLastIntoItsSlotAndKeepsRulesMeaning) {
    goTo(2);
    ASSERT_EQ(take(0, 100, 300), 1);
    ASSERT_EQ(take(1, 200, 200), 2);
    ASSERT_EQ(take(0, 300, 450), 3);
    ui::DragDropItem* last = character(2).item;
    const int lastLeftX = character(2).leftX;
    test::task().ruleCount = 2;
    test::task().rules[0] = {1, 2, 0, model::ForbidTogether};
    test::task().rules[1] = {2, 1, -1, model::MoreThan};

    editor::deleteCharacter(test::task(), 1);
    ASSERT_EQ(test::task().characterCount, 2);
    EXPECT_EQ(character(1).item, last);
    EXPECT_EQ(last->id, 1);
    EXPECT_EQ(character(1).leftX, lastLeftX);
    EXPECT_EQ(character(2).item, nullptr);
    // The deleted character's cells are empty; the moved one is named by its new slot.
    EXPECT_EQ(test::task().rules[0].first, -1);
    EXPECT_EQ(test::task().rules[0].second, 1);
    EXPECT_EQ(test::task().rules[0].third, 0);
    EXPECT_EQ(test::task().rules[1].first, 1);
    EXPECT_EQ(test::task().rules[1].second, -1);

    editor::deleteCharacter(test::task(), 1);  // the last one: nothing moves
    EXPECT_EQ(test::task().characterCount, 1);
    EXPECT_EQ(test::task().rules[0].second, -1);
    EXPECT_EQ(test::task().rules[0].third, 0);
    EXPECT_EQ(character(0).item->id, 0);
}

TEST_F(EditorPlacementTest, RuleCellsTakeDropsOnlyWhileTheRuleListIsShown) {
    goTo(2);
    ASSERT_EQ(take(0, 200, 300), 1);
    ASSERT_EQ(take(1, 100, 450), 2);
    const int firstCellX = ruleListX() + 20;
    const int addRowY = ruleRowY(0) + 15;

    // At step 2 the hidden table lies under the palette: the drop is an ordinary panel
    // drop, which without rules deletes the character.
    dragCharacter(1, firstCellX, addRowY);
    EXPECT_EQ(test::task().ruleCount, 0);
    EXPECT_EQ(test::task().characterCount, 1);

    goTo(4);
    const ui::DragDropItem* item = character(0).item;
    const int startX = item->x;
    // While dragged over the table the cell under the pointer is lit.
    move(item->x + 5, item->y + 5);
    down(item->x + 5, item->y + 5);
    move(firstCellX - 10, addRowY, true);
    move(firstCellX, addRowY, true);
    EXPECT_EQ(items().ruleList->hoverRow, 0);
    EXPECT_EQ(items().ruleList->hoverColumn, editor::RuleListBox::FirstColumn);
    up(firstCellX, addRowY);
    ASSERT_EQ(test::task().ruleCount, 1);
    EXPECT_EQ(test::task().rules[0].first, 0);
    EXPECT_EQ(test::task().rules[0].second, -1);
    EXPECT_EQ(test::task().rules[0].third, -1);
    EXPECT_EQ(item->x, startX);

    dragCharacter(0, ruleListX() + 100, ruleRowY(0) + 15);  // second cell
    EXPECT_EQ(test::task().rules[0].second, 0);
    dragCharacter(0, ruleListX() + 60, ruleRowY(0) + 15);  // the sign: a panel drop
    dragCharacter(0, ruleListX() + items().ruleList->width - 6, ruleRowY(0) + 5);  // delete mark
    EXPECT_EQ(test::task().ruleCount, 1);
    EXPECT_EQ(test::task().rules[0].kind, model::ForbidTogether);
    EXPECT_EQ(test::task().characterCount, 1);
    EXPECT_EQ(item->x, startX);
}

}  // namespace
