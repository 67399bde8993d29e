// Escape while the button is still down: the menu waits for the release, so that whatever
// is being dragged is dropped by its owner's rules instead of being left where the
// pointer had taken it.
#include <gtest/gtest.h>

#include "app/game.hpp"
#include "app/screens.hpp"
#include "puzzle/play.hpp"
#include "puzzle/task.hpp"
#include "puzzle/task_files.hpp"
#include "support/editor_fixture.hpp"
#include "support/game_fixture.hpp"
#include "support/sample_tasks.hpp"
#include "ui/shell.hpp"

namespace {

class InterruptedDragTest : public test::GameTest {};

TEST_F(InterruptedDragTest, EscapeDuringAPlayDragWaitsForTheRelease) {
    test::writeTaskFile("tasks/wolf.dat", test::wolfGoatCabbage(), false);
    closeMenu();
    ASSERT_TRUE(app::openTask("tasks/wolf.dat"));
    app::finishAnimations();
    ui::DragDropItem* goat = test::task().characters[2].item;
    move(goat->x + 20, goat->y + 20);
    down(goat->x + 20, goat->y + 20);
    move(400, 500, true);  // over the water
    key(platform::Key::Escape);
    EXPECT_FALSE(app::game().menu.picture->visible);
    EXPECT_EQ(ui::shell().items.hot, goat);
    up(400, 500);
    EXPECT_EQ(goat->x, 20);  // back on its bank
    EXPECT_EQ(goat->y, 150);
    // Once released, Escape opens the menu as always.
    key(platform::Key::Escape);
    EXPECT_TRUE(app::game().menu.picture->visible);
}

TEST_F(InterruptedDragTest, LosingTheFocusMidDragIsARelease) {
    test::writeTaskFile("tasks/wolf.dat", test::wolfGoatCabbage(), false);
    closeMenu();
    ASSERT_TRUE(app::openTask("tasks/wolf.dat"));
    app::finishAnimations();
    ui::DragDropItem* goat = test::task().characters[2].item;
    routedMove(goat->x + 20, goat->y + 20);
    routedDown(goat->x + 20, goat->y + 20);
    routedMove(400, 500, true);
    platform::deliverPressLost(app::windowProc);
    EXPECT_EQ(goat->x, 20);
    EXPECT_EQ(goat->y, 150);
    key(platform::Key::Escape);
    EXPECT_TRUE(app::game().menu.picture->visible);

    // A press on the bare background disarms the mouse until its release.
    key(platform::Key::Escape);
    routedMove(700, 560);
    routedDown(700, 560);
    platform::deliverPressLost(app::windowProc);
    key(platform::Key::Escape);
    EXPECT_TRUE(app::game().menu.picture->visible);
}

class InterruptedEditorDragTest : public test::EditorTest {};

TEST_F(InterruptedEditorDragTest, EscapeDuringAPaletteDragWaitsForTheRelease) {
    goTo(2);
    wait(10);
    const editor::PalettePicture* picture = items().characterList->entryPictures[0];
    move(picture->x + 5, picture->y + 5);
    down(picture->x + 5, picture->y + 5);
    ASSERT_EQ(test::task().characterCount, 1);
    move(150, 300, true);
    key(platform::Key::Escape);
    EXPECT_FALSE(app::game().menu.picture->visible);
    up(150, 300);
    // Dropped on the left bank: it has its start place there.
    EXPECT_EQ(test::task().characterCount, 1);
    EXPECT_EQ(character(0).leftX, character(0).item->x);
    EXPECT_EQ(character(0).leftY, character(0).item->y);
}

}  // namespace
