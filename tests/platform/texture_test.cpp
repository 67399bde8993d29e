// Pictures: every TGA variant decodes to the same texels, the colour key makes texels
// transparent, and bad files give no texture without touching the size outputs.
#include <tuple>

#include "tests/platform/platform_fixture.hpp"

namespace {

using platform::Rect;
using ptest::TgaOptions;

// 4 x 3 with a run, the colour key and distinct corners, so a flipped or mirrored
// decode cannot pass.
const std::vector<uint32_t> kPixels = {
    0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFF123456, 0xFF164000, 0xFF164000,
    0xFF164000, 0xFFFFFFFF, 0xFF808080, 0xFF808080, 0xFF010203, 0xFFFEDCBA,
};
constexpr int kW = 4;
constexpr int kH = 3;
constexpr uint32_t kBackground = 0xFF203040;

class TextureTest : public ptest::SurfaceTest {
protected:
    platform::TexturePtr load(const std::vector<uint8_t>& bytes, int* w = nullptr, int* h = nullptr) {
        const std::string path = folder.file("picture.tga");
        ptest::writeBytes(path, bytes);
        return g->loadTexture(path, w, h);
    }
    // Draws at (100, 100) over the background and checks every texel.
    void expectPixels(const platform::Texture& texture, const std::vector<uint32_t>& expected) {
        g->clear(kBackground);
        g->drawTexture(texture, 100, 100, nullptr, 0xFFFFFFFF);
        for (int y = 0; y < kH; ++y) {
            for (int x = 0; x < kW; ++x) {
                const uint32_t want = expected[static_cast<size_t>(y * kW + x)];
                EXPECT_EQ(g->pixel(100 + x, 100 + y), want == 0xFF164000 ? kBackground : want)
                    << "texel " << x << "," << y;
            }
        }
    }
    ptest::TempFolder folder;
};

class TgaVariantTest : public TextureTest,
                       public ::testing::WithParamInterface<std::tuple<int, bool, bool>> {};

TEST_P(TgaVariantTest, DecodesEveryTexelInPlace) {
    TgaOptions o;
    std::tie(o.bits, o.rle, o.topDown) = GetParam();
    int w = -1;
    int h = -1;
    auto texture = load(ptest::encodeTga(kW, kH, kPixels, o), &w, &h);
    ASSERT_TRUE(texture);
    EXPECT_EQ(w, kW);
    EXPECT_EQ(h, kH);
    EXPECT_EQ(platform::textureWidth(*texture), kW);
    EXPECT_EQ(platform::textureHeight(*texture), kH);
    expectPixels(*texture, kPixels);
}

INSTANTIATE_TEST_SUITE_P(AllLayouts, TgaVariantTest,
                         ::testing::Combine(::testing::Values(24, 32), ::testing::Bool(),
                                            ::testing::Bool()));

TEST_F(TextureTest, RightToLeftRowsAreMirroredBack) {
    TgaOptions o;
    o.rightToLeft = true;
    auto texture = load(ptest::encodeTga(kW, kH, kPixels, o));
    ASSERT_TRUE(texture);
    expectPixels(*texture, kPixels);
}

TEST_F(TextureTest, AlphaOfThirtyTwoBitFilesBlendsAndOnlyOpaqueKeyIsTransparent) {
    const std::vector<uint32_t> pixels = {0x80FFFFFF, 0x80164000, 0x00FF0000, 0xFF164000};
    auto texture = load(ptest::encodeTga(4, 1, pixels, TgaOptions{}));
    ASSERT_TRUE(texture);
    g->clear(0xFF000000);
    g->drawTexture(*texture, 0, 0, nullptr, 0xFFFFFFFF);
    EXPECT_NEAR(g->pixel(0, 0) & 0xFF, 0x80, 1);
    // A translucent key colour is a real colour, not the key.
    EXPECT_NE(g->pixel(1, 0), 0xFF000000u);
    EXPECT_EQ(g->pixel(2, 0), 0xFF000000u);
    EXPECT_EQ(g->pixel(3, 0), 0xFF000000u);
}

TEST_F(TextureTest, FourthByteWithoutAlphaBitsIsPadding) {
    TgaOptions o;
    o.alphaBits = false;
    auto texture = load(ptest::encodeTga(2, 1, {0x00FF0000, 0x00164000}, o));
    ASSERT_TRUE(texture);
    g->clear(0xFF000000);
    g->drawTexture(*texture, 0, 0, nullptr, 0xFFFFFFFF);
    EXPECT_EQ(g->pixel(0, 0), 0xFFFF0000u);
    EXPECT_EQ(g->pixel(1, 0), 0xFF000000u);  // opaque key, so transparent
}

TEST_F(TextureTest, SixteenBitGreyAndColourMappedPictures) {
    // 1 x 1, 16-bit: pure red in 5-5-5.
    std::vector<uint8_t> sixteen(18, 0);
    sixteen[2] = 2;
    sixteen[12] = 1;
    sixteen[14] = 1;
    sixteen[16] = 16;
    sixteen.push_back(0x00);
    sixteen.push_back(0x7C);
    auto red = load(sixteen);
    ASSERT_TRUE(red);
    g->drawTexture(*red, 5, 5, nullptr, 0xFFFFFFFF);
    EXPECT_EQ(g->pixel(5, 5), 0xFFFF0000u);

    // 2 x 1 grey, bottom-up: 0x00, 0xFF.
    std::vector<uint8_t> grey(18, 0);
    grey[2] = 3;
    grey[12] = 2;
    grey[14] = 1;
    grey[16] = 8;
    grey.push_back(0x00);
    grey.push_back(0xFF);
    auto texture = load(grey);
    ASSERT_TRUE(texture);
    g->clear(kBackground);
    g->drawTexture(*texture, 0, 0, nullptr, 0xFFFFFFFF);
    EXPECT_EQ(g->pixel(0, 0), 0xFF000000u);
    EXPECT_EQ(g->pixel(1, 0), 0xFFFFFFFFu);

    // 2 x 1 with a 2-entry 24-bit map: the key colour and blue.
    std::vector<uint8_t> mapped(18, 0);
    mapped[1] = 1;
    mapped[2] = 1;
    mapped[5] = 2;
    mapped[7] = 24;
    mapped[12] = 2;
    mapped[14] = 1;
    mapped[16] = 8;
    mapped[17] = 0x20;
    for (uint8_t b : {0x00, 0x40, 0x16, 0xFF, 0x00, 0x00}) mapped.push_back(b);
    mapped.push_back(1);
    mapped.push_back(0);
    texture = load(mapped);
    ASSERT_TRUE(texture);
    g->clear(kBackground);
    g->drawTexture(*texture, 0, 0, nullptr, 0xFFFFFFFF);
    EXPECT_EQ(g->pixel(0, 0), 0xFF0000FFu);
    EXPECT_EQ(g->pixel(1, 0), kBackground);
}

TEST_F(TextureTest, PicturesWrittenByImageMagick) {
    const std::vector<uint32_t> expected = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF,
                                            0xFF164000, 0xFFFFFFFF, 0xFF0A141E};
    for (const char* name : {"magick_24.tga", "magick_24_rle.tga", "magick_32_alpha.tga"}) {
        SCOPED_TRACE(name);
        int w = 0;
        int h = 0;
        auto texture = g->loadTexture(std::string(FERROLIN_TEST_DATA) + "/tga/" + name, &w, &h);
        ASSERT_TRUE(texture);
        EXPECT_EQ(w, 3);
        EXPECT_EQ(h, 2);
        g->clear(0xFF000000);
        g->drawTexture(*texture, 10, 10, nullptr, 0xFFFFFFFF);
        for (int i = 0; i < 5; ++i) {
            const uint32_t want = expected[static_cast<size_t>(i)] == 0xFF164000
                                      ? 0xFF000000u
                                      : expected[static_cast<size_t>(i)];
            EXPECT_EQ(g->pixel(10 + i % 3, 10 + i / 3), want) << i;
        }
        const uint32_t last = g->pixel(12, 11);
        if (std::string(name) == "magick_32_alpha.tga") {
            EXPECT_NEAR(last & 0xFF, 0x1E / 2, 1);  // half transparent over black
        } else {
            EXPECT_EQ(last, 0xFF0A141Eu);
        }
    }
}

TEST_F(TextureTest, BadFilesGiveNoTextureAndLeaveSizesAlone) {
    int w = 77;
    int h = 88;
    EXPECT_FALSE(g->loadTexture(folder.file("missing.tga"), &w, &h));

    auto whole = ptest::encodeTga(kW, kH, kPixels, TgaOptions{});
    auto shortRaw = whole;
    shortRaw.resize(shortRaw.size() - 1);
    EXPECT_FALSE(load(shortRaw, &w, &h));

    TgaOptions rle;
    rle.rle = true;
    auto shortRle = ptest::encodeTga(kW, kH, kPixels, rle);
    shortRle.resize(shortRle.size() - 2);
    EXPECT_FALSE(load(shortRle, &w, &h));

    auto huge = whole;  // claims 9000 x 9000: refused before anything is allocated
    huge[12] = 0x28;
    huge[13] = 0x23;
    huge[14] = 0x28;
    huge[15] = 0x23;
    EXPECT_FALSE(load(huge, &w, &h));

    auto empty = whole;
    empty[12] = empty[13] = 0;
    EXPECT_FALSE(load(empty, &w, &h));

    EXPECT_FALSE(load({'P', 'N', 'G'}, &w, &h));
    EXPECT_EQ(w, 77);
    EXPECT_EQ(h, 88);
    // Null outputs are allowed.
    EXPECT_TRUE(load(whole, nullptr, nullptr));
}

TEST_F(TextureTest, PicturesBeyondTwiceTheScreenAreRefused) {
    const std::vector<uint32_t> column(2049, 0xFFFFFFFF);
    int w = 0, h = 0;
    EXPECT_FALSE(load(ptest::encodeTga(1, 2049, column, TgaOptions{}), &w, &h));
    EXPECT_FALSE(load(ptest::encodeTga(2049, 1, column, TgaOptions{}), &w, &h));
    const std::vector<uint32_t> fits(2048, 0xFFFFFFFF);
    EXPECT_TRUE(load(ptest::encodeTga(1, 2048, fits, TgaOptions{}), &w, &h));
    EXPECT_EQ(h, 2048);
}

// Eight characters of one picture once held eight copies of it.
TEST_F(TextureTest, LoadsOfOneFileShareOnePicture) {
    const std::string path = folder.file("shared.tga");
    ptest::writeBytes(path, ptest::encodeTga(kW, kH, kPixels, TgaOptions{}));
    int w = 0, h = 0;
    auto first = g->loadTexture(path, nullptr, nullptr);
    auto second = g->loadTexture(path, &w, &h);
    ASSERT_TRUE(first);
    EXPECT_EQ(first, second);
    EXPECT_EQ(w, kW);
    EXPECT_EQ(h, kH);

    // Rewritten in place with the same size, it is a new picture even while the old one
    // is still held.
    std::vector<uint32_t> changed = kPixels;
    changed[0] = 0xFF00FFFF;
    ptest::writeBytes(path, ptest::encodeTga(kW, kH, changed, TgaOptions{}));
    auto third = g->loadTexture(path, nullptr, nullptr);
    ASSERT_TRUE(third);
    EXPECT_NE(third, first);
    expectPixels(*third, changed);
}

TEST_F(TextureTest, PicturesFromMemoryDecodeLikeFiles) {
    int w = 5;
    int h = 6;
    EXPECT_FALSE(g->loadTextureFromMemory({1, 2, 3}, &w, &h));
    EXPECT_EQ(w, 5);
    EXPECT_EQ(h, 6);
    auto texture = g->loadTextureFromMemory(ptest::encodeTga(kW, kH, kPixels, TgaOptions{}), &w, &h);
    ASSERT_TRUE(texture);
    EXPECT_EQ(w, kW);
    EXPECT_EQ(h, kH);
    expectPixels(*texture, kPixels);
}

TEST_F(TextureTest, PartsAreClippedToThePictureNotStretched) {
    auto texture = load(ptest::encodeTga(kW, kH, kPixels, TgaOptions{}));
    ASSERT_TRUE(texture);
    g->clear(kBackground);
    // The part starts one texel left of the picture: texel (0,0) lands at x = 51.
    const Rect src{-1, 0, 2, 1};
    g->drawTexture(*texture, 50, 50, &src, 0xFFFFFFFF);
    EXPECT_EQ(g->pixel(50, 50), kBackground);
    EXPECT_EQ(g->pixel(51, 50), 0xFFFF0000u);
    EXPECT_EQ(g->pixel(52, 50), 0xFF00FF00u);
    EXPECT_EQ(g->pixel(53, 50), kBackground);
    EXPECT_EQ(g->pixel(51, 51), kBackground);
    // A part below the picture draws nothing.
    const Rect below{0, kH, kW, kH + 5};
    g->drawTexture(*texture, 0, 0, &below, 0xFFFFFFFF);
    EXPECT_EQ(g->pixel(0, 0), kBackground);
}

TEST_F(TextureTest, ColourMultipliesThePicture) {
    auto texture = load(ptest::encodeTga(1, 1, {0xFFFFFFFF}, TgaOptions{}));
    ASSERT_TRUE(texture);
    g->clear(0xFF000000);
    g->drawTexture(*texture, 0, 0, nullptr, 0xFF00FF00);
    g->drawTexture(*texture, 1, 0, nullptr, 0x60FFFFFF);
    EXPECT_EQ(g->pixel(0, 0), 0xFF00FF00u);
    // Translucent texels take SDL's fast blend, which may round down by one level.
    const uint32_t half = g->pixel(1, 0);
    EXPECT_TRUE(half == 0xFF606060u || half == 0xFF5F5F5Fu) << std::hex << half;
}

TEST_F(TextureTest, PicturesMayOutliveTheirSurface) {
    auto texture = load(ptest::encodeTga(1, 1, {0xFFFFFFFF}, TgaOptions{}));
    ASSERT_TRUE(texture);
    auto other = platform::Graphics::createHeadless();
    other->clear(0xFF000000);
    other->drawTexture(*texture, 0, 0, nullptr, 0xFFFFFFFF);  // not its texture: ignored
    EXPECT_EQ(other->pixel(0, 0), 0xFF000000u);
    g.reset();
    texture.reset();  // must not touch the renderer that is gone
}

}  // namespace
