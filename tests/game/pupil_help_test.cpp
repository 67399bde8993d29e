// What the play screen does for a pupil beyond judging: the hint, the best count at the
// win, refusals that say why.
#include <gtest/gtest.h>

#include "app/solved_marks.hpp"
#include "app/task_catalogue.hpp"
#include "app/task_difficulty.hpp"
#include "app/task_list_box.hpp"
#include "model/progress.hpp"
#include "platform/files.hpp"
#include "puzzle/hint.hpp"
#include "puzzle/play.hpp"
#include "puzzle/progress.hpp"
#include "puzzle/task.hpp"
#include "puzzle/task_files.hpp"
#include "puzzle/win_plaque.hpp"
#include "support/game_fixture.hpp"
#include "support/open_screens.hpp"
#include "support/sample_tasks.hpp"
#include "ui/cp1251.hpp"

namespace {

using namespace ui;
using namespace scene;

class PupilHelpTest : public test::GameTest {
protected:
    void load(const model::TaskData& data) {
        test::writeTaskFile("tasks/task.dat", data, false);
        closeMenu();
        ASSERT_TRUE(app::openTask("tasks/task.dat"));
        app::finishAnimations();
    }
    DragDropItem* item(int i) { return test::task().characters[static_cast<size_t>(i)].item; }
    void board(int i) {
        drag(item(i)->x + 30, item(i)->y + 30, test::task().boat->x + 100, test::task().boat->y + 20);
    }
    // The top edge of the pointer frame around an item, once it has landed.
    uint32_t frameAbove(const VisualItem* target) {
        return pixel(target->x + target->width / 2, target->y - 2);
    }
};

TEST_F(PupilHelpTest, HintPointsAtWhomToTakeAndTheArrow) {
    load(test::wolfGoatCabbage());  // farmer 0, wolf 1, goat 2, cabbage 3
    // The wolf may stay aboard and take the cabbage along.
    board(1);
    key(platform::Key::H);
    wait(1500);
    EXPECT_EQ(frameAbove(item(3)), 0xFFFFFF00u);
    EXPECT_NE(frameAbove(item(0)), 0xFFFFFF00u);
    EXPECT_EQ(test::play().rightArrow->colour, 0xFFFFFFFFu);
    wait(4000);
    EXPECT_EQ(test::play().rightArrow->colour, 0x50FFFFFFu);
    EXPECT_NE(frameAbove(item(3)), 0xFFFFFF00u);

    // The goat and the cabbage would be left alone on the far bank: one must get out.
    drag(item(1)->x + 30, item(1)->y + 30, 100, 90);
    board(2);
    board(3);
    click(650, 500);
    wait(1500);
    shot("hint-screen");
    EXPECT_EQ(frameAbove(item(2)), 0xFFFF0000u);
    EXPECT_EQ(test::play().rightArrow->colour, 0xFFFFFFFFu);
    EXPECT_EQ(puzzle::hintsUsed(test::playSession().hint), 2);

    // Under the menu there is nothing to hint.
    key(platform::Key::Escape);
    key(platform::Key::H);
    EXPECT_EQ(puzzle::hintsUsed(test::playSession().hint), 2);
}

TEST_F(PupilHelpTest, WithTheRightCrewAboardTheHintPointsOnlyAtTheArrow) {
    load(test::wolfGoatCabbage());  // farmer 0, wolf 1, goat 2, cabbage 3
    board(0);
    board(2);
    const auto boardPixels = [this] {
        std::vector<uint32_t> pixels;
        for (int y = 370; y < 520; y += 3) {
            for (int x = 705; x < 1010; x += 3) pixels.push_back(pixel(x, y));
        }
        return pixels;
    };
    wait(20);
    const std::vector<uint32_t> before = boardPixels();
    key(platform::Key::H);
    wait(1500);
    EXPECT_NE(frameAbove(item(0)), 0xFFFFFF00u);
    EXPECT_NE(frameAbove(item(2)), 0xFFFFFF00u);
    EXPECT_EQ(frameAbove(test::play().rightArrow), 0xFFFFFF00u);
    // The message keeps to the river, wrapped, off the move list's board.
    EXPECT_TRUE(boardPixels() == before);
    shot("hint-only-arrow");
}

}  // namespace

namespace {

// A boy and his dog, a boat for two: one crossing wins.
model::TaskData boyAndDog(int dogWeight = 1) {
    model::TaskData data;
    data.title = "Dog";
    data.boat = 2;
    data.characters = {test::character("boy", 20, 60, 880, 50),
                       test::character("dog", 100, 60, 945, 50, dogWeight)};
    return data;
}

}  // namespace

TEST_F(PupilHelpTest, WinnerShowsTheShortestCountAndTheHintsUsed) {
    load(boyAndDog());
    key(platform::Key::H);
    key(platform::Key::H);  // the same hint again: not another one used
    board(0);
    board(1);
    click(480, 355);
    wait(1500);
    ASSERT_TRUE(test::play().winner->visible);
    EXPECT_EQ(puzzle::winPlaqueText(test::playSession().plaque),
              "Кратчайшее решение: 1\r\nБыстрее не бывает!\r\nПодсказок: 1"_cp);
}

TEST_F(PupilHelpTest, TheWinnerPlaqueOfATaskTooLargeToSolveSaysSo) {
    load(boyAndDog());
    puzzle::prepareWinPlaque(test::playSession().plaque, 3, std::nullopt, 0, test::play().taskPath);
    EXPECT_EQ(puzzle::winPlaqueText(test::playSession().plaque), "Кратчайшее решение\r\nнеизвестно"_cp);
}

TEST_F(PupilHelpTest, ProgressMarksTheSolvedTaskNotItsNamesake) {
    // Two tasks share the title; only the one solved is marked, and the other is next.
    model::TaskData heavier = boyAndDog(2);
    test::writeTaskFile("tasks/_44 - 1.dat", heavier, false);
    test::writeTaskFile("tasks/_44.dat", boyAndDog(), false);
    closeMenu();
    ASSERT_TRUE(app::openTask("tasks/_44.dat"));
    app::finishAnimations();
    board(0);
    board(1);
    click(480, 355);
    wait(1500);
    ASSERT_TRUE(test::play().winner->visible);

    app::reloadSolvedMarks();
    EXPECT_EQ(app::bestCountOf("tasks/_44.dat"), 1);
    EXPECT_EQ(app::bestCountOf("tasks/_44 - 1.dat"), std::nullopt);
    // Finding the next task judges none: the button answers at once also beside large tasks.
    app::verdictCache().clear();
    EXPECT_EQ(app::nextUnsolvedTask("tasks/_44.dat"), "tasks/_44 - 1.dat");
    EXPECT_EQ(app::verdictCache().size(), 0u);
    const auto bytes = platform::readFile(puzzle::progressPath(), 1000);
    ASSERT_TRUE(bytes.has_value());
    EXPECT_EQ(model::parseProgress(std::string(bytes->begin(), bytes->end())).size(), 1u);
}

TEST_F(PupilHelpTest, TheNextTaskFollowsTheOneOpenedFromTheCatalogueAndWraps) {
    for (const char* title : {"A", "B", "C"}) {
        model::TaskData data = boyAndDog();
        data.title = title;
        test::writeTaskFile(std::string("tasks/_") + title + ".dat", data, false);
    }
    const auto win = [this] {
        board(0);
        board(1);
        click(480, 355);
        wait(1500);
        ASSERT_TRUE(test::play().winner->visible);
    };
    click(520, 73);
    wait(100);
    app::TaskListBox* list = app::currentTaskList();
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->entries.size(), 3u);
    click(list->x + 100, list->y + 33 + 15);
    click(list->x + 100, list->y + 33 + 15);
    ASSERT_EQ(test::play().taskPath, "tasks/_B.dat");
    win();
    click(500, 444);
    EXPECT_EQ(test::play().taskPath, "tasks/_C.dat");
    win();
    click(500, 444);
    EXPECT_EQ(test::play().taskPath, "tasks/_A.dat");
}

TEST_F(PupilHelpTest, RefusedBoardingSaysWhyAndTheLoadIsShown) {
    model::TaskData family = boyAndDog();
    family.boat = 80;
    family.characters[0].weight = 80;
    family.characters[1].weight = 40;
    load(family);
    board(1);
    renderFrame();
    EXPECT_EQ(test::play().loadLabel->text, "Груз: 40 из 80"_cp);
    board(0);
    EXPECT_TRUE(test::scenery().messagePopup->visible);
    EXPECT_EQ(test::scenery().messagePopup->text,
              "Лодка не выдержит: груз был бы 120, а можно не больше 80"_cp);
    EXPECT_EQ(item(0)->x, 20);

    // Where everyone weighs 1, the boat is simply full.
    model::TaskData crowd = boyAndDog();
    crowd.boat = 1;
    load(crowd);
    board(0);
    board(1);
    EXPECT_EQ(test::scenery().messagePopup->text, "В лодке больше нет места"_cp);
}
