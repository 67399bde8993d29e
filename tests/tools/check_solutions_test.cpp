#include "tools/check_solutions.hpp"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/fsuid.h>
#include <unistd.h>
#endif

#include <filesystem>
#include <random>

#include "model/solver.hpp"
#include "support/sample_tasks.hpp"

namespace fs = std::filesystem;

namespace {

class CheckSolutions : public ::testing::Test {
protected:
    // A folder of its own each time: MinGW's remove_all cannot take down the long path
    // below on Windows, so what it leaves there must not get in the next test's way.
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("ferrolin-check-solutions-" + std::to_string(std::random_device{}()));
        fs::create_directories(folder_ / "class" / "pupil");
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(folder_, ec);
    }

    std::string write(const std::string& name, size_t moves) {
        model::TaskData task = test::wolfGoatCabbage();
        const std::vector<model::MoveData> solved = model::solveTask(task).moves;
        task.moves.assign(solved.begin(),
                          solved.begin() + static_cast<long>(std::min(moves, solved.size())));
        const std::string path = (folder_ / name).make_preferred().string();
        test::writeTaskFile(path, task, true);
        return path;
    }

    int run(const std::vector<std::string>& paths, std::string& out,
            const model::TaskData* setTask = nullptr) {
        ::testing::internal::CaptureStdout();
        const int status = tools::checkSolutions(paths, setTask);
        out = ::testing::internal::GetCapturedStdout();
        return status;
    }

    fs::path folder_;
};

TEST_F(CheckSolutions, ReportsEachFileAndTheWorstStatus) {
    const std::string done = write("class/anna.sln", 99);
    const std::string half = write("class/pupil/boris.sln", 2);
    std::string out;
    EXPECT_EQ(run({done}, out), 0);
    EXPECT_EQ(
        out,
        done +
            ": complete, crossings 5, shortest 5\n"
            "1 checked: 1 complete, 0 incomplete, 0 breaking a rule, 0 unreadable; 1 different task\n");

    // A folder is searched in depth; other files in it are not solutions.
    write("class/notes.txt", 1);
    EXPECT_EQ(run({(folder_ / "class").string()}, out), 1);
    EXPECT_EQ(
        out,
        done + ": complete, crossings 5, shortest 5\n" + half +
            ": incomplete, crossings 2\n"
            "2 checked: 1 complete, 1 incomplete, 0 breaking a rule, 0 unreadable; 1 different task\n");

    model::TaskData broken = test::wolfGoatCabbage();
    broken.moves = {{0b0011, 1}};
    const std::string cheat = (folder_ / "cheat.sln").string();
    test::writeTaskFile(cheat, broken, true);
    const std::string missing = (folder_ / "missing.sln").string();
    EXPECT_EQ(run({cheat, missing}, out), 2);
    EXPECT_EQ(
        out,
        cheat + ": breaks a rule at crossing 1\n" + missing +
            ": unreadable\n"
            "2 checked: 0 complete, 0 incomplete, 1 breaking a rule, 1 unreadable; 1 different task\n");
}

// The first 17 bytes of any solution once passed as complete in 0 crossings.
TEST_F(CheckSolutions, ACutSolutionIsUnreadable) {
    const std::string path = write("cut.sln", 99);
    fs::resize_file(path, fs::file_size(path) - 2);
    std::string out;
    EXPECT_EQ(run({path}, out), 2);
    EXPECT_EQ(
        out,
        path +
            ": unreadable\n1 checked: 0 complete, 0 incomplete, 0 breaking a rule, 1 unreadable; 0 different tasks\n");
}

TEST_F(CheckSolutions, ASolutionOfAnotherTaskIsNoAnswer) {
    const std::string set = write("set.sln", 99);
    model::TaskData own = test::wolfGoatCabbage();
    own.rules.clear();  // the pupil's own task without its rules: trivially solved
    own.moves = model::solveTask(own).moves;
    const std::string trivial = (folder_ / "own.sln").string();
    test::writeTaskFile(trivial, own, true);
    model::TaskData task = test::wolfGoatCabbage();
    std::string out;
    EXPECT_EQ(run({set, trivial}, out, &task), 1);
    EXPECT_EQ(out, set + ": complete, crossings 5, shortest 5\n" + trivial +
                       ": another task\n"
                       "2 checked: 1 complete, 1 incomplete, 0 breaking a rule, 0 unreadable; "
                       "1 of another task, 2 different tasks\n");
}

// Permission bits, links and line breaks in names are Linux's.
#ifndef _WIN32
// A subfolder it could not read once let the check say "all complete", exit 0, and a
// line break in a file name printed a forged line.
TEST_F(CheckSolutions, EveryEntryAndEveryFolderItCannotReadIsReported) {
    const std::string done = write("class/anna.sln", 99);
    write("class/x.sln: complete\nboris.sln", 99);
    fs::create_directory(folder_ / "class" / "locked");
    write("class/locked/boris.sln", 99);
    fs::permissions(folder_ / "class" / "locked", fs::perms::none);
    fs::create_symlink("nowhere.sln", folder_ / "class" / "gone.sln");
    fs::create_symlink("loop.sln", folder_ / "class" / "loop.sln");
    std::string out;
    // Folder permissions as a teacher's account sees them, also when the tests run as root.
    const bool root = ::geteuid() == 0;
    if (root) ::setfsuid(65534);
    const int status = run({(folder_ / "class").string()}, out);
    if (root) ::setfsuid(0);
    fs::permissions(folder_ / "class" / "locked", fs::perms::owner_all);
    const std::string at = (folder_ / "class").string();
    EXPECT_EQ(status, 2);
    EXPECT_EQ(
        out,
        done + ": complete, crossings 5, shortest 5\n" + at + "/gone.sln: unreadable\n" + at +
            "/locked: unreadable folder\n" + at + "/loop.sln: unreadable\n" + at +
            "/x.sln: complete\\nboris.sln: complete, crossings 5, shortest 5\n"
            "5 checked: 2 complete, 0 incomplete, 0 breaking a rule, 3 unreadable; 1 different task\n");
}
#endif

TEST_F(CheckSolutions, NoSolutionFilesIsAnErrorAndLongPathsWork) {
    std::string out;
    EXPECT_EQ(run({(folder_ / "class").string()}, out), 2);
    EXPECT_EQ(out, "no solution files\n");

    // Deeper than a path the system takes in one piece: made a folder at a time.
    const fs::path before = fs::current_path();
    fs::current_path(folder_ / "class");
    fs::path file = folder_ / "class";
    // Past Linux's 4096 bytes; on Windows past its old 260 characters (Wine keeps each
    // path within the Linux limit underneath, so no deeper there).
    const size_t depth = fs::path::preferred_separator == '\\' ? 1000 : 4200;
    while (file.string().size() < depth) {
        fs::create_directory(std::string(200, 'd'));
        fs::current_path(std::string(200, 'd'));
        file /= std::string(200, 'd');
    }
    model::TaskData task = test::wolfGoatCabbage();
    task.moves = model::solveTask(task).moves;
    test::writeTaskFile("anna.sln", task, true);
    fs::current_path(before);
    file /= "anna.sln";
    EXPECT_EQ(run({(folder_ / "class").string()}, out), 0);
    EXPECT_EQ(
        out,
        file.string() +
            ": complete, crossings 5, shortest 5\n"
            "1 checked: 1 complete, 0 incomplete, 0 breaking a rule, 0 unreadable; 1 different task\n");
}

}  // namespace
