// Saving never loses a file: a solution or task that cannot be written where the user
// asked (full disk, read-only folder) is reported, and what was there before stays whole.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <initializer_list>

#include "app/screen.hpp"
#include "model/task_file.hpp"
#include "puzzle/move_list_box.hpp"
#include "puzzle/play.hpp"
#include "puzzle/task.hpp"
#include "puzzle/task_files.hpp"
#include "scene/river.hpp"
#include "support/editor_fixture.hpp"
#include "support/game_fixture.hpp"
#include "support/open_screens.hpp"
#include "support/sample_tasks.hpp"
#include "support/small_disk.hpp"
#include "ui/cp1251.hpp"

namespace {

namespace fs = std::filesystem;
using ui::operator""_cp;

std::vector<uint8_t> contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

int datFiles(const fs::path& folder) {
    int count = 0;
    for (const auto& entry : fs::directory_iterator(folder)) count += entry.path().extension() == ".dat";
    return count;
}

class SafeSaveTest : public test::GameTest {
protected:
    void centreOf(const ui::VisualItem* item, int* x, int* y) {
        *x = item->x + item->width / 2;
        *y = item->y + item->height / 2;
    }
    // Boards the characters and sends the boat to the other bank.
    void cross(std::initializer_list<int> who) {
        int bx = 0, by = 0;
        for (const int i : who) {
            int cx = 0, cy = 0;
            centreOf(test::task().characters[static_cast<size_t>(i)].item, &cx, &cy);
            centreOf(test::task().boat, &bx, &by);
            drag(cx, cy, bx, by);
        }
        const ui::PressablePicture* arrow =
            test::play().rightArrow->visible ? test::play().rightArrow : test::play().leftArrow;
        int ax = 0, ay = 0;
        centreOf(arrow, &ax, &ay);
        click(ax, ay);
    }
    void saveSolution(const fs::path& path) {
        platform::queueFileDialogAnswer(path.string());
        key(platform::Key::Escape);
        click(520, 73 + 58 * 2);
    }
};

TEST_F(SafeSaveTest, AFailedSolutionSaveIsReportedAndKeepsThePreviousFile) {
    for (const bool readOnly : {false, true}) {
        SCOPED_TRACE(readOnly ? "read-only folder" : "full disk");
        const fs::path folder = dataFolder() / (readOnly ? "readonly" : "full");
        test::SmallDisk disk(folder, "16k");
        if (!disk.mounted()) GTEST_SKIP() << "mounting a small tmpfs needs root";

        test::writeTaskFile("tasks/wolf.dat", test::wolfGoatCabbage(), false);
        closeMenu();
        ASSERT_TRUE(app::openTask("tasks/wolf.dat"));
        app::finishAnimations();
        cross({0, 2});
        ASSERT_EQ(test::play().moveList->moveCount, 1);
        const fs::path path = folder / "mine.sln";
        saveSolution(path);
        ASSERT_EQ(test::scenery().messagePopup->text, "Решение сохранено"_cp);
        const std::vector<uint8_t> saved = contents(path);

        if (readOnly) {
            ASSERT_TRUE(disk.makeReadOnly());
        } else {
            disk.fill();
        }
        cross({0});
        ASSERT_EQ(test::play().moveList->moveCount, 2);
        saveSolution(path);
        EXPECT_EQ(test::scenery().messagePopup->text, "Ошибка сохранения файла"_cp);
        EXPECT_EQ(contents(path), saved);
        EXPECT_EQ(disk.files(), std::vector<std::string>{"mine.sln"});  // no half file beside it
        // Play goes on as it was; the kept file still loads with its one move.
        EXPECT_EQ(app::screenKind(), app::ScreenKind::Play);
        EXPECT_EQ(test::play().moveList->moveCount, 2);
        EXPECT_EQ(test::task().boat->x, scene::kLeftStationX);
        const auto kept = model::decodeTask(saved);
        ASSERT_TRUE(kept.has_value());
        EXPECT_EQ(kept->moves.size(), 1u);
        app::closeScreen();
    }
}

class EditorSaveTest : public test::EditorTest {};

TEST_F(EditorSaveTest, DoneFallsBackToTheDataFolderWhenTasksIsFullOrReadOnly) {
    test::SmallDisk tasks(programFolder() / "tasks", "16k");
    if (!tasks.mounted()) GTEST_SKIP() << "mounting a small tmpfs needs root";
    goTo(2);
    ASSERT_EQ(take(0, 200, 300), 1);
    goTo(3);
    dragCharacter(0, 900, 100);
    goTo(5);

    // A full "tasks": the file does not fit, nothing half written stays there.
    tasks.fill();
    next();
    EXPECT_THAT(items().stepHint->text, testing::StartsWith("Задача сохранена\nв папку данных"_cp));
    EXPECT_TRUE(tasks.files().empty());
    EXPECT_EQ(datFiles(dataFolder()), 1);

    // A read-only "tasks": the data folder again, under the next free name.
    ASSERT_TRUE(tasks.makeReadOnly());
    back();
    next();
    next();
    EXPECT_THAT(items().stepHint->text, testing::StartsWith("Задача сохранена\nв папку данных"_cp));
    EXPECT_EQ(datFiles(dataFolder()), 2);

    // Neither folder can take it: said so, and the two saved tasks are untouched.
    const std::vector<uint8_t> first =
        contents(dataFolder() / model::taskFileName(test::task().title, 0));
    platform::setDataFolderOverride((programFolder() / "tasks" / "data").string());
    back();
    next();
    next();
    EXPECT_EQ(items().stepHint->text, "Невозможно\nсоздать файл"_cp);
    EXPECT_EQ(datFiles(dataFolder()), 2);
    EXPECT_EQ(contents(dataFolder() / model::taskFileName(test::task().title, 0)), first);
    const auto decoded = model::decodeTask(first);
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(decoded->characters.size(), 1u);
}

}  // namespace
