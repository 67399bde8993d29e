// A task on the play screen, with the player's moves: boarding by dragging and sailing.
#pragma once

#include <gtest/gtest.h>

#include "puzzle/play.hpp"
#include "puzzle/task.hpp"
#include "puzzle/task_files.hpp"
#include "support/game_fixture.hpp"
#include "support/open_screens.hpp"
#include "support/sample_tasks.hpp"

namespace test {

class PlayTest : public GameTest {
protected:
    void load(const model::TaskData& data, bool withMoves = false) {
        writeTaskFile("tasks/task.dat", data, withMoves);
        closeMenu();
        ASSERT_TRUE(app::openTask("tasks/task.dat"));
        app::finishAnimations();
    }
    ui::DragDropItem* item(int i) { return test::task().characters[static_cast<size_t>(i)].item; }
    // Drags character i by its middle onto the boat.
    void board(int i) {
        auto* c = item(i);
        drag(c->x + 30, c->y + 30, test::task().boat->x + 100, test::task().boat->y + 20);
    }
    void sail() {
        if (test::play().rightArrow->visible) {
            click(480, 355);
        } else {
            click(655, 185);
        }
    }
    int passengers() {
        int n = 0;
        for (auto* p = test::task().boat->attached; p != nullptr; p = p->attached) ++n;
        return n;
    }
};

}  // namespace test
