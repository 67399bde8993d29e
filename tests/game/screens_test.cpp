// The main menu and its commands, screen changes and the end of the program.
#include <gtest/gtest.h>

#include <fstream>

#include "app/game.hpp"
#include "app/screen.hpp"
#include "app/screens.hpp"
#include "app/task_catalogue.hpp"
#include "app/task_list_box.hpp"
#include "editor/task_editor.hpp"
#include "puzzle/task.hpp"
#include "support/game_fixture.hpp"
#include "support/open_screens.hpp"
#include "support/sample_tasks.hpp"
#include "ui/cp1251.hpp"
#include "ui/shell.hpp"

namespace {

using namespace ui;
using namespace scene;

class ScreensTest : public test::GameTest {
protected:
    void command(int id) {
        if (!app::game().menu.picture->visible) key(platform::Key::Escape);
        click(520, 73 + 58 * id);
    }
};

TEST_F(ScreensTest, StartsWithTheMenuRolledDown) {
    EXPECT_TRUE(app::game().menu.picture->visible);
    EXPECT_EQ(app::menuPosition(), 0);
    EXPECT_EQ(app::game().menu.roller->y, 412);
    EXPECT_EQ(shell().items.modalFloor, app::game().menu.picture);
    EXPECT_EQ(app::screenKind(), app::ScreenKind::None);
    EXPECT_EQ(shell().items.top, app::game().menu.roller);
    shot("menu-open");
}

TEST_F(ScreensTest, EscapeAndTheRollerRollTheMenuUpAndDown) {
    key(platform::Key::Escape);
    EXPECT_FALSE(app::game().menu.picture->visible);
    EXPECT_FALSE(app::game().menu.buttons[5]->visible);
    EXPECT_EQ(app::game().menu.roller->y, 28);
    EXPECT_EQ(app::menuPosition(), 384);
    EXPECT_EQ(shell().items.modalFloor, nullptr);
    shot("menu-closed");
    click(app::game().menu.roller->x + 20, app::game().menu.roller->y + 10);
    EXPECT_TRUE(app::game().menu.picture->visible);
    EXPECT_EQ(app::game().menu.roller->y, 412);
    // Escape is ignored while the mouse is disarmed.
    shell().items.inputArmed = false;
    key(platform::Key::Escape);
    EXPECT_TRUE(app::game().menu.picture->visible);
    shell().items.inputArmed = true;
}

TEST_F(ScreensTest, TheScreenBelowAnOpenMenuIgnoresTheMouse) {
    test::writeTaskFile("tasks/_6162.dat", {}, false);
    command(0);
    ASSERT_EQ(app::screenKind(), app::ScreenKind::Catalogue);
    auto* list = app::currentTaskList();
    key(platform::Key::Escape);
    ASSERT_TRUE(app::game().menu.picture->visible);
    // The first row lies at (412, 151) under the open menu's rows; the panel is beside it.
    click(list->x + 10, list->y + 10);
    EXPECT_EQ(list->selectedRow, -1);
    key(platform::Key::Escape);
    click(list->x + 10, list->y + 10);
    EXPECT_EQ(list->selectedRow, 0);
}

TEST_F(ScreensTest, SaveSolutionOutsidePlaySaysThereIsNoGameToSave) {
    command(0);
    command(2);
    EXPECT_FALSE(app::game().menu.picture->visible);
    EXPECT_EQ(app::screenKind(), app::ScreenKind::Catalogue);
    EXPECT_EQ(test::scenery().messagePopup->text, "Сохранять нечего: сначала откройте задачу"_cp);
    wait(100);
    shot("save-without-game");
}

TEST_F(ScreensTest, ARejectedFileKeepsTheEditorAsItWas) {
    command(1);
    ASSERT_EQ(app::screenKind(), app::ScreenKind::Editor);
    const std::string bad = (dataFolder() / "bad.sln").string();
    std::ofstream(bad) << "not a solution";
    platform::queueFileDialogAnswer(bad);
    command(3);
    EXPECT_EQ(app::screenKind(), app::ScreenKind::Editor);
    EXPECT_EQ(test::editorStep(), 0);
    EXPECT_TRUE(test::scenery().buttons[1]->visible);
    EXPECT_EQ(test::scenery().messagePopup->text, "Ошибка открытия файла"_cp);
}

TEST_F(ScreensTest, ClosingAScrolledListHidesItsArrowsUntilTheNextListNeedsThem) {
    for (int i = 0; i < 20; ++i)
        test::writeTaskFile("tasks/_" + std::to_string(40 + i) + ".dat", {}, false);
    command(0);
    app::currentTaskList()->scrollOffset = 66;
    wait(20);
    ASSERT_TRUE(test::scenery().upArrow->visible);
    ASSERT_TRUE(test::scenery().downArrow->visible);
    app::closeScreen();
    EXPECT_FALSE(test::scenery().upArrow->visible);
    EXPECT_FALSE(test::scenery().downArrow->visible);
    command(0);
    wait(20);
    EXPECT_TRUE(test::scenery().downArrow->visible);
}

TEST_F(ScreensTest, ExitAndClosingTheWindowCloseTheScreenFirst) {
    command(0);
    ASSERT_EQ(app::screenKind(), app::ScreenKind::Catalogue);
    test::scenery().woodPanel->moveTo(100, 100);
    command(5);
    EXPECT_EQ(app::screenKind(), app::ScreenKind::None);
    EXPECT_TRUE(platform::quitPosted());
    // Leaving the catalogue puts the panel back.
    EXPECT_EQ(test::scenery().woodPanel->x, 705);
    EXPECT_EQ(test::scenery().woodPanel->y, 320);
    EXPECT_EQ(test::scenery().upArrow->x, 843);

    platform::resetQuit();
    command(0);
    closeWindow();
    EXPECT_EQ(app::screenKind(), app::ScreenKind::None);
    EXPECT_TRUE(platform::quitPosted());
}

TEST_F(ScreensTest, HelpOpensThePageWithoutAShell) {
    static std::vector<std::string> started;
    started.clear();
    platform::setDocumentOpener([](const std::vector<std::string>& argv) { started = argv; });
    std::filesystem::create_directories("help");
    std::ofstream("help/index.html") << "<html></html>";
    command(4);
    ASSERT_EQ(started.size(), 2u);
    EXPECT_EQ(started[0], "xdg-open");
    EXPECT_EQ(std::filesystem::path(started[1]),
              std::filesystem::canonical(programFolder() / "help" / "index.html"));
    EXPECT_FALSE(app::game().menu.picture->visible);
    platform::setDocumentOpener(nullptr);
}

}  // namespace
