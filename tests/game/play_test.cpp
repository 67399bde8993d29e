// Playing a task through the window procedure: boarding, crossings, refusals, undo, the win.
#include <gtest/gtest.h>

#include "app/screen.hpp"
#include "platform/system.hpp"
#include "puzzle/move_list_box.hpp"
#include "puzzle/play.hpp"
#include "puzzle/task.hpp"
#include "puzzle/task_files.hpp"
#include "scene/scene.hpp"
#include "support/open_screens.hpp"
#include "support/play_fixture.hpp"
#include "support/sample_tasks.hpp"
#include "ui/cp1251.hpp"
#include "ui/frame.hpp"
#include "ui/shell.hpp"

namespace {

using namespace ui;
using namespace scene;

using test::PlayTest;

TEST_F(PlayTest, LoadingPutsEverybodyOnTheLeftBankInTheirColours) {
    model::TaskData data = test::wolfGoatCabbage();
    data.characters[1].colour = 0xFF80C0FF;  // kinds of one picture differ by colour
    load(data);
    EXPECT_EQ(item(1)->colour, 0xFF80C0FFu);
    EXPECT_EQ(item(0)->colour, 0xFFFFFFFFu);
    EXPECT_EQ(app::screenKind(), app::ScreenKind::Play);
    EXPECT_EQ(test::task().characterCount, 4);
    EXPECT_EQ(test::task().boat->x, 235);
    EXPECT_EQ(test::task().boat->y, 300);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(puzzle::placeOf(test::task(), i, 1), -1);
    EXPECT_TRUE(test::play().rightArrow->visible);
    EXPECT_FALSE(test::play().leftArrow->visible);
    EXPECT_TRUE(test::scenery().woodPanel->visible);
    EXPECT_EQ(test::scenery().woodPanel->attached, test::play().moveList);
}

TEST_F(PlayTest, BoardingRespectsCapacityAndOrder) {
    load(test::wolfGoatCabbage());
    board(0);
    ASSERT_EQ(passengers(), 1);
    // The first passenger stands a little left of the boat's middle, feet 30 px up.
    EXPECT_EQ(item(0)->x, 235 + (200 - 60) / 2 - 10);
    EXPECT_EQ(item(0)->y, 300 + 80 - 60 - 30);
    board(2);
    ASSERT_EQ(passengers(), 2);
    // The newcomer is leftmost, 2 px from its right neighbour.
    EXPECT_EQ(test::task().boat->attached, item(2));
    EXPECT_EQ(item(0)->x - (item(2)->x + 60), 2);
    // Capacity 2 is reached: one more goes back to its bank.
    board(1);
    EXPECT_EQ(passengers(), 2);
    EXPECT_EQ(item(1)->x, 100);
    EXPECT_EQ(item(1)->y, 60);
    // A passenger dropped on the water goes back to the bank the boat is at.
    drag(item(2)->x + 30, item(2)->y + 30, 500, 600);
    EXPECT_EQ(passengers(), 1);
    EXPECT_EQ(item(2)->x, 20);
    EXPECT_EQ(item(2)->y, 150);
}

TEST_F(PlayTest, RefusedCrossingsShowTheirMessageAndChangeNothing) {
    load(test::wolfGoatCabbage());
    sail();
    EXPECT_TRUE(test::scenery().messagePopup->visible);
    EXPECT_EQ(test::scenery().messagePopup->text, "Некому управлять лодкой"_cp);
    EXPECT_EQ(test::task().boat->x, 235);

    board(0);
    sail();
    EXPECT_EQ(test::scenery().messagePopup->text, "Эти персонажи не могут оставаться вместе"_cp);
    EXPECT_TRUE(test::play().highlightA->visible);
    EXPECT_EQ(test::play().highlightA->targetX, item(1)->x - 2);
    EXPECT_EQ(test::play().highlightB->targetWidth, 64);
    EXPECT_EQ(test::task().boat->x, 235);
    EXPECT_EQ(passengers(), 1);
    EXPECT_EQ(test::play().moveList->moveCount, 0);
    wait(900);
    shot("play-refused");
    // The character highlights hide themselves after their hold.
    wait(3000);
    EXPECT_FALSE(test::play().highlightA->visible);
}

TEST_F(PlayTest, ABalanceRefusalEndingUnderTheOpenMenuShowsNoWinner) {
    model::TaskData data = test::wolfGoatCabbage();
    data.rules = {{2, 1, -1, model::MoreThan}};  // goats must outnumber wolves on a bank
    load(data);
    board(0);
    sail();
    EXPECT_EQ(test::scenery().messagePopup->text, "Нарушен количественный баланс персонажей"_cp);
    EXPECT_TRUE(test::scenery().bankHighlight->visible);
    EXPECT_EQ(test::scenery().bankHighlight->targetX, 5);
    key(platform::Key::Escape);  // the menu takes the modal floor while the flight goes on
    wait(1200);
    EXPECT_FALSE(test::scenery().bankHighlight->visible);
    EXPECT_FALSE(test::play().winner->visible);
}

TEST_F(PlayTest, AFarBankCharacterCannotBePickedUp) {
    model::TaskData data = test::wolfGoatCabbage();
    data.boat = 2 | model::kBoatmanFlag;
    data.rules.clear();
    load(data);
    sail();  // the boatman crosses alone
    ASSERT_EQ(test::task().boat->x, 675);
    ASSERT_EQ(test::play().moveList->moveCount, 1);
    EXPECT_EQ(test::play().moveList->moves[0].mask, 0u);
    drag(item(0)->x + 30, item(0)->y + 30, 760, 150);
    EXPECT_EQ(item(0)->x, 20);
    EXPECT_EQ(passengers(), 0);
    sail();
    EXPECT_EQ(test::task().boat->x, 235);
    EXPECT_EQ(test::task().boat->y, 300);
}

TEST_F(PlayTest, SolvingWinsAndUndoTakesCrossingsBack) {
    load(test::wolfGoatCabbage());
    // farmer+goat, farmer back, farmer+wolf, farmer+goat back, farmer+cabbage, farmer back,
    // farmer+goat.
    const int plan[][2] = {{0, 2}, {0, -1}, {0, 1}, {0, 2}, {0, 3}, {0, -1}, {0, 2}};
    for (const auto& crossing : plan) {
        board(crossing[0]);
        if (crossing[1] >= 0) board(crossing[1]);
        if (&crossing == &plan[2]) shot("play-boarded");
        sail();
        ASSERT_FALSE(test::scenery().messagePopup->visible) << test::scenery().messagePopup->text;
    }
    EXPECT_EQ(test::play().moveList->moveCount, 7);
    EXPECT_TRUE(puzzle::isGoalReached(test::playSession()));
    EXPECT_EQ(shell().items.modalFloor, test::play().winner->prev);
    EXPECT_FALSE(test::play().winner->visible);
    wait(1100);
    EXPECT_TRUE(test::play().winner->visible);
    EXPECT_TRUE(test::play().closeButton->visible);
    EXPECT_EQ(test::play().movesText->text, "7");
    shot("play-winner");
    // Nothing below the winner picture answers the mouse.
    move(655, 185);
    EXPECT_NE(shell().items.hot, test::play().leftArrow);
    // The menu opened and closed over the winner picture gives its modal floor back.
    key(platform::Key::Escape);
    key(platform::Key::Escape);
    EXPECT_EQ(shell().items.modalFloor, test::play().winner->prev);
    click(500, 330);
    EXPECT_FALSE(test::play().winner->visible);
    EXPECT_EQ(shell().items.modalFloor, nullptr);

    // Undo the last crossing: the farmer and goat go back to the left bank.
    wait(20);
    ASSERT_TRUE(test::play().undoButton->visible);
    click(test::play().undoButton->x + 10, test::play().undoButton->y + 10);
    EXPECT_EQ(test::play().moveList->moveCount, 6);
    EXPECT_EQ(item(2)->x, 20);
    EXPECT_EQ(item(0)->x, 20);
    EXPECT_EQ(test::task().boat->x, 235);
    EXPECT_TRUE(test::play().rightArrow->visible);
    EXPECT_FALSE(test::play().leftArrow->visible);
    shot("play-undone");
}

TEST_F(PlayTest, ASolutionLoadsAtItsLastPositionAndSavesTheSameBytes) {
    model::TaskData data = test::wolfGoatCabbage();
    data.moves = {{0b0101, 1}, {0b0001, -1}, {0b1001, 1}};
    load(data, true);
    EXPECT_EQ(test::play().moveList->moveCount, 3);
    EXPECT_EQ(test::task().boat->x, 675);
    EXPECT_EQ(puzzle::placeOf(test::task(), 1, 1), -1);
    EXPECT_EQ(puzzle::placeOf(test::task(), 2, 1), 1);
    EXPECT_EQ(puzzle::placeOf(test::task(), 3, 1), 1);  // the last character too
    EXPECT_TRUE(test::play().leftArrow->visible);
    wait(20);
    shot("play-solution-loaded");
    ASSERT_TRUE(puzzle::writeSolutionFile(test::playSession(), "tasks/again.sln"));
    std::ifstream a("tasks/task.dat", std::ios::binary), b("tasks/again.sln", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(a), {}),
              std::string(std::istreambuf_iterator<char>(b), {}));
}

TEST_F(PlayTest, ALandingKeepsTheColourOfTheTaskFile) {
    model::TaskData data = test::wolfGoatCabbage();
    data.characters[2].colour = 0x80FFFFFF;
    load(data);
    board(0);
    board(2);
    sail();
    ASSERT_TRUE(puzzle::writeSolutionFile(test::playSession(), "tasks/faint.sln"));
    const auto saved = puzzle::loadTaskFile("tasks/faint.sln");
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->characters[2].colour, 0x80FFFFFFu);
    EXPECT_EQ(item(0)->colour, 0xFFFFFFFFu);
}

TEST_F(PlayTest, AMissingCharacterPictureStandsInIsNamedOnceAndSavedUnchanged) {
    model::TaskData data = test::wolfGoatCabbage();
    data.characters[1].name = "textures/unit_dragon.tga";
    data.characters[3].name = "textures/unit_dragon.tga";
    data.rules.clear();
    load(data);
    EXPECT_EQ(test::scenery().messagePopup->text,
              "Нет картинки unit_dragon.tga: вместо неё знак вопроса"_cp);
    EXPECT_TRUE(test::task().characters[1].pictureMissing);
    EXPECT_FALSE(test::task().characters[0].pictureMissing);
    EXPECT_NE(item(1)->texture, nullptr);
    EXPECT_NE(test::task().characters[1].smallPicture, nullptr);
    EXPECT_EQ(item(1)->width, 60);
    EXPECT_EQ(item(1)->height, 60);
    // It can be taken into the boat like any other.
    board(1);
    EXPECT_EQ(passengers(), 1);
    board(0);
    sail();
    wait(100);
    shot("play-missing-picture");
    ASSERT_TRUE(puzzle::writeSolutionFile(test::playSession(), "tasks/dragon.sln"));
    const auto saved = puzzle::loadTaskFile("tasks/dragon.sln");
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->characters[1].name, "textures/unit_dragon.tga");
}

TEST_F(PlayTest, OnlyACrossingToTheRightBankWins) {
    model::TaskData data = test::wolfGoatCabbage();
    data.boat = 2 | model::kBoatmanFlag;
    data.characters.resize(1);
    data.rules.clear();
    load(data);
    board(0);
    sail();
    wait(1100);
    ASSERT_TRUE(test::play().winner->visible);
    click(500, 330);
    ASSERT_FALSE(test::play().winner->visible);
    // Everybody is still home when the boatman rows back alone.
    sail();
    ASSERT_EQ(test::task().boat->x, 235);
    EXPECT_TRUE(puzzle::isGoalReached(test::playSession()));
    wait(1100);
    EXPECT_FALSE(test::play().winner->visible);
    EXPECT_EQ(shell().items.modalFloor, nullptr);
}

TEST_F(PlayTest, CrossingsPastWhatAFileHoldsAreRecordedAndUndoneButNotSaved) {
    model::TaskData data = test::wolfGoatCabbage();
    data.boat = 2 | model::kBoatmanFlag;
    data.rules.clear();
    for (int i = 0; i < 256; ++i) data.moves.push_back({0, i % 2 == 0 ? 1 : -1});
    load(data, true);
    ASSERT_EQ(test::play().moveList->moveCount, 256);
    ASSERT_EQ(test::task().boat->x, 235);
    board(1);
    sail();
    EXPECT_EQ(test::task().boat->x, 675);
    EXPECT_EQ(test::play().moveList->moveCount, 257);
    EXPECT_FALSE(puzzle::writeSolutionFile(test::playSession(), "tasks/never.sln"));
    EXPECT_FALSE(std::filesystem::exists("tasks/never.sln"));
    puzzle::undoMove(test::playSession());
    app::finishAnimations();
    EXPECT_EQ(test::play().moveList->moveCount, 256);
    EXPECT_EQ(test::task().boat->x, 235);
    EXPECT_EQ(puzzle::placeOf(test::task(), 1, 1), -1);
    EXPECT_TRUE(puzzle::writeSolutionFile(test::playSession(), "tasks/fits.sln"));
}

TEST_F(PlayTest, CrossingsOfCharactersPast32AreListedAndUndone) {
    model::TaskData data;
    data.title = "Crowd";
    data.boat = 1;
    for (int i = 0; i < 40; ++i) {
        data.characters.push_back(test::character(i % 2 ? "goat" : "wolf", 5 + (i % 4) * 55,
                                                  40 + (i / 4) * 55, 780 + (i % 4) * 55,
                                                  30 + (i / 4) * 45));
    }
    load(data);
    board(0);
    sail();
    board(0);
    sail();
    board(39);
    sail();
    ASSERT_EQ(test::play().moveList->moveCount, 3);
    EXPECT_EQ(puzzle::placeOf(test::task(), 39, 1), 1);
    const auto row = puzzle::MoveListBox::layoutRow(test::play().moveList->moves[2], 0);
    ASSERT_EQ(row.pictures.size(), 1u);
    EXPECT_EQ(row.pictures[0].character, 39);
    wait(20);
    shot("play-crowd-listed");
    // A file holds passengers 0 to 31 only.
    EXPECT_FALSE(puzzle::writeSolutionFile(test::playSession(), "tasks/crowd.sln"));

    puzzle::undoMove(test::playSession());
    app::finishAnimations();
    EXPECT_EQ(puzzle::placeOf(test::task(), 39, 1), -1);
    EXPECT_EQ(test::task().boat->x, 235);
    puzzle::undoMove(test::playSession());
    app::finishAnimations();
    // Character 0 rowed back last: undoing that leaves it on the right with the boat.
    EXPECT_EQ(test::play().moveList->moveCount, 1);
    EXPECT_EQ(puzzle::placeOf(test::task(), 0, 1), 1);
    EXPECT_EQ(test::task().boat->x, 675);
    EXPECT_TRUE(puzzle::writeSolutionFile(test::playSession(), "tasks/crowd.sln"));
}

TEST_F(PlayTest, ACrossingKeepsItsLengthWhenFramesTakeTime) {
    model::TaskData data = test::wolfGoatCabbage();
    data.boat = 2 | model::kBoatmanFlag;
    data.rules.clear();
    load(data);
    // Every frame costs 4 ms: the crossing still takes its 220 frames of 10 ms.
    ui::shell().frameObserver = [] { platform::advanceVirtualClock(4); };
    const uint32_t start = platform::tickCount();
    sail();
    const uint32_t elapsed = platform::tickCount() - start;
    ui::shell().frameObserver = nullptr;
    EXPECT_EQ(test::task().boat->x, 675);
    EXPECT_EQ(elapsed, 2200u);
}

TEST_F(PlayTest, ClosingTheWindowInTheMiddleOfACrossingEndsTheGameAtOnce) {
    model::TaskData data = test::wolfGoatCabbage();
    data.boat = 2 | model::kBoatmanFlag;
    data.rules.clear();
    load(data);
    // The click only sets the boat going; the ticks move it on.
    clickWithoutWaiting(480, 355);
    wait(300);
    ASSERT_GT(test::task().boat->x, 235);
    ASSERT_LT(test::task().boat->x, 675);
    closeWindow();
    EXPECT_TRUE(platform::quitPosted());
    EXPECT_EQ(app::screenKind(), app::ScreenKind::None);
    EXPECT_FALSE(app::inputWaits());
}

TEST_F(PlayTest, AtRestNoFrameIsDrawnAndARefusalKeepsItsTiming) {
    load(test::wolfGoatCabbage());
    wait(100);
    EXPECT_FALSE(app::nextTick());
    static int frames = 0;
    frames = 0;
    ui::shell().frameObserver = [] { ++frames; };
    wait(1000);
    EXPECT_EQ(frames, 0);
    // The wolf stays with the goat: two highlights fly to them under the message.
    board(0);
    sail();
    ASSERT_TRUE(test::scenery().messagePopup->visible);
    const uint32_t shown = test::scenery().messagePopup->shownAt;
    frames = 0;
    wait(700);
    EXPECT_GE(frames, 65);
    // The flight's trailing outlines close in for another 100 ms; then the highlights hold
    // still until 3.7 s, the message until 2 s.
    frames = 0;
    wait(1200);
    EXPECT_LE(frames, 15);
    EXPECT_EQ(app::nextTick(), shown + 2001);
    wait(6000);
    EXPECT_FALSE(test::scenery().messagePopup->visible);
    EXPECT_FALSE(test::play().highlightA->visible);
    frames = 0;
    wait(500);
    EXPECT_EQ(frames, 0);
    EXPECT_FALSE(app::nextTick());
    ui::shell().frameObserver = nullptr;
}

TEST_F(PlayTest, MoveListScrollsToItsEndAndShowsTheArrows) {
    model::TaskData data = test::wolfGoatCabbage();
    data.boat = 2 | model::kBoatmanFlag;
    data.rules.clear();
    for (int i = 0; i < 9; ++i) data.moves.push_back({0, i % 2 == 0 ? 1 : -1});
    load(data, true);
    auto* list = test::play().moveList;
    list->height = 200;
    list->scrollToEnd();
    EXPECT_EQ(list->scrollOffset, 130);  // 10 rows of 33 in 200 pixels
    wait(10);
    EXPECT_TRUE(test::scenery().upArrow->visible);
    EXPECT_FALSE(test::scenery().downArrow->visible);
    list->scrollOffset = 0;
    wait(10);
    EXPECT_FALSE(test::scenery().upArrow->visible);
    EXPECT_TRUE(test::scenery().downArrow->visible);
    // Holding the up arrow scrolls 2 px a tick until the top, then the press ends.
    list->scrollOffset = 6;
    wait(10);
    move(test::scenery().upArrow->x + 5, test::scenery().upArrow->y + 5);
    down(test::scenery().upArrow->x + 5, test::scenery().upArrow->y + 5);
    wait(30);
    EXPECT_EQ(list->scrollOffset, 0);
    wait(20);
    EXPECT_FALSE(shell().items.inputArmed);
    up(test::scenery().upArrow->x + 5, test::scenery().upArrow->y + 5);
    EXPECT_TRUE(shell().items.inputArmed);
}

}  // namespace

TEST_F(PlayTest, OnlyThoseOnTheBoatsBankBoardWhereverTheirPicturesStand) {
    // The wolf's start place lies over the boat at the right bank's landing.
    model::TaskData data = test::wolfGoatCabbage();
    data.boat = 2 | model::kBoatmanFlag;
    data.rules.clear();
    data.characters[1].leftX = 700;
    data.characters[1].leftY = 150;
    load(data);
    sail();
    ASSERT_EQ(test::task().boat->x, 675);
    ui::DragDropItem* wolf = item(1);
    ASSERT_TRUE(ui::intersects(wolf, test::task().boat));
    click(wolf->x + 30, wolf->y + 30);
    drag(wolf->x + 30, wolf->y + 30, test::task().boat->x + 100, test::task().boat->y + 20);
    EXPECT_EQ(passengers(), 0);
    EXPECT_EQ(puzzle::placeOf(test::task(), 1, 1), -1);
    EXPECT_EQ(wolf->x, 700);
    sail();
    EXPECT_EQ(puzzle::placeOf(test::task(), 1, -1), -1);
    EXPECT_EQ(test::play().moveList->moves.back().mask.count(), 0u);
}
