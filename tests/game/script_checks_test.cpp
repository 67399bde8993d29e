// ferrolin-script's checks fail with what the screen showed instead, and a check the
// script gets wrong never passes.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "app/script_checks.hpp"
#include "app/script_runner.hpp"
#include "app/text_contrast.hpp"
#include "support/game_fixture.hpp"
#include "support/open_screens.hpp"
#include "ui/cp1251.hpp"
#include "ui/shell.hpp"
#include "ui/text_item.hpp"

namespace {

using app::checkExpectation;
using ui::operator""_cp;

class ScriptChecks : public test::GameTest {};

TEST_F(ScriptChecks, TellWhatTheScreenShowsInstead) {
    closeMenu();
    click(520, 40);
    wait(50);
    click(520, 73);  // the catalogue of an empty tasks folder
    wait(100);
    EXPECT_EQ(checkExpectation(" text «Нет файлов с задачами»"), std::nullopt);
    EXPECT_EQ(checkExpectation(" no text «Открыть»"), std::nullopt);
    EXPECT_EQ(checkExpectation(" menu closed"), std::nullopt);
    EXPECT_EQ(checkExpectation(" text «Открыть»"),
              "no text «Открыть» on screen; it shows «Нет файлов с задачами»");
    EXPECT_EQ(checkExpectation(" no text «файлов»"), "«файлов» is on screen: «Нет файлов с задачами»");
    EXPECT_EQ(checkExpectation(" moves 0"), "no task is being played");
    EXPECT_EQ(checkExpectation(" solved «Волк» 7"), "no task file is titled «Волк»");
    EXPECT_EQ(checkExpectation(" menu open"), "the menu is closed");
}

// Bright green straight on the light blue water was hard to read; the same colour with
// its outline is not.
TEST_F(ScriptChecks, ScreenshotsMeasureHowReadableTheirTextsAre) {
    closeMenu();
    test::scenery().showMessage("Эту задачу нельзя удалить"_cp);
    EXPECT_EQ(app::leastReadableText(), std::nullopt);
    auto* bare = new ui::TextItem(320, 200, 380, 30, "Эту задачу нельзя удалить"_cp,
                                  ui::shell().fonts.medium, test::scenery().messagePopup->colour);
    const std::optional<app::PoorText> poor = app::leastReadableText();
    ASSERT_NE(poor, std::nullopt);
    EXPECT_EQ(poor->text, "Эту задачу нельзя удалить");
    EXPECT_LT(poor->ratio, app::kLeastContrast);
    delete bare;
}

TEST(ScriptCheckWords, AMistypedCheckFails) {
    for (const char* words : {" txt «a»", " text a", " text «a» 2", " moves", " no title «a»", ""}) {
        EXPECT_NE(checkExpectation(words), std::nullopt) << words;
    }
}

TEST(ScriptCheckLines, AFailedCheckStopsTheScriptNamingItsLine) {
    const auto data = std::filesystem::temp_directory_path() / "ferrolin-script-checks";
    std::filesystem::create_directories(data);
    std::istringstream script(
        "folder " FERROLIN_GAME_DIR "\ndata " + data.string() +
        "\nexpect menu open\n# play has not begun\nexpect moves 1\nshot never.png\n");
    std::ostringstream errors;
    EXPECT_EQ(app::runScript(script, ".", errors), 1);
    EXPECT_EQ(errors.str(), "line 5: expect moves 1: no task is being played\n");
    std::filesystem::remove_all(data);
}

}  // namespace
