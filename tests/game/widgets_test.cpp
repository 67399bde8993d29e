// Buttons, colour boxes, spins, state pictures, check boxes and drag and drop.
#include <gtest/gtest.h>

#include "scene/wood_panel.hpp"
#include "support/framework_fixture.hpp"
#include "ui/button.hpp"
#include "ui/drag_drop_item.hpp"
#include "ui/pressable_picture.hpp"
#include "ui/shell.hpp"
#include "ui/spin.hpp"

namespace {

using namespace ui;
using namespace scene;

class WidgetsTest : public test::FrameworkTest {
protected:
    static inline int clicks = 0;
    void SetUp() override {
        FrameworkTest::SetUp();
        clicks = 0;
    }
};

TEST_F(WidgetsTest, ButtonClicksOnlyWhenReleasedOnIt) {
    auto* button = new Button(100, 100, 50, 30, "OK");
    button->onClick = [](Button*) { ++clicks; };
    move(110, 110);
    EXPECT_EQ(button->state, 1);
    down(110, 110);
    EXPECT_EQ(button->state, 2);
    move(300, 300, true);
    EXPECT_EQ(button->state, 1);
    up(300, 300);
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(button->state, 0);
    EXPECT_EQ(shell().items.hot, nullptr);

    move(110, 110);
    down(110, 110);
    move(300, 300, true);
    move(120, 120, true);
    EXPECT_EQ(button->state, 2);
    up(120, 120);
    EXPECT_EQ(clicks, 1);
    // The follow-up search makes the button hot again.
    EXPECT_EQ(shell().items.hot, button);
    EXPECT_EQ(button->state, 1);
}

TEST_F(WidgetsTest, ButtonOverlayTintsItsRectangle) {
    auto* button = new Button(100, 100, 50, 30, "");
    frame();
    EXPECT_EQ(pixel(110, 110), 0xFF000000u);
    move(110, 110);
    frame();
    EXPECT_EQ(pixel(110, 110), 0xFF606060u);
    down(110, 110);
    frame();
    EXPECT_EQ(pixel(110, 110), 0xFF606000u);
    (void)button;
}

TEST_F(WidgetsTest, ClickHandlerMayDestroyItsButton) {
    auto* button = new Button(100, 100, 50, 30, "");
    button->onClick = [](Button* b) {
        ++clicks;
        releaseHotItem();
        delete b;
    };
    click(110, 110);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(shell().items.top, nullptr);
    EXPECT_EQ(shell().items.hot, nullptr);
}

TEST_F(WidgetsTest, ColorBoxCyclesThroughItsColours) {
    const uint32_t colours[] = {0xFFFFFFFF, 0xFFF00000, 0xFFF0F000, 0xFF00F000, 0xFF0000F0};
    auto* box = new ColorBox(10, 10, 25, 11, 5, colours);
    for (int i = 1; i <= 5; ++i) {
        click(15, 15);
        EXPECT_EQ(box->index, i % 5);
    }
    click(15, 15);
    click(15, 15);
    EXPECT_EQ(box->currentColour(), 0xFFF0F000u);
    frame();
    EXPECT_EQ(pixel(20, 15), 0xFFF0F000u);
}

TEST_F(WidgetsTest, SpinHitPartsAndLimits) {
    static int changes;
    changes = 0;
    auto* spin = new Spin(100, 100, 50, nullptr, 999, 0, 999);
    spin->width = 16;  // a picture of four 16-pixel frames
    spin->height = 16;
    spin->onChange = [](Spin*) { ++changes; };
    EXPECT_EQ(spin->partAt(100, 105), 1);
    EXPECT_EQ(spin->partAt(115, 105), 1);
    EXPECT_EQ(spin->partAt(116, 105), 0);
    EXPECT_EQ(spin->partAt(133, 105), 0);
    EXPECT_EQ(spin->partAt(134, 105), 2);
    EXPECT_EQ(spin->partAt(149, 105), 2);
    EXPECT_EQ(spin->partAt(150, 105), 0);
    click(140, 105);
    EXPECT_EQ(spin->value, 999);  // at the maximum the value stays
    EXPECT_EQ(changes, 1);        // but the owner still hears of the press
    spin->value = 0;
    click(105, 105);
    EXPECT_EQ(spin->value, 0);
    EXPECT_EQ(changes, 2);
}

TEST_F(WidgetsTest, SpinRepeatsAfterHalfASecondThenEveryFiftyMilliseconds) {
    auto* spin = new Spin(100, 100, 50, nullptr, 1, 0, 999);
    spin->width = 16;
    spin->height = 16;
    move(140, 105);
    down(140, 105);
    EXPECT_EQ(spin->value, 2);
    for (int ms = 10; ms <= 490; ms += 10) {
        advance(10);
        frame();
    }
    EXPECT_EQ(spin->value, 2);
    advance(10);
    frame();
    EXPECT_EQ(spin->value, 3);
    for (int i = 0; i < 5; ++i) {
        advance(10);
        frame();
    }
    EXPECT_EQ(spin->value, 4);
    // Sliding off the arrow pauses the repeat.
    move(125, 105, true);
    for (int i = 0; i < 20; ++i) {
        advance(10);
        frame();
    }
    EXPECT_EQ(spin->value, 4);
    up(125, 105);
    EXPECT_EQ(spin->pressedPart, 0);
}

TEST_F(WidgetsTest, ElementsWithoutStatePicturesUseTints) {
    auto* element = new PressablePicture(0, 0, "textures/missing.tga");
    EXPECT_EQ(element->hoverColour, 0xFFF0F000u);
    EXPECT_EQ(element->activeColour, 0x80FFFFFFu);
}

TEST_F(WidgetsTest, CheckboxTogglesBeforeItsClickAndStaticElementsLetClicksThrough) {
    static bool seenChecked;
    auto* box = new Checkbox(10, 10, nullptr, "label");
    box->width = 20;
    box->height = 20;
    box->onClick = [](PressablePicture* e) { seenChecked = static_cast<Checkbox*>(e)->checked; };
    click(15, 15);
    EXPECT_TRUE(box->checked);
    EXPECT_TRUE(seenChecked);
    click(45, 15);  // the label does not toggle
    EXPECT_TRUE(box->checked);

    auto* button = new Button(100, 100, 50, 30, "");
    button->onClick = [](Button*) { ++clicks; };
    auto* cover = new InertPicture(90, 90, nullptr);
    cover->width = 100;
    cover->height = 100;
    click(110, 110);
    EXPECT_EQ(clicks, 1);
}

class DragDropTest : public test::FrameworkTest {
protected:
    static inline int drops = 0, overs = 0;
    static inline std::vector<VisualItem*> offered;
    static inline bool answer = true;
    void SetUp() override {
        FrameworkTest::SetUp();
        drops = overs = 0;
        offered.clear();
        answer = true;
    }
    static DragDropItem* makeDraggable(int x, int y) {
        auto* item = new DragDropItem(x, y, nullptr);
        item->width = 40;
        item->height = 40;
        item->onDrop = [](DragDropItem*, int, int) { ++drops; };
        item->onDragOver = [](DragDropItem*, VisualItem* other, int, int) {
            ++overs;
            offered.push_back(other);
            return answer;
        };
        return item;
    }
};

TEST_F(DragDropTest, ARefusedDragNeitherMovesNorDrops) {
    auto* item = makeDraggable(100, 100);
    item->onDragStart = [](DragDropItem*, int, int) { return false; };
    move(110, 110);
    down(110, 110);
    move(200, 200, true);
    move(250, 250, true);
    up(250, 250);
    EXPECT_EQ(item->x, 100);
    EXPECT_EQ(overs, 0);
    EXPECT_EQ(drops, 0);
}

TEST_F(DragDropTest, DragOverOffersTopmostFirstAndStopsAtTrue) {
    auto* lower = new test::ProbeItem(200, 200, 100, 100);
    auto* upper = new test::ProbeItem(220, 220, 100, 100);
    auto* hidden = new test::ProbeItem(200, 200, 100, 100);
    hidden->visible = false;
    auto* item = makeDraggable(100, 100);
    move(110, 110);
    down(110, 110);
    move(260, 260, true);  // the item now covers both
    ASSERT_EQ(offered.size(), 1u);
    EXPECT_EQ(offered[0], upper);
    answer = false;
    move(261, 261, true);
    ASSERT_EQ(offered.size(), 3u);
    EXPECT_EQ(offered[1], upper);
    EXPECT_EQ(offered[2], lower);
    up(261, 261);
    EXPECT_EQ(item->x, 251);
    EXPECT_EQ(drops, 1);
}

TEST_F(DragDropTest, ItemsBelowTheModalFloorAreNeverOffered) {
    auto* below = new test::ProbeItem(200, 200, 100, 100);
    auto* floor = new test::ProbeItem(0, 700, 10, 10);
    auto* item = makeDraggable(100, 100);
    shell().items.modalFloor = floor;
    move(110, 110);
    down(110, 110);
    move(250, 250, true);
    EXPECT_EQ(overs, 0);
    up(250, 250);
    (void)below;
    (void)item;
}

TEST_F(DragDropTest, PanelIsTakenByItsBorderAndCarriesItsChain) {
    auto* panel = new WoodPanel(705, 320, nullptr);
    panel->width = 312;
    panel->height = 440;
    auto* arrow = new test::ProbeItem(843, 329, 36, 30);
    panel->attached = arrow;
    EXPECT_FALSE(panel->hitTest(705 + 60, 320 + 60));
    EXPECT_TRUE(panel->hitTest(705 + 46, 320 + 60));
    EXPECT_TRUE(panel->hitTest(705 + 312 - 53, 320 + 60));
    EXPECT_TRUE(panel->hitTest(705 + 100, 320 + 440 - 56));
    EXPECT_FALSE(panel->hitTest(705 + 100, 320 + 440 - 57));
    bringToFront(arrow);  // the arrow lies above the panel, as on the screen
    move(800, 330);
    ASSERT_EQ(shell().items.hot, panel);
    down(800, 330);
    move(700, 350, true);
    up(700, 350);
    EXPECT_EQ(panel->x, 605);
    EXPECT_EQ(panel->y, 340);
    EXPECT_EQ(arrow->x, 743);
    EXPECT_EQ(arrow->y, 349);
}

TEST_F(DragDropTest, DropMayDestroyItsOwnItem) {
    auto* below = new test::ProbeItem(100, 100, 100, 100);
    auto* item = new DragDropItem(100, 100, nullptr);
    item->width = 40;
    item->height = 40;
    item->onDrop = [](DragDropItem* self, int, int) {
        releaseHotItem();
        delete self;
    };
    move(110, 110);
    down(110, 110);
    up(110, 110);
    EXPECT_EQ(shell().items.hot, below);
    EXPECT_EQ(shell().items.top, below);
}

}  // namespace
