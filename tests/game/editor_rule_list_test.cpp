// The rule table: appending, the kind cycle, character cells, the delete mark, hints.
#include <gtest/gtest.h>

#include <cstring>

#include "support/editor_fixture.hpp"
#include "ui/cp1251.hpp"
#include "ui/resources.hpp"

namespace {

using ui::operator""_cp;

class RuleListTest : public test::EditorTest {
protected:
    // Characters placed along the top of the left bank, away from the table.
    void addCharacters(int count) {
        for (int i = 0; i < count; ++i) {
            ui::DragDropItem* item = editor::makeEditorCharacter(
                *app::editorSession(), items().characterList->entryPictures[0]);
            ASSERT_NE(item, nullptr);
            item->moveTo(20 + 60 * i, 60);
            character(i).leftX = item->x;
            character(i).leftY = item->y;
        }
    }
    void clickCell(int row, int dx, int dy = 15) { click(ruleListX() + dx, ruleRowY(row) + dy); }
    editor::RuleListBox* list() { return items().ruleList; }
};

constexpr int kFirst = 20, kSign = 60, kSecond = 100, kThird = 170;

TEST_F(RuleListTest, CharacterCellsStepThroughTheCharactersAndTheAddRowAppends) {
    addCharacters(3);
    goTo(4);
    clickCell(0, kFirst);  // the add row's first cell
    ASSERT_EQ(test::task().ruleCount, 1);
    EXPECT_EQ(test::task().rules[0].first, 0);
    EXPECT_EQ(test::task().rules[0].second, -1);
    EXPECT_EQ(test::task().rules[0].kind, model::ForbidTogether);
    clickCell(0, kFirst);
    clickCell(0, kFirst);
    EXPECT_EQ(test::task().rules[0].first, 2);
    clickCell(0, kFirst);
    EXPECT_EQ(test::task().rules[0].first, 0);
    clickCell(0, kSecond);
    EXPECT_EQ(test::task().rules[0].second, 0);

    clickCell(1, kSign);  // the add row's sign appends a "more than" rule
    ASSERT_EQ(test::task().ruleCount, 2);
    EXPECT_EQ(test::task().rules[1].kind, model::MoreThan);
    EXPECT_EQ(test::task().rules[1].first, -1);
    move(ruleListX() + kThird, ruleRowY(0) + 15);
    wait(10);
    shot("editor_step4_rules");
}

TEST_F(RuleListTest, KindCyclesAndTheThirdCellExistsOnlyForForbidTogether) {
    addCharacters(2);
    goTo(4);
    ASSERT_TRUE(list()->appendRule());
    clickCell(0, kThird);
    EXPECT_EQ(test::task().rules[0].third, 0);
    clickCell(0, kThird);
    EXPECT_EQ(test::task().rules[0].third, 1);
    clickCell(0, kThird);
    EXPECT_EQ(test::task().rules[0].third, -1);
    clickCell(0, kThird);

    clickCell(0, kSign);
    EXPECT_EQ(test::task().rules[0].kind, model::MoreThan);
    EXPECT_FALSE(list()->hitTest(ruleListX() + kThird, ruleRowY(0) + 15));
    clickCell(0, kThird);
    EXPECT_EQ(test::task().rules[0].third, 0);
    clickCell(0, kSign);
    EXPECT_EQ(test::task().rules[0].kind, model::NotLessThan);
    clickCell(0, kSign);
    EXPECT_EQ(test::task().rules[0].kind, model::ForbidTogether);
    EXPECT_EQ(test::task().rules[0].third, 0);  // kept in the record all along

    // Without characters the character cells stay empty.
    test::task().characterCount = 0;
    clickCell(0, kFirst);
    EXPECT_EQ(test::task().rules[0].first, -1);
    test::task().characterCount = 2;
}

TEST_F(RuleListTest, TheDeleteMarkAnswersOnlyInTheTopTwelvePixelsAtTheRightEnd) {
    goTo(4);
    for (int kind = 0; kind < 3; ++kind) {
        ASSERT_TRUE(list()->appendRule());
        test::task().rules[static_cast<size_t>(kind)].kind = kind;
    }
    const int w = list()->width;
    clickCell(1, w - 13, 5);
    clickCell(1, w - 1, 12);
    EXPECT_EQ(test::task().ruleCount, 3);
    EXPECT_FALSE(list()->hitTest(ruleListX() + w - 6, ruleRowY(3) + 5));  // not on the add row
    clickCell(1, w - 12, 11);
    ASSERT_EQ(test::task().ruleCount, 2);
    EXPECT_EQ(test::task().rules[0].kind, 0);
    EXPECT_EQ(test::task().rules[1].kind, 2);
}

TEST_F(RuleListTest, AFullTableAppendsNothing) {
    goTo(4);
    test::task().ruleCount = model::kMaxRules;
    list()->scrollToEnd();
    const int addRowTop = list()->y - list()->scrollOffset + 33 * model::kMaxRules;
    ASSERT_GE(addRowTop, list()->y);
    click(ruleListX() + kFirst, addRowTop + 15);
    EXPECT_EQ(test::task().ruleCount, model::kMaxRules);
    EXPECT_FALSE(list()->appendRule());
}

TEST_F(RuleListTest, HintsShowAfterTwoSecondsOfRest) {
    goTo(4);
    move(ruleListX() + kFirst, ruleRowY(0) + 15);
    wait(1000);
    EXPECT_EQ(ui::currentHint(nullptr), nullptr);
    wait(1100);
    ui::Rect box;
    const char* hint = ui::currentHint(&box);
    ASSERT_NE(hint, nullptr);
    EXPECT_STREQ(hint, "Перетаскивайте персонажей на пустые клетки таблицы"_cp);
    EXPECT_EQ(box.right, 1022);  // too wide to start at the row: kept on the screen
    EXPECT_EQ(box.top, ruleRowY(0) + 45);

    ASSERT_TRUE(list()->appendRule());
    ASSERT_TRUE(list()->appendRule());
    test::task().rules[1].kind = model::MoreThan;
    move(ruleListX() + kSign, ruleRowY(1) + 15);
    wait(2100);
    hint = ui::currentHint(&box);
    ASSERT_NE(hint, nullptr);
    EXPECT_NE(std::strstr(hint, "больше"_cp), nullptr);
    EXPECT_EQ(box.top, ruleRowY(1) + 45);
    shot("editor_rule_hint");
}

}  // namespace
