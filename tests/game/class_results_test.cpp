// Wins reach the class folder: the pupil's own file, made once and only appended to, a
// file of that name that is not ours left alone, and the name asked once in the catalogue.
#include <gtest/gtest.h>

#include <fstream>

#include "app/pupil_name_form.hpp"
#include "app/screens.hpp"
#include "app/task_catalogue.hpp"
#include "app/task_list_box.hpp"
#include "base/cp1251.hpp"
#include "model/class_results.hpp"
#include "model/task_key.hpp"
#include "platform/class_folder.hpp"
#include "platform/edit_box.hpp"
#include "platform/pupil_files.hpp"
#include "puzzle/class_results.hpp"
#include "support/game_fixture.hpp"
#include "support/sample_tasks.hpp"

namespace {

namespace fs = std::filesystem;

std::string readText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

class ClassResultsTest : public test::GameTest {
protected:
    fs::path classFolder() const { return programFolder() / "class"; }
    std::vector<fs::path> resultFiles() const {
        std::vector<fs::path> files;
        for (const auto& entry : fs::directory_iterator(classFolder() / "results"))
            files.push_back(entry.path());
        std::sort(files.begin(), files.end());
        return files;
    }
};

TEST_F(ClassResultsTest, WinsAreAppendedToThePupilsOwnFile) {
    fs::create_directories(classFolder() / "results");
    platform::setClassFolderOverride(classFolder().string());
    const model::TaskData task = test::wolfGoatCabbage();
    const puzzle::Pupil pupil = puzzle::loadPupil();
    // Someone's file already holds this pupil's first name: it stays as it is.
    const fs::path taken =
        classFolder() / "results" / puzzle::resultsFileName(platform::computerName(), pupil.id, 0);
    std::ofstream(taken) << "notes";

    puzzle::recordClassWin(task, 9, 5, 1);
    puzzle::confirmPupilName("  Аня ");
    puzzle::recordClassWin(task, 5, std::nullopt, 0);
    ASSERT_TRUE(platform::waitForBackground(5000));

    const std::vector<fs::path> files = resultFiles();
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(readText(taken), "notes");
    const fs::path own = files[0] == taken ? files[1] : files[0];
    EXPECT_TRUE(own.filename().string().ends_with(pupil.id + "-1.txt")) << own;
    const std::string text = readText(own);
    EXPECT_TRUE(text.starts_with(model::resultsFileStart(pupil.name) + "win\t")) << text;
    EXPECT_NE(text.find("\npupil\tАня\nwin\t"), std::string::npos) << text;
    const model::ResultsFile file = model::parseResults(text);
    EXPECT_EQ(file.pupil, "Аня");
    EXPECT_EQ(file.unreadLines, 0);
    ASSERT_EQ(file.wins.size(), 2u);
    EXPECT_EQ(file.wins[0].key, model::taskKey(task));
    EXPECT_EQ(file.wins[0].crossings, 9);
    EXPECT_EQ(file.wins[0].shortest, 5);
    EXPECT_EQ(file.wins[0].hints, 1);
    EXPECT_EQ(file.wins[0].title, "Wolf");
    EXPECT_EQ(file.wins[1].shortest, std::nullopt);
}

TEST_F(ClassResultsTest, ThePupilConfirmsTheirNameOnceBeforeTheCatalogue) {
    platform::setClassFolderOverride(classFolder().string());
    click(520, 73);
    ASSERT_TRUE(app::pupilNameFormShown());
    EXPECT_EQ(app::currentTaskList(), nullptr);
    platform::EditBox* box = platform::focusedEditBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(), base::cp1251::fromUtf8(platform::accountName()).substr(0, 60));
    shot("pupil-name");
    box->selectAll();
    box->typeText("Аня");
    key(platform::Key::Enter);  // as «Готово»
    EXPECT_FALSE(app::pupilNameFormShown());
    EXPECT_NE(app::currentTaskList(), nullptr);
    EXPECT_EQ(puzzle::loadPupil().name, "Аня");

    key(platform::Key::Escape);
    click(520, 73);  // the catalogue again: no question
    EXPECT_FALSE(app::pupilNameFormShown());
    EXPECT_NE(app::currentTaskList(), nullptr);
}

}  // namespace
