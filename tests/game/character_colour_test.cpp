// Characters in colour on the river bank: a figure with a tint mask keeps its face and
// shows the colour on the masked parts with the colour's mark; a picture without a mask
// is multiplied by its colour as it always was.
#include <gtest/gtest.h>

#include "puzzle/task.hpp"
#include "puzzle/task_files.hpp"
#include "scene/scene.hpp"
#include "support/game_fixture.hpp"
#include "support/sample_tasks.hpp"
#include "ui/frame.hpp"

namespace {

int red(uint32_t c) { return (c >> 16) & 0xFF; }
int green(uint32_t c) { return (c >> 8) & 0xFF; }
int blue(uint32_t c) { return c & 0xFF; }

class CharacterColourTest : public test::GameTest {
protected:
    // Knights (with a mask) and wolves (without) in white and in the given colours, in
    // one row on the left bank; returns after a frame is drawn.
    void show(uint32_t knightColour, uint32_t wolfColour) {
        model::TaskData data = test::wolfGoatCabbage();
        data.characters = {test::character("knight", 5, 40, 770, 40),
                           test::character("knight", 75, 40, 830, 40, 1, knightColour),
                           test::character("wolf", 5, 105, 770, 105),
                           test::character("wolf", 75, 105, 830, 105, 1, wolfColour)};
        data.rules.clear();
        test::writeTaskFile("tasks/task.dat", data, false);
        closeMenu();
        ASSERT_TRUE(app::openTask("tasks/task.dat"));
        app::finishAnimations();
        ui::renderFrame();
    }
    // A texel of the white character and the same texel of the coloured one beside it.
    uint32_t white(int x, int y, int row) { return pixel(5 + x, row + y); }
    uint32_t coloured(int x, int y, int row) { return pixel(75 + x, row + y); }
};

TEST_F(CharacterColourTest, MaskedFigureKeepsItsFaceAndWearsTheColour) {
    show(0xFF0000F0, 0xFF0000F0);
    // The face keeps its skin exactly; the shirt turns a clear blue, not a dark blob.
    EXPECT_EQ(coloured(22, 30, 40), white(22, 30, 40));
    const uint32_t shirt = coloured(10, 56, 40);
    EXPECT_GT(blue(shirt), 150);
    EXPECT_LT(red(shirt), 40);
    EXPECT_LT(green(shirt), 40);
    // Unmasked: every texel multiplied by the colour, as before.
    for (const auto& [x, y] : {std::pair{30, 30}, std::pair{20, 50}, std::pair{45, 15}}) {
        const uint32_t plain = white(x, y, 105);
        const uint32_t tinted = coloured(x, y, 105);
        EXPECT_EQ(red(tinted), 0);
        EXPECT_EQ(green(tinted), 0);
        EXPECT_NEAR(blue(tinted), blue(plain) * 0xF0 / 255, 1);
    }
}

TEST_F(CharacterColourTest, ThePaletteRedDrawsItsMarkInTheCorner) {
    show(0xFFF00000, 0xFFF00000);
    // The dark rim of the red circle, over the shield.
    const uint32_t rim = coloured(51, 44, 40);
    EXPECT_LT(red(rim) + green(rim) + blue(rim), 150);
}

TEST_F(CharacterColourTest, AnotherRedFromAFileIsTintedWithoutAMark) {
    show(0xFFC00000, 0xFFC00000);
    const uint32_t shield = coloured(51, 44, 40);
    EXPECT_GT(red(shield), 120);
    EXPECT_EQ(coloured(22, 30, 40), white(22, 30, 40));
}

}  // namespace
