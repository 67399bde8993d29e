// The catalogue of task files, opening and deleting them, and task and solution files on disk.
#include <gtest/gtest.h>

#include <fstream>
#include <vector>

#include "app/game.hpp"
#include "app/screen.hpp"
#include "app/screens.hpp"
#include "app/task_catalogue.hpp"
#include "app/task_list_box.hpp"
#include "model/task_file.hpp"
#include "platform/class_folder.hpp"
#include "puzzle/class_results.hpp"
#include "puzzle/move_list_box.hpp"
#include "puzzle/play.hpp"
#include "puzzle/task.hpp"
#include "puzzle/task_files.hpp"
#include "support/game_fixture.hpp"
#include "support/open_screens.hpp"
#include "support/sample_tasks.hpp"
#include "ui/cp1251.hpp"

namespace {

using namespace ui;
using namespace scene;

model::TaskData titled(const std::string& title) {
    model::TaskData data = test::wolfGoatCabbage();
    data.title = title;
    return data;
}

class CatalogueTest : public test::GameTest {
protected:
    app::TaskListBox* openCatalogue() {
        if (!app::game().menu.picture->visible) key(platform::Key::Escape);
        click(520, 73);
        return app::currentTaskList();
    }
    // «Удалить» asks first; the second press deletes.
    void deleteSelected() {
        click(570, 105 + 440 - 89 + 15);
        click(570, 105 + 440 - 89 + 15);
    }
    void pressRow(int row) {
        auto* list = app::currentTaskList();
        click(list->x + 100, list->y + 33 * row + 15);
    }
    std::vector<std::string> rowNames() {
        std::vector<std::string> names;
        for (const auto& e : app::currentTaskList()->entries) names.push_back(e.name);
        return names;
    }
};

TEST_F(CatalogueTest, ListsBothFoldersByTitleAndMovesThePanel) {
    test::writeTaskFile("tasks/_6162.dat", titled("ab"), false);
    test::writeTaskFile("tasks/_4142.dat", titled("AB"), false);
    test::writeTaskFile((dataFolder() / "_6162.dat").string(), titled("ab"), false);
    test::writeTaskFile((dataFolder() / "_CFF0E8.dat").string(), titled("При"_cp), false);
    auto* list = openCatalogue();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(test::scenery().woodPanel->x, 365);
    EXPECT_EQ(test::scenery().woodPanel->y, 105);
    EXPECT_EQ(list->x, 412);
    EXPECT_EQ(list->y, 151);
    const auto names = rowNames();
    ASSERT_EQ(names.size(), 4u);
    EXPECT_EQ(names[0], "AB");
    EXPECT_EQ(names[1], "ab");
    EXPECT_EQ(names[2], "ab");
    EXPECT_EQ(names[3], "При"_cp);
    list->waitForRows();  // the picture shows every row's verdict
    wait(20);
    EXPECT_TRUE(test::scenery().buttons[0]->visible);
    shot("catalogue");
}

TEST_F(CatalogueTest, ListsTheClassFolderBetweenTheProgramAndTheDataFolder) {
    const std::filesystem::path shared = programFolder() / "class";
    std::filesystem::create_directories(shared);
    test::writeTaskFile("tasks/_62.dat", titled("b"), false);
    test::writeTaskFile((shared / "_63.dat").string(), titled("c"), false);
    test::writeTaskFile((shared / "_61.dat").string(), titled("a"), false);
    test::writeTaskFile((dataFolder() / "_61.dat").string(), titled("a"), false);
    platform::setClassFolderOverride(shared.string());
    puzzle::confirmPupilName("Аня");
    openCatalogue();
    platform::setClassFolderOverride(std::string());
    EXPECT_EQ(rowNames(), (std::vector<std::string>{"b", "a", "c", "a"}));
    EXPECT_EQ(app::currentTaskList()->entries[1].folder, shared.string());

    // A class task opens like any other.
    pressRow(2);
    pressRow(2);
    wait(1000);
    EXPECT_EQ(app::screenKind(), app::ScreenKind::Play);
    EXPECT_STREQ(test::task().title, "c");
}

TEST_F(CatalogueTest, OtherFileNamesShowInUtf8AndNoRowIsBlank) {
    test::writeTaskFile("tasks/Задача про волка.dat", titled("x"), false);
    test::writeTaskFile("tasks/_zz.dat", titled("y"), false);
    test::writeTaskFile("tasks/_.dat", titled(""), false);
    openCatalogue();
    const auto names = rowNames();
    ASSERT_EQ(names.size(), 3u);
    EXPECT_EQ(names[0], "_");
    EXPECT_EQ(names[1], "_zz");
    EXPECT_EQ(names[2], "Задача про волка"_cp);
    pressRow(1);
    pressRow(1);
    EXPECT_STREQ(test::task().title, "y");
}

TEST_F(CatalogueTest, ManyFilesKeepTheFirstTitlesAndEveryPressAddressesItsOwnRow) {
    auto title = [](int i) {
        char text[16];
        std::snprintf(text, sizeof text, "T%03d", i);
        return std::string(text);
    };
    // Written in reverse, so the folder does not list them in title order.
    for (int i = 299; i >= 0; --i) {
        test::writeTaskFile("tasks/" + model::taskFileName(title(i), 0), titled(title(i)), false);
    }
    auto* list = openCatalogue();
    ASSERT_EQ(list->entries.size(), 256u);
    EXPECT_EQ(list->entries.front().name, "T000");
    EXPECT_EQ(list->entries.back().name, "T255");
    EXPECT_EQ(list->hiddenCount, 44);
    list->scrollOffset = 33 * 250;
    wait(20);
    shot("catalogue-more-files");
    // The row saying how many are left out cannot be selected.
    pressRow(6);
    EXPECT_EQ(list->selectedRow, -1);

    // Five digits still fit the row: no letter reaches its edges.
    list->hiddenCount = 12345;
    wait(20);
    shot("catalogue-many-hidden");
    auto lettered = [&](int x) {
        for (int y = list->y + 33 * 6; y < list->y + 33 * 7; ++y) {
            const uint32_t p = pixel(x, y);
            if (((p >> 16) & 0xFF) > 0xC0 && ((p >> 8) & 0xFF) > 0x90 && (p & 0xFF) < 0x90) return true;
        }
        return false;
    };
    EXPECT_FALSE(lettered(list->x + 1));
    EXPECT_FALSE(lettered(list->x + 210));

    list->scrollOffset = 33 * 100;
    pressRow(2);
    EXPECT_EQ(list->selectedRow, 102);
    pressRow(5);
    EXPECT_EQ(app::screenKind(), app::ScreenKind::Catalogue);
    EXPECT_EQ(list->selectedRow, 105);
    deleteSelected();
    EXPECT_FALSE(std::filesystem::exists("tasks/" + model::taskFileName(title(105), 0)));
    EXPECT_TRUE(std::filesystem::exists("tasks/" + model::taskFileName(title(102), 0)));
    EXPECT_TRUE(std::filesystem::exists("tasks/" + model::taskFileName(title(106), 0)));
    EXPECT_EQ(list->entries[105].name, title(106));
    pressRow(5);
    pressRow(5);
    EXPECT_EQ(app::screenKind(), app::ScreenKind::Play);
    EXPECT_EQ(std::string(test::task().title), title(106));
}

// The cap once kept the first titles over all folders: a pack grown past it hid every
// task of the class and of the pupil whose title came late.
TEST_F(CatalogueTest, ThePackNeverCrowdsOutTheClassOrThePupil) {
    const std::filesystem::path shared = programFolder() / "class";
    std::filesystem::create_directories(shared);
    for (int i = 299; i >= 0; --i) {
        char title[16];
        std::snprintf(title, sizeof title, "T%03d", i);
        test::writeTaskFile("tasks/" + model::taskFileName(title, 0), titled(title), false);
    }
    test::writeTaskFile((shared / model::taskFileName("Z class", 0)).string(), titled("Z class"), false);
    test::writeTaskFile((dataFolder() / model::taskFileName("Z mine", 0)).string(), titled("Z mine"),
                        false);
    platform::setClassFolderOverride(shared.string());
    puzzle::confirmPupilName("Аня");
    auto* list = openCatalogue();
    platform::setClassFolderOverride(std::string());
    ASSERT_EQ(list->entries.size(), 256u);
    EXPECT_EQ(list->hiddenCount, 46);
    // The pack keeps its first titles, and the rows stay in folder order.
    EXPECT_EQ(list->entries[0].name, "T000");
    EXPECT_EQ(list->entries[253].name, "T253");
    EXPECT_EQ(list->entries[254].name, "Z class");
    EXPECT_EQ(list->entries[255].name, "Z mine");
}

TEST(CatalogueOrder, TitlesSortWithNumbersCountedAsNumbers) {
    EXPECT_TRUE(app::titleBefore("2. b", "10. a"));
    EXPECT_FALSE(app::titleBefore("10. a", "2. b"));
    EXPECT_TRUE(app::titleBefore("Ab", "Ba"));
    EXPECT_TRUE(app::titleBefore("Z", "А"_cp));  // Latin before Cyrillic
    EXPECT_TRUE(app::titleBefore("Волк"_cp, "Коза"_cp));
    EXPECT_TRUE(app::titleBefore("Task 7", "Task 07b"));
    EXPECT_FALSE(app::titleBefore("same", "same"));
    EXPECT_TRUE(app::titleBefore("same", "same 1"));
}

TEST_F(CatalogueTest, AnEmptyCatalogueSaysSoAndHidesItsButtons) {
    openCatalogue();
    wait(20);
    EXPECT_FALSE(test::scenery().buttons[0]->visible);
    EXPECT_FALSE(test::scenery().buttons[1]->visible);
    click(465, 105 + 440 - 89 + 15);  // where "Открыть" would be
    EXPECT_FALSE(test::scenery().messagePopup->visible);
}

TEST_F(CatalogueTest, APressSelectsASecondOpensAndRejectedFilesSaySo) {
    test::writeTaskFile("tasks/_6162.dat", titled("ab"), false);
    std::ofstream("tasks/_6263.dat") << "not a task file";
    auto* list = openCatalogue();
    wait(20);
    click(465, 105 + 440 - 89 + 15);
    EXPECT_EQ(test::scenery().messagePopup->text, "Сначала выберите задачу"_cp);
    deleteSelected();
    EXPECT_EQ(test::scenery().messagePopup->text, "Сначала выберите задачу для удаления"_cp);
    // A press below the last row is not a hit.
    click(list->x + 100, list->y + 33 * 2 + 15);
    EXPECT_EQ(list->selectedRow, -1);

    const int good = list->entries[0].fileName == "_6162.dat" ? 0 : 1;
    pressRow(1 - good);
    EXPECT_EQ(list->selectedRow, 1 - good);
    pressRow(1 - good);
    // A rejected file keeps the catalogue open, row still selected.
    EXPECT_EQ(app::screenKind(), app::ScreenKind::Catalogue);
    EXPECT_EQ(app::currentTaskList(), list);
    EXPECT_EQ(list->selectedRow, 1 - good);
    EXPECT_EQ(test::scenery().messagePopup->text, "Ошибка открытия файла"_cp);
    EXPECT_EQ(test::scenery().woodPanel->x, 365);

    pressRow(good);
    click(465, 105 + 440 - 89 + 15);
    EXPECT_EQ(app::screenKind(), app::ScreenKind::Play);
    EXPECT_STREQ(test::task().title, "ab");
}

TEST_F(CatalogueTest, DeletingKeepsEveryRowOnItsOwnFile) {
    test::writeTaskFile("tasks/_6162.dat", titled("ab"), false);
    test::writeTaskFile("tasks/_6162 - 1.dat", titled("ab"), false);
    test::writeTaskFile((dataFolder() / "plain.dat").string(), titled("plain"), false);
    auto* list = openCatalogue();
    ASSERT_EQ(list->entries.size(), 3u);
    // Numbered and plain names show their titles and keep their own files.
    for (const auto& e : list->entries) {
        EXPECT_TRUE(e.name == "ab" || e.name == "plain") << e.name;
    }
    pressRow(0);
    const std::string first = list->entries[0].path();
    // Asked once, naming the task; choosing another row drops the question. The question
    // leaves the rows as they were, the one it names readable.
    list->waitForRows();
    move(570, 105 + 440 - 89 + 15);
    renderFrame();
    std::vector<uint32_t> rows;
    for (int y = list->y; y < list->y + list->height; ++y)
        for (int x = list->x; x < list->x + 212; ++x) rows.push_back(pixel(x, y));
    click(570, 105 + 440 - 89 + 15);
    EXPECT_TRUE(std::filesystem::exists(first));
    EXPECT_EQ(test::scenery().messagePopup->text, "Удалить задачу «ab»?\nНажмите «Да, удалить»"_cp);
    shot("catalogue-delete-question");
    size_t changed = 0, i = 0;
    for (int y = list->y; y < list->y + list->height; ++y)
        for (int x = list->x; x < list->x + 212; ++x) changed += pixel(x, y) != rows[i++];
    EXPECT_EQ(changed, 0u);
    pressRow(1);
    pressRow(0);
    click(570, 105 + 440 - 89 + 15);
    EXPECT_TRUE(std::filesystem::exists(first));
    click(570, 105 + 440 - 89 + 15);
    EXPECT_FALSE(std::filesystem::exists(first));
    ASSERT_EQ(list->entries.size(), 2u);
    EXPECT_EQ(list->selectedRow, -1);
    // Across the boundary between the folders.
    pressRow(1);
    const std::string last = list->entries[1].path();
    EXPECT_EQ(std::filesystem::path(last), dataFolder() / "plain.dat");
    deleteSelected();
    EXPECT_FALSE(std::filesystem::exists(last));
    // A file that is already gone keeps its row and says so.
    std::filesystem::remove(list->entries[0].path());
    pressRow(0);
    deleteSelected();
    EXPECT_EQ(test::scenery().messagePopup->text, "Эту задачу нельзя удалить"_cp);
    EXPECT_EQ(list->entries.size(), 1u);
    EXPECT_EQ(list->selectedRow, 0);
}

TEST_F(CatalogueTest, AFileItsOwnerMadeReadOnlyIsNotDeleted) {
    test::writeTaskFile("tasks/_6162.dat", titled("ab"), false);
    std::filesystem::permissions("tasks/_6162.dat", std::filesystem::perms::owner_read |
                                                        std::filesystem::perms::group_read |
                                                        std::filesystem::perms::others_read);
    auto* list = openCatalogue();
    pressRow(0);
    deleteSelected();
    EXPECT_EQ(test::scenery().messagePopup->text, "Эту задачу нельзя удалить"_cp);
    EXPECT_TRUE(std::filesystem::exists("tasks/_6162.dat"));
    EXPECT_EQ(list->entries.size(), 1u);
}

TEST_F(CatalogueTest, DeletingTheLastEntryLeavesTheEmptyText) {
    test::writeTaskFile("tasks/_6162.dat", titled("ab"), false);
    auto* list = openCatalogue();
    pressRow(0);
    wait(20);
    deleteSelected();
    wait(20);
    EXPECT_TRUE(list->entries.empty());
    EXPECT_FALSE(test::scenery().buttons[0]->visible);
}

TEST_F(CatalogueTest, NewTaskNamesAreNumberedUpToNinetyNine) {
    puzzle::Task task;
    puzzle::setTitle(test::scenery(), task, "ab");
    ASSERT_TRUE(puzzle::saveNewTask(task, "tasks"));
    ASSERT_TRUE(puzzle::saveNewTask(task, "tasks"));
    EXPECT_TRUE(std::filesystem::exists("tasks/_6162.dat"));
    EXPECT_TRUE(std::filesystem::exists("tasks/_6162 - 1.dat"));
    for (int n = 2; n <= 99; ++n) ASSERT_TRUE(puzzle::saveNewTask(task, "tasks")) << n;
    EXPECT_FALSE(puzzle::saveNewTask(task, "tasks"));
    // The data folder is made when it is the target; a missing "tasks" folder is not.
    std::filesystem::remove_all(dataFolder());
    EXPECT_TRUE(puzzle::saveNewTask(task, platform::dataFolder()));
    EXPECT_TRUE(std::filesystem::exists(dataFolder() / "_6162.dat"));
    std::filesystem::remove_all("tasks");
    EXPECT_FALSE(puzzle::saveNewTask(task, "tasks"));
}

TEST_F(CatalogueTest, SolutionsSaveAndLoadThroughTheMenu) {
    test::writeTaskFile("tasks/_6162.dat", titled("ab"), false);
    openCatalogue();
    pressRow(0);
    pressRow(0);
    ASSERT_EQ(app::screenKind(), app::ScreenKind::Play);
    // One crossing: the farmer takes the goat.
    auto board = [&](int i) {
        auto* c = test::task().characters[static_cast<size_t>(i)].item;
        drag(c->x + 30, c->y + 30, 335, 320);
    };
    board(0);
    board(2);
    click(480, 355);
    ASSERT_EQ(test::play().moveList->moveCount, 1);

    const std::string path = (dataFolder() / "mine").string();
    platform::queueFileDialogAnswer(path + ".sln");
    key(platform::Key::Escape);
    click(520, 73 + 58 * 2);
    EXPECT_EQ(test::scenery().messagePopup->text, "Решение сохранено"_cp);
    EXPECT_EQ(platform::lastFileDialog().title, "Сохранить решение"_cp);
    EXPECT_TRUE(platform::lastFileDialog().overwritePrompt);

    platform::queueFileDialogAnswer(path + ".sln");
    key(platform::Key::Escape);
    click(520, 73 + 58 * 3);
    EXPECT_EQ(platform::lastFileDialog().title, "Загрузить решение"_cp);
    EXPECT_EQ(platform::lastFileDialog().initialPath, path + ".sln");
    ASSERT_EQ(app::screenKind(), app::ScreenKind::Play);
    EXPECT_EQ(test::play().moveList->moveCount, 1);
    EXPECT_EQ(test::task().boat->x, 675);
    EXPECT_EQ(puzzle::placeOf(test::task(), 2, 1), 1);

    // A file the reader rejects keeps the game as it was and says so.
    std::ofstream(path + "-bad.sln") << "PA*GPFF";
    platform::queueFileDialogAnswer(path + "-bad.sln");
    key(platform::Key::Escape);
    click(520, 73 + 58 * 3);
    EXPECT_EQ(app::screenKind(), app::ScreenKind::Play);
    EXPECT_EQ(test::scenery().messagePopup->text, "Ошибка открытия файла"_cp);
    EXPECT_STREQ(test::task().title, "ab");
    EXPECT_EQ(test::play().moveList->moveCount, 1);
    EXPECT_EQ(test::task().boat->x, 675);
    EXPECT_TRUE(test::scenery().woodPanel->visible);
}

TEST_F(CatalogueTest, MalformedFilesNeverBuildAHalfScreen) {
    const std::vector<uint8_t> good = model::encodeTask(test::wolfGoatCabbage(), false);
    // Cut short right after the magic: damaged, not an empty untitled task.
    std::vector<uint8_t> cut(good.begin(), good.begin() + 17);
    std::ofstream("tasks/cut.dat", std::ios::binary)
        .write(reinterpret_cast<const char*>(cut.data()), static_cast<std::streamsize>(cut.size()));
    closeMenu();
    EXPECT_FALSE(app::openTask("tasks/cut.dat"));
    EXPECT_NE(app::screenKind(), app::ScreenKind::Play);
    // A character count beyond the table is rejected before anything is built.
    std::vector<uint8_t> huge = good;
    const size_t countAt = 4 + 13 + 4 + 4 + 4 + 23 + 4;
    huge[countAt] = 0xFF;
    huge[countAt + 1] = 0xFF;
    std::ofstream("tasks/huge.dat", std::ios::binary)
        .write(reinterpret_cast<const char*>(huge.data()), static_cast<std::streamsize>(huge.size()));
    EXPECT_FALSE(app::openTask("tasks/huge.dat"));
    EXPECT_EQ(app::screenKind(), app::ScreenKind::None);
    EXPECT_FALSE(app::openTask("tasks/missing.dat"));
}

}  // namespace
