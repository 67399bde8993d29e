// The mouse wheel over the wooden panel scrolls whichever list it holds, by whole rows.
#include <gtest/gtest.h>

#include "app/task_catalogue.hpp"
#include "app/task_list_box.hpp"
#include "puzzle/move_list_box.hpp"
#include "support/editor_fixture.hpp"
#include "support/open_screens.hpp"
#include "support/play_fixture.hpp"

namespace {

using namespace ui;
using namespace scene;

void wheel(int x, int y, int notches) {
    test::GameTest::routedWheel(x, y, notches);
    app::finishAnimations();
}

void wheelOver(const ListBox* list, int notches) { wheel(list->x + 20, list->y + 20, notches); }

int endOffset(ListBox* list) {
    const int32_t kept = list->scrollOffset;
    list->scrollToEnd();
    const int32_t end = list->scrollOffset;
    list->scrollOffset = kept;
    return end;
}

class WheelTest : public test::PlayTest {
protected:
    app::TaskListBox* catalogueOf(int tasks) {
        model::TaskData data = test::wolfGoatCabbage();
        for (int i = 0; i < tasks; ++i) {
            data.title = "Task " + std::to_string(i);
            test::writeTaskFile("tasks/_" + std::to_string(1000 + i) + ".dat", data, false);
        }
        click(520, 73);  // the menu's first command
        return app::currentTaskList();
    }
};

TEST_F(WheelTest, TheCatalogueScrollsByWholeRowsAndStopsAtBothEnds) {
    app::TaskListBox* list = catalogueOf(30);
    ASSERT_NE(list, nullptr);
    const int end = endOffset(list);
    ASSERT_GT(end, 100);
    wheelOver(list, 1);
    EXPECT_EQ(list->scrollOffset, 66);  // two rows of 33
    wheelOver(list, 100);
    EXPECT_EQ(list->scrollOffset, end);
    wait(10);
    EXPECT_FALSE(test::scenery().downArrow->visible);
    // Up from the end, the top edge comes back onto a row's top.
    wheelOver(list, -1);
    EXPECT_EQ(list->scrollOffset % 33, 0);
    EXPECT_GE(end - list->scrollOffset, 60);
    wheelOver(list, -100);
    EXPECT_EQ(list->scrollOffset, 0);
    // Beside the panel, or under the open menu, the wheel leaves the list alone.
    wheel(100, 100, 3);
    EXPECT_EQ(list->scrollOffset, 0);
    key(platform::Key::Escape);
    wheelOver(list, 3);
    EXPECT_EQ(list->scrollOffset, 0);
}

TEST_F(WheelTest, TheMoveListScrollsBackFromItsEnd) {
    model::TaskData data = test::wolfGoatCabbage();
    data.boat = 2 | model::kBoatmanFlag;
    data.rules.clear();
    for (int i = 0; i < 20; ++i) data.moves.push_back({0, i % 2 == 0 ? 1 : -1});
    load(data, true);
    auto* list = test::play().moveList;
    list->scrollToEnd();
    const int end = list->scrollOffset;
    ASSERT_GT(end, 0);
    wheelOver(list, -1);
    EXPECT_EQ(list->scrollOffset % 33, 0);
    EXPECT_GE(end - list->scrollOffset, 60);
    EXPECT_LT(end - list->scrollOffset, 60 + 33);
    wheelOver(list, 5);
    EXPECT_EQ(list->scrollOffset, end);
}

class EditorWheelTest : public test::EditorTest {};

TEST_F(EditorWheelTest, TheRuleListTakesTheWheel) {
    for (int i = 0; i < 20; ++i) ASSERT_TRUE(items().ruleList->appendRule());
    goTo(4);
    editor::RuleListBox* list = items().ruleList;
    list->scrollOffset = 0;
    wheelOver(list, 2);
    EXPECT_EQ(list->scrollOffset, 4 * 33);
}

TEST_F(WheelTest, ThePaletteScrollsAPictureANotch) {
    click(500, 130);  // the task editor, with every built character picture
    const editor::EditorItems& items = test::editorItems();
    while (test::editorStep() < 2) click(items.nextButton->x + 10, items.nextButton->y + 10);
    editor::CharacterPalette* list = items.characterList;
    ASSERT_GT(endOffset(list), 0);
    wheelOver(list, 1);
    EXPECT_EQ(list->scrollOffset, list->rowHeight(0));
    wait(10);
    EXPECT_TRUE(test::scenery().upArrow->visible);
}

}  // namespace
