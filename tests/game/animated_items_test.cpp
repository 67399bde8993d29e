// Pictures, the popup message, the screen wipe and the flying rectangle.
#include <gtest/gtest.h>

#include "support/framework_fixture.hpp"
#include "ui/flying_highlight.hpp"
#include "ui/graphics_item.hpp"
#include "ui/shell.hpp"
#include "ui/stripe_wipe.hpp"
#include "ui/text_item.hpp"

namespace {

using namespace ui;

class AnimatedItemsTest : public test::FrameworkTest {};

TEST_F(AnimatedItemsTest, PicturesWithoutAFileAreEmptyAndShareTheirNameHash) {
    GraphicsItem none(5, 5, nullptr);
    EXPECT_EQ(none.nameHash, 0u);
    EXPECT_EQ(none.width, 0);
    EXPECT_FALSE(none.texture);
    GraphicsItem a(0, 0, "textures/missing.tga"), b(100, 7, "textures/missing.tga");
    b.colour = 0x80FF0000;
    EXPECT_EQ(a.nameHash, b.nameHash);
    EXPECT_NE(a.nameHash, 0u);
}

TEST_F(AnimatedItemsTest, PopupRisesAndFadesOnItsTimeline) {
    EXPECT_EQ(PopupMessage::frameAt(0).alpha, 255u);
    EXPECT_EQ(PopupMessage::frameAt(2000).top, 384);
    EXPECT_EQ(PopupMessage::frameAt(3000).alpha, 193u);
    EXPECT_EQ(PopupMessage::frameAt(3000).top, 364);
    EXPECT_EQ(PopupMessage::frameAt(4000).alpha, 130u);
    EXPECT_EQ(PopupMessage::frameAt(5000).top, 324);
    EXPECT_EQ(PopupMessage::frameAt(6000).alpha, 5u);
    EXPECT_EQ(PopupMessage::frameAt(6000).top, 304);
}

TEST_F(AnimatedItemsTest, PopupShownAgainStartsOverAndHidesAfterSixSeconds) {
    auto* popup = new PopupMessage(shell().fonts.medium, 0xFF00FF00);
    auto* cover = new test::ProbeItem(0, 0, 10, 10);
    popup->show("first");
    EXPECT_EQ(shell().items.top, popup);
    (void)cover;
    advance(3000);
    popup->show("second");
    EXPECT_EQ(popup->shownAt, platform::tickCount());
    EXPECT_EQ(popup->text, "second");
    advance(6001);
    frame();
    EXPECT_FALSE(popup->visible);
}

TEST_F(AnimatedItemsTest, PopupTextIsGreenAndCentredAcrossTheScreen) {
    auto* popup = new PopupMessage(shell().fonts.medium, 0xFF00FF00);
    popup->show("MMMMMMMM");
    frame();
    int green = 0, left = 1024, right = 0;
    for (int x = 0; x < 1024; ++x) {
        for (int y = 380; y < 412; ++y) {
            if (pixel(x, y) == 0xFF00FF00u) {
                ++green;
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
    }
    EXPECT_GT(green, 50);
    EXPECT_NEAR((left + right) / 2, 511, 3);
}

TEST_F(AnimatedItemsTest, ShaderStripesAreWrittenWithoutBlending) {
    auto* wipe = new StripeWipe(0x80164000);
    wipe->stripe = 16;
    platform::graphics().clear(0xFFFFFFFF);
    wipe->draw();
    EXPECT_EQ(pixel(500, 0), 0xFF164000u);  // the alpha is not blended in
    EXPECT_EQ(pixel(500, 1), 0xFFFFFFFFu);
    EXPECT_EQ(pixel(500, 16), 0xFF164000u);
    EXPECT_EQ(pixel(500, 752), 0xFF164000u);
    EXPECT_EQ(pixel(500, 767), 0xFFFFFFFFu);

    wipe->stripe = -4;
    platform::graphics().clear(0xFFFFFFFF);
    wipe->draw();
    for (int row = 0; row < 8; ++row) {
        EXPECT_EQ(pixel(10, row), row % 4 == 3 ? 0xFFFFFFFFu : 0xFF164000u) << row;
    }
    wipe->stripe = 0;
    platform::graphics().clear(0xFFFFFFFF);
    wipe->draw();
    EXPECT_EQ(pixel(1023, 767), 0xFF164000u);
}

TEST_F(AnimatedItemsTest, TrailFramesFollowTheLeaderAndSettleOnTheTarget) {
    FlyingHighlight trail(0, 0, 100, 200, 50, 60, 0xFFFFFF00);
    FlyingHighlight::Frame frames[6];
    // Halfway, with five fainter frames 0.03 behind each other.
    ASSERT_EQ(trail.framesAt(350, frames), 6);
    EXPECT_EQ(frames[0].left, 50);
    EXPECT_EQ(frames[0].top, 100);
    EXPECT_NEAR(frames[1].left, 47, 1);
    EXPECT_NEAR(frames[5].left, 35, 1);
    EXPECT_EQ(frames[1].colour >> 24, 212u);
    EXPECT_EQ(frames[5].colour >> 24, 255u * 5 / 6 * 5 / 6 * 5 / 6 * 5 / 6 * 5 / 6);
    // Right at the start only the leading frame is drawn.
    EXPECT_EQ(trail.framesAt(10, frames), 1);
    // Past the travel time the frame sits on the target; the last trail frame lags.
    ASSERT_EQ(trail.framesAt(800, frames), 6);
    EXPECT_EQ(frames[0].left, 100);
    EXPECT_EQ(frames[0].right, 150);
    EXPECT_EQ(frames[4].bottom, 260);
    EXPECT_LT(frames[5].left, 100);
}

TEST_F(AnimatedItemsTest, CycleEndFiresOncePerPeriodAndWaitsForADelayedStart) {
    static int calls;
    calls = 0;
    auto* trail = new FlyingHighlight(0, 0, 10, 10, 10, 10, 0xFFFFFF00);
    trail->holdTime = 3000;
    trail->onCycleEnd = [](FlyingHighlight*) { ++calls; };
    trail->startTime = platform::tickCount();
    for (int ms = 0; ms < 20000; ms += 10) {
        frame();
        if (ms == 3690) {
            EXPECT_EQ(calls, 0);
        }
        if (ms == 3710) {
            EXPECT_EQ(calls, 1);
        }
        advance(10);
    }
    EXPECT_EQ(calls, 2);

    // A flight that starts in a second neither draws nor ends before then.
    calls = 0;
    trail->holdTime = 300;
    trail->fly(0, 0, 100, 100, 10, 10, 1000);
    for (int ms = 0; ms < 990; ms += 10) {
        frame();
        advance(10);
    }
    EXPECT_EQ(calls, 0);
    advance(500);  // 490 ms into the flight
    frame();
    EXPECT_EQ(calls, 0);
    advance(600);  // past 700 + 300
    frame();
    EXPECT_EQ(calls, 1);
}

}  // namespace
