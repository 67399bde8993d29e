// Untextured primitives: exact coverage, blending, and writes that do not blend.
#include "platform/files.hpp"
#include "tests/platform/platform_fixture.hpp"

namespace {

using PrimitivesTest = ptest::SurfaceTest;

TEST_F(PrimitivesTest, FillBlendsOverWhatIsThereAndCoversRightAndBottomExclusive) {
    g->clear(0xFF000000);
    g->fillRect(10, 20, 30, 40, 0x60FFFFFF);
    EXPECT_EQ(g->pixel(10, 20), 0xFF606060u);
    EXPECT_EQ(g->pixel(29, 39), 0xFF606060u);
    EXPECT_EQ(g->pixel(30, 39), 0xFF000000u);
    EXPECT_EQ(g->pixel(29, 40), 0xFF000000u);
    EXPECT_EQ(g->pixel(9, 20), 0xFF000000u);
    g->fillRect(10, 20, 30, 40, 0xFFFF0000);
    EXPECT_EQ(g->pixel(15, 25), 0xFFFF0000u);
    g->fillRect(0, 0, 5, 5, 0x00FFFFFF);  // fully transparent: no change
    EXPECT_EQ(g->pixel(2, 2), 0xFF000000u);
}

TEST_F(PrimitivesTest, ClearAndClearRectWriteWithoutBlending) {
    g->clear(0x00123456);  // alpha ignored: the screen has none
    EXPECT_EQ(g->pixel(0, 0), 0xFF123456u);
    EXPECT_EQ(g->pixel(1023, 767), 0xFF123456u);
    g->fillRect(0, 0, 100, 100, 0xFFFFFFFF);
    g->clearRect(10, 10, 20, 11, 0x20FF0000);
    EXPECT_EQ(g->pixel(10, 10), 0xFFFF0000u);
    EXPECT_EQ(g->pixel(19, 10), 0xFFFF0000u);
    EXPECT_EQ(g->pixel(20, 10), 0xFFFFFFFFu);
    EXPECT_EQ(g->pixel(10, 11), 0xFFFFFFFFu);
}

TEST_F(PrimitivesTest, OutlineCoversTheClosedStripOncePerPixel) {
    g->clear(0xFF000000);
    g->drawOutline(100, 100, 110, 105, 0x80FFFFFF);
    const uint32_t edge = g->pixel(105, 100);
    EXPECT_NE(edge, 0xFF000000u);
    // Corners are not drawn twice, so a translucent outline is even all round.
    for (auto [x, y] :
         {std::pair{100, 100}, {110, 100}, {110, 105}, {100, 105}, {110, 102}, {100, 103}, {105, 105}}) {
        EXPECT_EQ(g->pixel(x, y), edge) << x << "," << y;
    }
    EXPECT_EQ(g->pixel(105, 102), 0xFF000000u);  // inside
    EXPECT_EQ(g->pixel(111, 100), 0xFF000000u);
    EXPECT_EQ(g->pixel(100, 106), 0xFF000000u);
}

TEST_F(PrimitivesTest, BevelTakesTopLeftThenBottomRightColours) {
    g->clear(0xFF000000);
    const uint32_t light = 0xFFFFFFFF;
    const uint32_t dark = 0xFF404040;
    g->drawBevel(10, 10, 20, 20, light, dark);
    EXPECT_EQ(g->pixel(15, 10), light);  // top
    EXPECT_EQ(g->pixel(10, 15), light);  // left
    EXPECT_EQ(g->pixel(20, 15), dark);   // right
    EXPECT_EQ(g->pixel(15, 20), dark);   // bottom
    // Each corner belongs to the edge that starts there.
    EXPECT_EQ(g->pixel(10, 10), light);
    EXPECT_EQ(g->pixel(20, 10), dark);
    EXPECT_EQ(g->pixel(20, 20), dark);
    EXPECT_EQ(g->pixel(10, 20), light);
}

TEST_F(PrimitivesTest, FrameCanBeSavedAsPng) {
    ptest::TempFolder folder;
    g->clear(0xFF336699);
    const std::string path = folder.file("frame.png");
    ASSERT_TRUE(g->savePng(path));
    const auto bytes = platform::readFile(path, 10u << 20);
    ASSERT_TRUE(bytes);
    ASSERT_GT(bytes->size(), 24u);
    EXPECT_EQ(std::string(bytes->begin() + 1, bytes->begin() + 4), "PNG");
    // Width and height in the header.
    EXPECT_EQ((*bytes)[18], 0x04);
    EXPECT_EQ((*bytes)[19], 0x00);
    EXPECT_EQ((*bytes)[22], 0x03);
    EXPECT_EQ((*bytes)[23], 0x00);
    EXPECT_FALSE(g->savePng(folder.file("no/such/folder.png")));
}

TEST_F(PrimitivesTest, ReadingOutsideTheScreenIsHarmless) {
    EXPECT_EQ(g->pixel(-1, 0), 0xFF000000u);
    EXPECT_EQ(g->pixel(0, 768), 0xFF000000u);
    g->fillRect(-50, -50, 2000, 2000, 0xFFFFFFFF);
    EXPECT_EQ(g->pixel(1023, 767), 0xFFFFFFFFu);
}

}  // namespace
