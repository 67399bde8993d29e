// A bare visual framework for item tests: a headless surface, a shell of the test's own
// with the fonts and an empty item list, and helpers that feed the mouse routing directly.
#pragma once

#include <gtest/gtest.h>

#include <optional>

#include "platform/graphics.hpp"
#include "platform/system.hpp"
#include "platform/types.hpp"
#include "ui/resources.hpp"
#include "ui/shell.hpp"
#include "ui/visual_item.hpp"

namespace test {

// An item that hits its rectangle and counts what reaches it.
class ProbeItem : public ui::VisualItem {
public:
    using VisualItem::VisualItem;
    void draw() override { ++draws; }
    bool hitTest(int px, int py) override { return ui::containsPoint(this, px, py); }
    void mouseDown(int, int) override { ++downs; }
    void mouseUp(int, int) override { ++ups; }
    void mouseMove(int, int) override { ++moves; }
    void hoverEnter() override { ++enters; }
    void hoverLeave() override { ++leaves; }
    int draws = 0, downs = 0, ups = 0, moves = 0, enters = 0, leaves = 0;
};

class FrameworkTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::setHeadless(true);
        if (!platform::hasGraphics()) platform::setGraphics(platform::Graphics::createHeadless());
        shell_.emplace();
        ASSERT_TRUE(ui::createFonts());
    }
    void TearDown() override { shell_.reset(); }

    static void move(int x, int y, bool held = false) { ui::routeMouseMove(x, y, held); }
    static void down(int x, int y) { ui::routeMouseDown(x, y); }
    static void up(int x, int y) { ui::routeMouseUp(x, y); }
    static void click(int x, int y) {
        move(x, y);
        down(x, y);
        up(x, y);
    }
    static void frame() {
        platform::graphics().clear(0xFF000000);
        ui::drawItems();
    }
    static uint32_t pixel(int x, int y) { return platform::graphics().pixel(x, y); }
    static void advance(uint32_t ms) { platform::advanceVirtualClock(ms); }

    std::optional<ui::Shell> shell_;
};

}  // namespace test
