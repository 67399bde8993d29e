// The wizard: steps, the statement's edit boxes, the boat step, saving, closing.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "app/screen.hpp"
#include "model/task_file.hpp"
#include "platform/class_folder.hpp"
#include "platform/edit_box.hpp"
#include "platform/files.hpp"
#include "scene/river.hpp"
#include "support/editor_fixture.hpp"
#include "support/open_screens.hpp"
#include "ui/cp1251.hpp"
#include "ui/shell.hpp"

namespace {

namespace fs = std::filesystem;
using ui::operator""_cp;

class WizardTest : public test::EditorTest {
protected:
    static int datFiles(const fs::path& folder) {
        int count = 0;
        if (!fs::is_directory(folder)) return 0;
        for (const auto& entry : fs::directory_iterator(folder)) {
            if (entry.path().extension() == ".dat") ++count;
        }
        return count;
    }
    // The hint without its line breaks, which may fall anywhere in a path.
    static std::string unbrokenHint() {
        std::string text = items().stepHint->text;
        text.erase(std::remove(text.begin(), text.end(), '\n'), text.end());
        return text;
    }
    // The sum of the boat's pixels in a fresh frame: tells its two pictures apart.
    uint64_t boatPixels() {
        ui::renderFrame();
        uint64_t sum = 0;
        const ui::InertPicture* boat = test::task().boat;
        for (int y = boat->y; y < boat->y + boat->height; y += 2) {
            for (int x = boat->x; x < boat->x + boat->width; x += 2) sum += pixel(x, y) & 0xFFFFFF;
        }
        return sum;
    }
};

TEST_F(WizardTest, AFreshEditorOpensItsEditBoxesWhenTheFlightEnds) {
    EXPECT_FALSE(items().backButton->visible);
    EXPECT_TRUE(items().nextButton->visible);
    EXPECT_EQ(items().stepTitle->text, "Постановка задачи"_cp);
    EXPECT_EQ(items().titleEdit, nullptr);
    EXPECT_TRUE(test::scenery().titleLabel->visible);

    wait(1100);
    platform::EditBox* title = items().titleEdit;
    platform::EditBox* statement = items().statementEdit;
    ASSERT_NE(title, nullptr);
    ASSERT_NE(statement, nullptr);
    EXPECT_EQ(title->text(), "Название"_cp);
    EXPECT_EQ(statement->text(), "Текст задачи"_cp);
    EXPECT_TRUE(title->hasFocus());
    EXPECT_FALSE(test::scenery().titleLabel->visible);
    EXPECT_FALSE(test::scenery().statementLabel->visible);
    EXPECT_EQ(title->rect().left, 10);
    EXPECT_EQ(title->rect().top, 555);
    EXPECT_EQ(title->rect().right, 410);
    EXPECT_EQ(statement->rect().bottom, 750);
    shot("editor_step0_edit_boxes");

    // The title's text is selected: typing replaces it, in any keyboard layout.
    title->typeText("Волк, коза и капуста");
    statement->focus();
    statement->selectAll();
    statement->typeText("Первая");
    statement->keyDown(platform::Key::Enter, false, false);
    statement->typeText("second");
    next();
    EXPECT_STREQ(test::task().title, "Волк, коза и капуста"_cp);
    EXPECT_STREQ(test::task().statement, "Первая\r\nsecond"_cp);
    EXPECT_EQ(items().titleEdit, nullptr);
    EXPECT_TRUE(test::scenery().titleLabel->visible);

    back();
    EXPECT_EQ(items().titleEdit, nullptr);
    wait(1100);
    ASSERT_NE(items().titleEdit, nullptr);
    EXPECT_EQ(items().titleEdit->text(), "Волк, коза и капуста"_cp);
    EXPECT_EQ(items().statementEdit->text(), "Первая\r\nsecond"_cp);
}

TEST_F(WizardTest, LongTextsAreCutWhenTheStepIsLeftAndAnEarlyLeaveMakesNoBoxes) {
    wait(1100);
    items().titleEdit->setText(std::string(200, 'a'));
    items().statementEdit->setText(std::string(1500, 'b'));
    next();
    EXPECT_EQ(std::strlen(test::task().title), 122u);
    EXPECT_EQ(std::strlen(test::task().statement), 1023u);

    // Back and on again before the flight ends: no boxes, the texts stay as they were.
    back();
    wait(500);
    next();
    wait(1000);
    EXPECT_EQ(items().titleEdit, nullptr);
    EXPECT_EQ(std::strlen(test::task().title), 122u);
}

TEST_F(WizardTest, TheBoatStepSetsBoatmanAndCapacity) {
    next();
    ui::InertPicture* boat = test::task().boat;
    ASSERT_NE(boat, nullptr);
    const auto boatWord = [] { return static_cast<int>(test::task().boatSettings.word()); };
    EXPECT_EQ(boatWord(), 1);
    EXPECT_EQ(boat->x, items().stepTitle->x);
    EXPECT_EQ(boat->y, items().stepTitle->y + 30);
    ui::Checkbox* box = items().boatmanBox;
    ui::Spin* spin = items().capacitySpin;
    ASSERT_NE(box, nullptr);
    ASSERT_NE(spin, nullptr);
    EXPECT_FALSE(box->checked);
    EXPECT_EQ(spin->value, 1);
    EXPECT_EQ(items().stepHint->text, "Вместимость"_cp);
    EXPECT_EQ(items().stepHint->x, spin->x - 105);
    shot("editor_step1_boat");

    const uint64_t plainBoat = boatPixels();
    clickCentre(box);
    EXPECT_TRUE(box->checked);
    EXPECT_EQ(boatWord(), 0x10001);
    EXPECT_NE(boatPixels(), plainBoat);
    clickCentre(box);
    EXPECT_EQ(boatWord(), 1);
    EXPECT_EQ(boatPixels(), plainBoat);

    click(spin->x + 4, spin->y + 4);
    EXPECT_EQ(boatWord(), 0);
    click(spin->x + 4, spin->y + 4);
    EXPECT_EQ(spin->value, 0);
    spin->value = 998;
    click(spin->x + spin->length - 4, spin->y + 4);
    click(spin->x + spin->length - 4, spin->y + 4);
    EXPECT_EQ(spin->value, 999);
    clickCentre(box);
    EXPECT_EQ(boatWord(), 0x10000 + 999);

    // Forward and back keeps the boat; back to the statement destroys it.
    next();
    EXPECT_EQ(items().boatmanBox, nullptr);
    EXPECT_EQ(boat->x, scene::kLeftStationX);
    back();
    EXPECT_EQ(test::task().boat, boat);
    EXPECT_TRUE(items().boatmanBox->checked);
    EXPECT_EQ(items().capacitySpin->value, 999);
    back();
    EXPECT_EQ(test::task().boat, nullptr);
    next();
    ASSERT_NE(test::task().boat, nullptr);
    EXPECT_EQ(boatWord(), 1);
    EXPECT_FALSE(items().boatmanBox->checked);
}

TEST_F(WizardTest, TheBoatStandsAtTheRightStationOnlyForTheGoalStepAndFlightsFollowThePanel) {
    goTo(2);
    EXPECT_EQ(test::task().boat->x, scene::kLeftStationX);
    EXPECT_EQ(test::task().boat->y, scene::kLeftStationY);
    EXPECT_TRUE(items().backButton->visible);
    next();
    EXPECT_EQ(test::task().boat->x, scene::kRightStationX);
    EXPECT_EQ(test::task().boat->y, scene::kRightStationY);
    EXPECT_EQ(items().stepTitle->text, "Конечное положение"_cp);
    EXPECT_EQ(test::scenery().bankHighlight->targetX, 770);

    // The panel dragged by its border: the rule table and its flight follow it.
    drag(800, 330, 700, 350);
    ASSERT_EQ(test::scenery().woodPanel->x, 605);
    next();
    EXPECT_EQ(items().ruleList->x, 605 + 47);
    EXPECT_EQ(test::scenery().bankHighlight->targetX, items().ruleList->x);
    EXPECT_EQ(test::scenery().bankHighlight->targetY, items().ruleList->y);
    goTo(5);
    EXPECT_EQ(test::task().boat->x, scene::kLeftStationX);
    EXPECT_EQ(items().nextButton->text, "Готово"_cp);
    back();
    EXPECT_EQ(items().nextButton->text, "Далее »"_cp);
    EXPECT_EQ(test::task().boat->y, scene::kLeftStationY);
}

// How a full path starts and is divided where a person reads it: "/" on Linux, "C:\" on
// Windows.
std::string shownRoot() { return platform::shownPath(fs::temp_directory_path().string()).substr(0, 1); }
std::string separator() { return std::string(1, static_cast<char>(fs::path::preferred_separator)); }

TEST_F(WizardTest, DoneSavesIntoTasksAndFallsBackToTheDataFolderNamingTheFolder) {
    goTo(1);
    clickCentre(items().boatmanBox);  // a boatman alone makes a task that can be solved
    goTo(5);
    next();
    EXPECT_EQ(datFiles(programFolder() / "tasks"), 1);
    EXPECT_THAT(
        items().stepHint->text,
        testing::StartsWith(std::string("Задача сохранена\nв папку задач игры:\n"_cp) + shownRoot()));
    EXPECT_THAT(unbrokenHint(), testing::EndsWith(separator() + "tasks"));
    EXPECT_FALSE(items().nextButton->visible);
    EXPECT_TRUE(items().backButton->visible);
    EXPECT_EQ(test::editorStep(), 5);

    // "tasks" cannot take files: the data folder does.
    fs::remove_all(programFolder() / "tasks");
    std::ofstream(programFolder() / "tasks") << "not a folder";
    back();
    next();
    ASSERT_TRUE(items().nextButton->visible);
    next();
    EXPECT_EQ(datFiles(dataFolder()), 1);
    EXPECT_THAT(
        items().stepHint->text,
        testing::StartsWith(std::string("Задача сохранена\nв папку данных игры:\n"_cp) + shownRoot()));
    EXPECT_THAT(unbrokenHint(), testing::EndsWith(dataFolder().string()));

    // Neither can: the hint says so and the task stays for another try.
    platform::setDataFolderOverride((programFolder() / "tasks" / "data").string());
    back();
    next();
    next();
    EXPECT_EQ(items().stepHint->text, "Невозможно\nсоздать файл"_cp);
    EXPECT_FALSE(items().nextButton->visible);
    shot("editor_step5_failed");
}

TEST_F(WizardTest, DoneSavesIntoTheClassFolderWhenOneIsSetAndWritable) {
    const fs::path shared = programFolder() / "class";
    fs::create_directories(shared);
    platform::setClassFolderOverride(shared.string());
    goTo(1);
    clickCentre(items().boatmanBox);
    goTo(5);
    next();
    EXPECT_EQ(datFiles(shared), 1);
    EXPECT_EQ(datFiles(programFolder() / "tasks"), 0);
    EXPECT_THAT(
        items().stepHint->text,
        testing::StartsWith(std::string("Задача сохранена\nв папку класса:\n"_cp) + shownRoot()));

    // A class folder that takes no files leaves the task where it went before.
    platform::setClassFolderOverride((shared / "gone").string());
    back();
    next();
    next();
    EXPECT_EQ(datFiles(programFolder() / "tasks"), 1);
    platform::setClassFolderOverride(std::string());
}

TEST_F(WizardTest, TheLastStepJudgesTheTaskAgainOnEveryReturnAndAsksOnceBeforeSavingNoSolution) {
    goTo(2);
    ASSERT_EQ(take(0, 100, 100), 1);
    ASSERT_EQ(take(0, 100, 200), 2);
    goTo(3);
    dragCharacter(0, 900, 100);
    dragCharacter(1, 960, 100);
    goTo(5);
    // Two characters, room for one, nobody to bring the boat back.
    EXPECT_TRUE(items().verdictLabel->visible);
    EXPECT_THAT(items().verdictLabel->text,
                testing::StartsWith("У задачи нет решения.\nЛодочника нет"_cp));
    next();
    EXPECT_EQ(datFiles(programFolder() / "tasks"), 0);
    // Asked once, without repeating the verdict shown just below.
    EXPECT_EQ(items().stepHint->text, "Всё равно сохранить?\nТогда нажмите\nГотово ещё раз"_cp);
    ASSERT_TRUE(items().nextButton->visible);
    next();
    EXPECT_EQ(datFiles(programFolder() / "tasks"), 1);

    // A boatman mends it; the verdict follows, and Done saves at once.
    goTo(1);
    clickCentre(items().boatmanBox);
    goTo(5);
    EXPECT_EQ(items().verdictLabel->text, "Кратчайшее решение:\n3 переправы"_cp);
    next();
    EXPECT_EQ(datFiles(programFolder() / "tasks"), 2);
    goTo(4);
    EXPECT_FALSE(items().verdictLabel->visible);
}

// A character never put on the right bank was saved with its goal at (0, 0), and the
// verdict counted crossings as if it had one.
TEST_F(WizardTest, DoneWaitsUntilEveryoneHasAPlaceOnTheRightBank) {
    goTo(1);
    clickCentre(items().boatmanBox);
    goTo(2);
    ASSERT_EQ(take(0, 100, 100), 1);
    ASSERT_EQ(take(1, 100, 200), 2);
    goTo(3);
    dragCharacter(0, 900, 100);
    dragCharacter(1, 900, 400);  // onto the panel: refused, and told why
    EXPECT_EQ(character(1).rightX, 0);
    ASSERT_TRUE(test::scenery().messagePopup->visible);
    EXPECT_THAT(test::scenery().messagePopup->text, testing::StartsWith("На доску ставить нельзя"_cp));
    goTo(5);
    EXPECT_EQ(items().verdictLabel->text,
              "Нет места на правом берегу: b.\nВернитесь к шагу «Конечное положение»."_cp);
    next();
    EXPECT_EQ(datFiles(programFolder() / "tasks"), 0);
    goTo(3);
    dragCharacter(1, 960, 100);
    goTo(5);
    next();
    EXPECT_EQ(datFiles(programFolder() / "tasks"), 1);
}

TEST_F(WizardTest, TheLongestTitleTheBoxTakesSavesTwiceUnderNumberedNames) {
    wait(1100);
    items().titleEdit->setText(std::string(200, 'a'));
    goTo(1);
    clickCentre(items().boatmanBox);
    ASSERT_EQ(std::strlen(test::task().title), 122u);
    goTo(5);
    next();
    back();
    next();
    next();
    EXPECT_TRUE(fs::exists(programFolder() / "tasks" / model::taskFileName(test::task().title, 0)));
    EXPECT_TRUE(fs::exists(programFolder() / "tasks" / model::taskFileName(test::task().title, 1)));
    EXPECT_LE(model::taskFileName(test::task().title, 99).size(), 255u);
    EXPECT_GT(model::taskFileName(std::string(test::task().title) + "a", 99).size(), 255u);
}

TEST_F(WizardTest, ClosingTheEditorDropsOpenEditBoxesAndEverythingItMade) {
    wait(1100);
    ASSERT_NE(items().titleEdit, nullptr);
    items().titleEdit->typeText("Черновик");
    app::closeScreen();
    EXPECT_EQ(test::scenery().titleLabel->text, "Название"_cp);
    EXPECT_EQ(platform::focusedEditBox(), nullptr);
    EXPECT_EQ(test::editorStep(), -1);
    EXPECT_EQ(app::screenKind(), app::ScreenKind::None);
    EXPECT_EQ(items().ruleList, nullptr);
    EXPECT_FALSE(test::scenery().woodPanel->visible);
    EXPECT_EQ(test::scenery().woodPanel->attached, test::scenery().upArrow);
    EXPECT_EQ(test::scenery().bankHighlight->attached, nullptr);

    // A second editor, closed with characters and rules in it.
    key(platform::Key::Escape);
    click(500, 130);
    ASSERT_EQ(test::editorStep(), 0);
    EXPECT_EQ(test::task().title[0], '\0');
    goTo(2);
    ASSERT_EQ(take(0, 200, 300), 1);
    goTo(4);
    ASSERT_TRUE(items().ruleList->appendRule());
    const ui::VisualItem* boat = test::task().boat;
    const ui::VisualItem* character = test::task().characters[0].item;
    ASSERT_NE(boat, nullptr);
    ASSERT_NE(character, nullptr);
    app::closeScreen();
    // Neither the boat nor the character it made stays on screen.
    for (const ui::VisualItem* item = ui::shell().items.bottom; item; item = item->next) {
        EXPECT_NE(item, boat);
        EXPECT_NE(item, character);
    }
    // The next editor starts from an empty task.
    key(platform::Key::Escape);
    click(500, 130);
    ASSERT_EQ(test::editorStep(), 0);
    EXPECT_EQ(test::task().characterCount, 0);
    EXPECT_EQ(test::task().ruleCount, 0);
}

}  // namespace
