// A whole headless game for screen tests: the program folder holds the built textures,
// the data folder is a fresh temporary folder, and input goes through windowProc.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>

#include "app/game.hpp"
#include "app/screens.hpp"
#include "app/startup.hpp"
#include "app/window_proc.hpp"
#include "platform/class_folder.hpp"
#include "platform/files.hpp"
#include "platform/graphics.hpp"
#include "platform/system.hpp"
#include "platform/types.hpp"
#include "scene/scene.hpp"
#include "support/linked_copy.hpp"
#include "ui/frame.hpp"

namespace test {

class GameTest : public ::testing::Test {
protected:
    // Program folder: a temporary folder with textures/ linked from the build and an
    // empty tasks/ (tests put task files there). Data folder: another temporary folder.
    void SetUp() override {
        root_ = std::filesystem::temp_directory_path() /
                ("ferrolin-test-" + std::to_string(std::random_device{}()) + "-" +
                 std::to_string(counter_++));
        std::filesystem::remove_all(root_);
        std::filesystem::create_directories(root_ / "program" / "tasks");
        std::filesystem::create_directories(root_ / "data");
        test::linkInto(std::string(FERROLIN_GAME_DIR) + "/textures", root_ / "program" / "textures");
        previous_ = std::filesystem::current_path();
        std::filesystem::current_path(root_ / "program");
        platform::setDataFolderOverride((root_ / "data").string());
        // Wins never reach this computer's class folder; a test names one of its own.
        platform::setClassFolderOverride(std::string());
        platform::resetQuit();
        app::initHeadless();
        app::resetSolutionPath();
        ASSERT_TRUE(app::buildScreens());
        app::finishAnimations();
    }

    void TearDown() override {
        app::shutdown();
        platform::clearFileDialogAnswers();
        std::filesystem::current_path(previous_);
        platform::setDataFolderOverride(std::nullopt);
        platform::setClassFolderOverride(std::nullopt);
        // Windows removes no read-only file (the tests make some): give the write bit back.
        std::error_code ec;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(root_, ec))
            if (entry.is_regular_file(ec))
                std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_write,
                                             std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(root_);
    }

    std::filesystem::path programFolder() const { return root_ / "program"; }
    std::filesystem::path dataFolder() const { return root_ / "data"; }

    // ---- input through the window procedure ----
    // Each event is handled, and the animation it starts played, before the next one.
    static void send(const platform::Event& event) {
        app::windowProc(event);
        app::finishAnimations();
    }
    void move(int x, int y, bool held = false) { send(platform::MouseMove{{x, y}, held}); }
    void down(int x, int y) { send(platform::MouseDown{{x, y}}); }
    void up(int x, int y) { send(platform::MouseUp{{x, y}}); }
    void click(int x, int y) {
        move(x, y);
        down(x, y);
        up(x, y);
    }
    void drag(int x1, int y1, int x2, int y2) {
        move(x1, y1);
        down(x1, y1);
        const int steps = 10;
        for (int i = 1; i <= steps; ++i) {
            move(x1 + (x2 - x1) * i / steps, y1 + (y2 - y1) * i / steps, true);
        }
        up(x2, y2);
    }
    void key(platform::Key k, bool ctrl = false) { send(platform::KeyDown{k, ctrl}); }
    static void closeWindow() { app::windowProc(platform::Destroy{}); }
    // A click whose animation is left to the ticks that follow.
    static void clickWithoutWaiting(int x, int y) {
        app::windowProc(platform::MouseMove{{x, y}});
        app::windowProc(platform::MouseDown{{x, y}});
        app::windowProc(platform::MouseUp{{x, y}});
    }

public:
    // ---- the same input routed as the message loop routes it: text boxes take theirs
    // first, a release whose press has ended is dropped; animations are not played out.
    static void routedMove(int x, int y, bool held = false) {
        routed(platform::MouseMove{{x, y}, held});
    }
    static void routedDown(int x, int y) { routed(platform::MouseDown{{x, y}}); }
    static void routedUp(int x, int y) { routed(platform::MouseUp{{x, y}}); }
    static void routedKey(platform::Key key, bool ctrl = false, bool shift = false) {
        routed(platform::KeyDown{key, ctrl, shift});
    }
    static void routedWheel(int x, int y, int notches) { routed(platform::Wheel{{x, y}, notches}); }
    static void routed(const platform::Event& input) { platform::deliverInput(app::windowProc, input); }

protected:
    // Advances the virtual clock in 10 ms ticks, one frame each.
    void wait(uint32_t ms) {
        for (uint32_t t = 0; t < ms; t += 10) {
            platform::advanceVirtualClock(10);
            app::windowProc(platform::Tick{});
        }
    }
    void closeMenu() {
        if (app::game().menu.picture->visible) key(platform::Key::Escape);
    }
    uint32_t pixel(int x, int y) { return platform::graphics().pixel(x, y); }
    // Writes the current frame next to the test binary for a person to look at.
    void shot(const std::string& name) {
        ui::renderFrame();
        const std::filesystem::path folder = previous_ / "screens";
        std::filesystem::create_directories(folder);
        platform::graphics().savePng((folder / (name + ".png")).string());
    }

private:
    std::filesystem::path root_;
    std::filesystem::path previous_;
    static inline int counter_ = 0;
};

}  // namespace test
