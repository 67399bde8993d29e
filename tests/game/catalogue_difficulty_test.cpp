// The catalogue's difficulty column and its cache by file content.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/game.hpp"
#include "app/screens.hpp"
#include "app/task_catalogue.hpp"
#include "app/task_difficulty.hpp"
#include "app/task_list_box.hpp"
#include "scene/scene.hpp"
#include "support/game_fixture.hpp"
#include "support/sample_tasks.hpp"
#include "ui/cp1251.hpp"

namespace {

namespace fs = std::filesystem;
using ui::operator""_cp;

class DifficultyTest : public test::GameTest {
protected:
    std::vector<std::string> marks() {
        if (!app::game().menu.picture->visible) key(platform::Key::Escape);
        click(520, 73);
        app::currentTaskList()->waitForRows();
        wait(20);
        std::vector<std::string> out;
        for (const app::TaskEntry& entry : app::currentTaskList()->entries) {
            EXPECT_TRUE(entry.difficulty.settled) << entry.name;
            out.push_back(app::difficultyMark(entry.difficulty).text);
        }
        return out;
    }
};

model::TaskData threeAlone() {
    model::TaskData task;
    task.title = std::string("b");  // not assigned from the literal: GCC 12 warns falsely
    task.boat = 1;
    for (int i = 0; i < 3; ++i)
        task.characters.push_back(test::character("a", 10, 60 + 90 * i, 900, 60 + 90 * i));
    return task;
}

using Marks = std::vector<std::string>;

TEST_F(DifficultyTest, RowsShowTheShortestCountOrAMarkAndOnlyNewContentIsSolved) {
    app::verdictCache().clear();
    test::writeTaskFile("tasks/_61.dat", test::wolfGoatCabbage(), false);
    test::writeTaskFile("tasks/_62.dat", threeAlone(), false);
    std::ofstream("tasks/_63.dat") << "not a task";
    EXPECT_EQ(marks(), (Marks{"5", "—"_cp, ""}));
    EXPECT_EQ(app::verdictCache().size(), 2u);
    shot("catalogue_difficulty");

    // The same content under another name costs nothing; an edited file is judged anew.
    fs::copy_file("tasks/_61.dat", dataFolder() / "_64.dat");
    model::TaskData mended = threeAlone();
    mended.boat |= model::kBoatmanFlag;
    test::writeTaskFile("tasks/_62.dat", mended, false);
    EXPECT_EQ(marks(), (Marks{"5", "5", "", "5"}));
    EXPECT_EQ(app::verdictCache().size(), 3u);
}

}  // namespace
