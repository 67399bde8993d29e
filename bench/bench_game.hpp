// A whole headless game for the benchmarks, set up the way the tests do it: a program
// folder with the built textures and its own tasks/, a fresh data folder, the software
// renderer at 1024x768 on the virtual clock. Screens are brought into their busiest
// state through the window procedure, as a player would.
#pragma once

#include <filesystem>
#include <string>

#include "model/task_data.hpp"
#include "platform/events.hpp"

namespace bench {

class HeadlessGame {
public:
    // Makes the folders; the game itself starts with start().
    HeadlessGame();
    ~HeadlessGame();
    HeadlessGame(const HeadlessGame&) = delete;
    HeadlessGame& operator=(const HeadlessGame&) = delete;

    // initHeadless and buildScreens: the menu ends rolled down.
    void start();
    void stop();

    std::filesystem::path programFolder() const { return root_ / "program"; }

    // Play: twelve characters, a long statement, a boat of four and the move list full
    // (256 crossings of four passengers).
    void openBusyPlay();
    // The editor's characters step with the whole palette of character pictures and
    // twelve characters on the left bank.
    void openBusyEditor();
    // The catalogue listing 100 task files.
    void openBusyCatalogue();
    // Writes the task into the program's tasks/ under the name the editor gives it.
    void addTaskFile(const model::TaskData& task);
    void closeMenu();

    // Advances the virtual clock by ms, one frame per 10 ms tick.
    void wait(unsigned ms);
    void click(int x, int y);
    void drag(int x1, int y1, int x2, int y2);
    void key(platform::Key key);

private:
    std::filesystem::path root_;
    std::filesystem::path previous_;
    bool started_ = false;
};

// A play task of `count` characters (distinct pictures where the pack has enough),
// capacity 4, with `moves` crossings of four passengers each.
model::TaskData busyPlayTask(int count, int moves);

}  // namespace bench
