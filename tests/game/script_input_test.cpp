// ferrolin-script feeds its input through the same filter as the real message loop: a
// release without a press, as a script may well write, changes nothing.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>

#include "app/script_runner.hpp"
#include "platform/system.hpp"
#include "support/linked_copy.hpp"

namespace {

namespace fs = std::filesystem;

class ScriptInput : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() / ("ferrolin-input-" + std::to_string(std::random_device{}()));
        fs::create_directories(root_ / "prog" / "tasks");
        test::linkInto(std::string(FERROLIN_GAME_DIR) + "/textures", root_ / "prog" / "textures");
        for (const auto& entry : fs::directory_iterator(std::string(FERROLIN_GAME_DIR) + "/tasks"))
            fs::copy_file(entry.path(), root_ / "prog" / "tasks" / entry.path().filename());
    }
    void TearDown() override {
        platform::resetQuit();
        std::error_code ec;
        fs::remove_all(root_, ec);
    }

    // The frame after the wolf-goat-cabbage task's goat is dragged into the boat and
    // `extra` is run.
    std::string frameAfter(const std::string& extra, const std::string& shot) {
        std::stringstream script;
        script << "folder prog\nclick 520 73\nwait 100\nclick 518 266\nclick 518 266\nwait 100\n"
                  "drag 105 70 335 320\n"
               << extra << "wait 300\nshot " << shot << "\n";
        std::ostringstream errors;
        EXPECT_EQ(app::runScript(script, root_.string(), errors), 0) << errors.str();
        std::ifstream png(root_ / shot, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(png), {});
    }

    fs::path root_;
};

TEST_F(ScriptInput, StrayReleasesAndHugeCoordinatesChangeNothing) {
    const std::string plain = frameAfter("", "plain.png");
    ASSERT_FALSE(plain.empty());
    EXPECT_TRUE(frameAfter("up 335 320\nup 335 320\n", "released.png") == plain);
    // Far outside the screen: the pointer stops at its edge, no arithmetic overflows.
    EXPECT_TRUE(frameAfter("drag -2147483648 -2147483648 335 320\n", "far.png") == plain);
}

}  // namespace
