// The item list, layering, chains and mouse routing.
#include <gtest/gtest.h>

#include "base/name_hash.hpp"
#include "support/framework_fixture.hpp"
#include "ui/animation.hpp"
#include "ui/resources.hpp"
#include "ui/shell.hpp"

namespace {

using test::ProbeItem;
using namespace ui;

class ItemListTest : public test::FrameworkTest {};

TEST_F(ItemListTest, NameHashAndVariantNames) {
    static_assert(base::nameHash("abc") == 717);
    EXPECT_EQ(base::nameHash(nullptr), 0u);
    EXPECT_EQ(variantName("textures/btn_menu.tga", "_hover"), "textures/btn_menu_hover.tga");
    EXPECT_EQ(variantName("textures/boat.tga", "_small"), "textures/boat_small.tga");
    EXPECT_EQ(variantName("textures/boat", "_small"), "textures/boat_small");
    // A long name is composed whole, never cut into another file's name.
    const std::string longName = "textures/" + std::string(300, 'x') + ".tga";
    EXPECT_EQ(variantName(longName, "_small"), "textures/" + std::string(300, 'x') + "_small.tga");
}

TEST_F(ItemListTest, LaterItemsLieAboveAndBringToFrontReversesThem) {
    auto* lower = new ProbeItem(0, 0, 50, 50);
    auto* upper = new ProbeItem(10, 10, 50, 50);
    EXPECT_EQ(findItemAt(20, 20), upper);
    bringToFront(lower);
    EXPECT_EQ(shell().items.top, lower);
    EXPECT_EQ(findItemAt(20, 20), lower);
    upper->visible = false;
    lower->visible = false;
    EXPECT_EQ(findItemAt(20, 20), nullptr);
    upper->visible = true;
    EXPECT_EQ(findItemAt(20, 20), upper);
}

TEST_F(ItemListTest, BringToFrontRaisesTheWholeChainInOrder) {
    auto* item = new ProbeItem(0, 0, 10, 10);
    auto* first = new ProbeItem(0, 0, 10, 10);
    auto* second = new ProbeItem(0, 0, 10, 10);
    auto* other = new ProbeItem(0, 0, 10, 10);
    item->attached = first;
    first->attached = second;
    bringToFront(item);
    EXPECT_EQ(shell().items.top, second);
    EXPECT_EQ(second->prev, first);
    EXPECT_EQ(first->prev, item);
    EXPECT_EQ(item->prev, other);
    EXPECT_EQ(shell().items.bottom, other);
}

TEST_F(ItemListTest, MoveToCarriesTheChainAndDetachFirstCutsIt) {
    auto* item = new ProbeItem(90, 40, 10, 10);
    auto* first = new ProbeItem(0, 0, 10, 10);
    auto* second = new ProbeItem(5, 5, 10, 10);
    item->attached = first;
    first->attached = second;
    item->moveTo(100, 50);
    EXPECT_EQ(first->x, 10);
    EXPECT_EQ(second->y, 15);
    EXPECT_EQ(detachFirst(item), first);
    EXPECT_EQ(item->attached, second);
    EXPECT_EQ(first->attached, nullptr);
    setVisible(item, false);
    EXPECT_FALSE(second->visible);
    EXPECT_TRUE(first->visible);
}

TEST_F(ItemListTest, RectanglesThatOnlyTouchDoNotIntersect) {
    ProbeItem a(0, 0, 10, 10), b(10, 0, 10, 10), c(9, 9, 10, 10);
    EXPECT_FALSE(intersects(&a, &b));
    EXPECT_TRUE(intersects(&a, &c));
    EXPECT_TRUE(containsPoint(&a, 9, 9));
    EXPECT_FALSE(containsPoint(&a, 10, 0));
}

TEST_F(ItemListTest, ModalFloorHidesEverythingBelowIt) {
    auto* below = new ProbeItem(0, 0, 100, 100);
    auto* floor = new ProbeItem(200, 0, 100, 100);
    auto* above = new ProbeItem(0, 200, 100, 100);
    shell().items.modalFloor = floor;
    EXPECT_EQ(findItemAt(50, 50), nullptr);
    EXPECT_EQ(findItemAt(250, 50), nullptr);
    EXPECT_EQ(findItemAt(50, 250), above);
    move(50, 50);
    EXPECT_EQ(shell().items.hot, nullptr);
    EXPECT_EQ(below->enters, 0);
}

TEST_F(ItemListTest, PressOnTheBackgroundDisarmsUntilARelease) {
    auto* button = new ProbeItem(100, 100, 50, 50);
    move(10, 10);
    down(10, 10);
    EXPECT_FALSE(shell().items.inputArmed);
    move(120, 120, true);
    EXPECT_EQ(shell().items.hot, nullptr);
    up(120, 120);
    EXPECT_TRUE(shell().items.inputArmed);
    EXPECT_EQ(button->ups, 0);
    EXPECT_EQ(shell().items.hot, button);
    EXPECT_EQ(button->enters, 1);
}

TEST_F(ItemListTest, AHeldPressKeepsItsItemWhereverTheMouseGoes) {
    auto* item = new ProbeItem(100, 100, 50, 50);
    auto* other = new ProbeItem(400, 400, 50, 50);
    move(120, 120);
    down(120, 120);
    EXPECT_EQ(item->downs, 1);
    EXPECT_EQ(shell().items.top, item);
    EXPECT_EQ(routeMouseMove(420, 420, true), 1);
    EXPECT_EQ(item->moves, 1);
    EXPECT_EQ(other->enters, 0);
    up(420, 420);
    EXPECT_EQ(item->ups, 1);
    EXPECT_EQ(shell().items.hot, other);
    EXPECT_EQ(item->leaves, 1);
}

TEST_F(ItemListTest, DestroyingTheHotItemOrTheFloorLeavesNoDanglingPointer) {
    auto* item = new ProbeItem(0, 0, 50, 50);
    move(10, 10);
    ASSERT_EQ(shell().items.hot, item);
    shell().items.modalFloor = item;
    delete item;
    EXPECT_EQ(shell().items.hot, nullptr);
    EXPECT_EQ(shell().items.modalFloor, nullptr);
    EXPECT_EQ(shell().items.top, nullptr);
    EXPECT_EQ(shell().items.bottom, nullptr);
    move(10, 10);  // must not touch the destroyed item
}

TEST_F(ItemListTest, AnEndingShellDestroysItsItemsAndTheNextStartsEmpty) {
    static int destroyed = 0;
    destroyed = 0;
    class Counted : public ProbeItem {
    public:
        using ProbeItem::ProbeItem;
        ~Counted() override { ++destroyed; }
    };
    new Counted(0, 0, 50, 50);
    new Counted(20, 20, 50, 50);
    move(30, 30);
    animate(Animation{10, [](int frame) { return frame < 3; }, [](int) {}});
    shell_.reset();
    EXPECT_EQ(destroyed, 2);
    shell_.emplace();
    EXPECT_EQ(shell().items.top, nullptr);
    EXPECT_EQ(shell().items.hot, nullptr);
    EXPECT_FALSE(animating());
}

TEST_F(ItemListTest, DrawingWalksBottomUpAndSkipsHiddenItems) {
    auto* a = new ProbeItem(0, 0, 10, 10);
    auto* b = new ProbeItem(0, 0, 10, 10);
    b->visible = false;
    frame();
    EXPECT_EQ(a->draws, 1);
    EXPECT_EQ(b->draws, 0);
}

TEST_F(ItemListTest, TheHintIsKeptOnTheScreen) {
    class Hinting : public ProbeItem {
    public:
        using ProbeItem::ProbeItem;
        void draw() override { showHint(1000, 750, "A hint wider than twenty pixels"); }
    };
    new Hinting(0, 0, 1, 1);
    frame();
    Rect box;
    ASSERT_NE(currentHint(&box), nullptr);
    EXPECT_EQ(box.right, 1022);
    EXPECT_EQ(box.bottom, 766);
    EXPECT_LT(box.left, 1000);
    EXPECT_EQ(box.top, 750);  // asked for at 752, moved up by two
    // The box is pale yellow with a grey frame.
    EXPECT_EQ(pixel(box.left - 1, box.top - 1), 0xFFFFFFCCu);
    EXPECT_EQ(pixel(box.left - 2, box.top + 3), 0xFF606060u);
}

}  // namespace
