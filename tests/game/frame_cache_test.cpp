// The composition cache changes how frames are made, never what they show: whole tours
// run with every frame the cache composed drawn once more from scratch and compared.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "app/script_runner.hpp"
#include "platform/sdl_graphics.hpp"
#include "platform/system.hpp"
#include "support/linked_copy.hpp"

namespace {

namespace fs = std::filesystem;

class FrameCacheTour : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        root_ =
            fs::temp_directory_path() / ("ferrolin-frames-" + std::to_string(std::random_device{}()));
        // The layout both the test tours and the help page's tour expect.
        for (const char* folder : {"prog/tasks", "data", "screens", "shots"}) {
            fs::create_directories(root_ / folder);
        }
        test::linkInto(std::string(FERROLIN_GAME_DIR) + "/textures", root_ / "prog" / "textures");
        // As scripts/run-tour.sh runs it: a tour that starts "# no pack" finds none.
        std::ifstream script(std::string(FERROLIN_SOURCE_DIR) + "/" + GetParam());
        std::string first;
        std::getline(script, first);
        for (const auto& entry : fs::directory_iterator(std::string(FERROLIN_GAME_DIR) + "/tasks")) {
            if (first != "# no pack")
                fs::copy_file(entry.path(), root_ / "prog" / "tasks" / entry.path().filename());
        }
        platform::setFrameCheck(true);
    }
    void TearDown() override {
        platform::setFrameCheck(false);
        platform::resetQuit();
        std::error_code ec;
        fs::remove_all(root_, ec);
    }
    fs::path root_;
};

TEST_P(FrameCacheTour, EveryComposedFrameEqualsOneDrawnAnew) {
    std::ifstream file(std::string(FERROLIN_SOURCE_DIR) + "/" + GetParam());
    ASSERT_TRUE(file);
    std::stringstream script;
    script << "folder prog\ndata data\n" << file.rdbuf();
    const platform::FrameStats before = platform::frameStats();
    std::ostringstream errors;
    ASSERT_EQ(app::runScript(script, root_.string(), errors), 0) << errors.str();
    const platform::FrameStats& after = platform::frameStats();
    EXPECT_EQ(after.mismatched, before.mismatched);
    // The tour must really have used the cache both ways. A game at rest draws no frames,
    // so equal frames come only as a change settles.
    EXPECT_GT(after.checked - before.checked, 100u);
    EXPECT_GT(after.reused - before.reused, 20u);
    EXPECT_GT(after.fromLayers - before.fromLayers, 50u);
}

INSTANTIATE_TEST_SUITE_P(Tours, FrameCacheTour,
                         ::testing::Values("tests/scripts/pack_tour.txt",
                                           "tests/scripts/compose_and_solve.txt"));

}  // namespace
