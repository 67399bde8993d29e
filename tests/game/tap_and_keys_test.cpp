// Play without dragging: taps that board and unboard, the keys that sail and undo, and
// the help key.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/game.hpp"
#include "puzzle/move_list_box.hpp"
#include "support/open_screens.hpp"
#include "support/play_fixture.hpp"
#include "ui/cp1251.hpp"

namespace {

using namespace ui;
using namespace scene;

class TapAndKeysTest : public test::PlayTest {
protected:
    void tap(int i) { click(item(i)->x + 30, item(i)->y + 30); }
    void ctrlKey(platform::Key k) {
        routedKey(k, true);
        app::finishAnimations();
    }
};

TEST_F(TapAndKeysTest, TapsBoardUpToTheCapacityAndTakePassengersAshore) {
    load(test::wolfGoatCabbage());
    tap(0);
    ASSERT_EQ(passengers(), 1);
    EXPECT_EQ(item(0)->x, 235 + (200 - 60) / 2 - 10);
    // A finger's tremor is still a tap.
    const int gx = item(2)->x + 30, gy = item(2)->y + 30;
    move(gx, gy);
    down(gx, gy);
    move(gx + 3, gy - 2, true);
    up(gx + 3, gy - 2);
    ASSERT_EQ(passengers(), 2);
    EXPECT_EQ(test::task().boat->attached, item(2));
    // The boat is full: the wolf stays where it stood.
    tap(1);
    EXPECT_EQ(passengers(), 2);
    EXPECT_EQ(item(1)->x, 100);
    EXPECT_EQ(item(1)->y, 60);
    // A tap on a passenger takes it back to its place; the one beside it closes up.
    tap(2);
    EXPECT_EQ(passengers(), 1);
    EXPECT_EQ(item(2)->x, 20);
    EXPECT_EQ(item(2)->y, 150);
    EXPECT_EQ(item(0)->x, 235 + (200 - 60) / 2 - 10);
    // A press that wanders off and comes back is a drag, dropped where it ended.
    move(gx, gy);
    down(gx, gy);
    move(gx + 40, gy, true);
    move(gx, gy, true);
    up(gx, gy);
    EXPECT_EQ(passengers(), 1);
    EXPECT_EQ(item(2)->x, 20);
}

// A tap once refused silently, and a tap ashore showed a refusal it never met.
TEST_F(TapAndKeysTest, ATapTellsWhatADragTellsAndNoMore) {
    load(test::wolfGoatCabbage());
    PopupMessage* popup = test::scenery().messagePopup;
    tap(0);
    tap(2);
    tap(1);  // the boat is full
    ASSERT_TRUE(popup->visible);
    EXPECT_EQ(popup->text, "В лодке больше нет места"_cp);
    popup->visible = false;
    tap(2);
    EXPECT_EQ(passengers(), 1);
    EXPECT_FALSE(popup->visible);
    // Dragged where it does not fit, the same words.
    board(2);
    board(1);
    EXPECT_TRUE(popup->visible);
    // The next task starts without the last one's message.
    ASSERT_TRUE(app::openTask("tasks/task.dat"));
    app::finishAnimations();
    EXPECT_FALSE(popup->visible);
}

TEST_F(TapAndKeysTest, ATaskIsSolvedWithTapsAndKeysAndCtrlZUndoes) {
    load(test::wolfGoatCabbage());
    const int plan[][2] = {{0, 2}, {0, -1}, {0, 1}, {0, 2}, {0, 3}, {0, -1}, {0, 2}};
    bool space = false;
    for (const auto& crossing : plan) {
        tap(crossing[0]);
        if (crossing[1] >= 0) tap(crossing[1]);
        key((space = !space) ? platform::Key::Space : platform::Key::Enter);
        ASSERT_FALSE(test::scenery().messagePopup->visible) << test::scenery().messagePopup->text;
    }
    EXPECT_EQ(test::play().moveList->moveCount, 7);
    // A character on the far bank cannot be tapped aboard.
    tap(1);
    EXPECT_EQ(passengers(), 0);
    wait(1100);
    ASSERT_TRUE(test::play().winner->visible);
    // The winner picture holds the input: neither key reaches the game beneath it.
    ctrlKey(platform::Key::Z);
    key(platform::Key::Enter);
    EXPECT_EQ(test::play().moveList->moveCount, 7);
    EXPECT_EQ(test::task().boat->x, 675);
    click(500, 330);
    ASSERT_FALSE(test::play().winner->visible);
    key(platform::Key::Z);  // without Ctrl it is only a letter
    EXPECT_EQ(test::play().moveList->moveCount, 7);
    ctrlKey(platform::Key::Z);
    EXPECT_EQ(test::play().moveList->moveCount, 6);
    EXPECT_EQ(test::task().boat->x, 235);
    EXPECT_EQ(item(2)->x, 20);
    EXPECT_TRUE(test::play().rightArrow->visible);
}

TEST_F(TapAndKeysTest, KeysWaitForTheMenuAndForAPressToEnd) {
    load(test::wolfGoatCabbage());
    tap(0);
    key(platform::Key::Escape);
    ASSERT_TRUE(app::game().menu.picture->visible);
    key(platform::Key::Space);
    EXPECT_EQ(test::task().boat->x, 235);
    key(platform::Key::Escape);
    ASSERT_FALSE(app::game().menu.picture->visible);
    // In the middle of a drag the boat does not leave from under the character.
    move(item(2)->x + 30, item(2)->y + 30);
    down(item(2)->x + 30, item(2)->y + 30);
    key(platform::Key::Enter);
    EXPECT_EQ(test::task().boat->x, 235);
    up(item(2)->x + 30, item(2)->y + 30);
    key(platform::Key::Enter);
    EXPECT_EQ(test::task().boat->x, 675);
    EXPECT_EQ(test::play().moveList->moveCount, 1);
}

TEST_F(TapAndKeysTest, F1OpensTheHelpEvenOverTheMenu) {
    std::vector<std::string> opened;
    platform::setDocumentOpener([&](const std::vector<std::string>& argv) { opened = argv; });
    std::filesystem::create_directories("help");
    std::ofstream("help/index.html") << "<html></html>";
    ASSERT_TRUE(app::game().menu.picture->visible);
    key(platform::Key::F1);
    platform::setDocumentOpener(nullptr);
    ASSERT_FALSE(opened.empty());
    EXPECT_NE(opened.back().find("help/index.html"), std::string::npos);
    EXPECT_TRUE(app::game().menu.picture->visible);
}

}  // namespace
