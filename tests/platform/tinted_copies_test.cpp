// Tints baked into copies of pictures: the same picture and tint draw the same pixels
// every time, whatever was drawn in between; tints are honoured; opaque pictures cover
// what lies under them; the draw log sees every call that reaches the renderer.
#include <vector>

#include "platform/sdl_graphics.hpp"
#include "platform/types.hpp"
#include "tests/platform/platform_fixture.hpp"

namespace {

using ptest::TgaOptions;

constexpr uint32_t kBackground = 0xFF203040;

class TintTest : public ptest::SurfaceTest {
protected:
    platform::TexturePtr picture(int w, int h, uint32_t argb) {
        return g->loadTextureFromMemory(
            ptest::encodeTga(w, h, std::vector<uint32_t>(static_cast<size_t>(w * h), argb),
                             TgaOptions{}),
            nullptr, nullptr);
    }
    uint32_t drawnAt(const platform::Texture& texture, uint32_t tint) {
        g->clear(kBackground);
        g->drawTexture(texture, 10, 10, nullptr, tint);
        return g->pixel(11, 11);
    }
    // Each channel within two levels of the exact value: SDL's fast blend rounds down.
    static void expectNear(uint32_t got, uint32_t want) {
        for (int shift = 0; shift < 24; shift += 8) {
            const int a = static_cast<int>((got >> shift) & 0xFF);
            const int b = static_cast<int>((want >> shift) & 0xFF);
            EXPECT_LE(std::abs(a - b), 2) << std::hex << got << " vs " << want;
        }
    }
};

TEST_F(TintTest, ATintDrawsTheSamePixelsEveryTimeEvenAfterManyOthers) {
    auto texture = picture(4, 4, 0xFFC08040);
    ASSERT_TRUE(texture);
    const uint32_t first = drawnAt(*texture, 0xCC80FF40);
    EXPECT_EQ(drawnAt(*texture, 0xCC80FF40), first);
    // A fade: more tints than a picture keeps copies of.
    for (uint32_t alpha = 0x10; alpha <= 0xF0; alpha += 0x20)
        drawnAt(*texture, (alpha << 24) | 0x80FF40);
    EXPECT_EQ(drawnAt(*texture, 0xCC80FF40), first);
    EXPECT_EQ(drawnAt(*texture, 0xFFFFFFFF), 0xFFC08040u);
}

TEST_F(TintTest, ColourAndAlphaOfTheTintAreHonoured) {
    auto texture = picture(4, 4, 0xFFFFFFFF);
    ASSERT_TRUE(texture);
    expectNear(drawnAt(*texture, 0xFF80FF40), 0xFF80FF40);
    // Half of white over the background.
    expectNear(drawnAt(*texture, 0x80FFFFFF), 0xFF8F97A0);
    // Nothing of a fully transparent tint shows.
    EXPECT_EQ(drawnAt(*texture, 0x00FFFFFF), kBackground);
    // Several tints of one picture in one frame each keep their colour.
    g->clear(kBackground);
    g->drawTexture(*texture, 0, 0, nullptr, 0xFFFF0000);
    g->drawTexture(*texture, 4, 0, nullptr, 0xFF0000FF);
    g->drawTexture(*texture, 8, 0, nullptr, 0xFFFF0000);
    EXPECT_EQ(g->pixel(1, 1), 0xFFFF0000u);
    EXPECT_EQ(g->pixel(5, 1), 0xFF0000FFu);
    EXPECT_EQ(g->pixel(9, 1), 0xFFFF0000u);
}

TEST_F(TintTest, OpaquePicturesCoverAndTranslucentOnesBlend) {
    auto opaque = picture(4, 4, 0xFF102030);
    auto keyed = g->loadTextureFromMemory(ptest::encodeTga(2, 1, {0xFF102030, 0xFF164000}, TgaOptions{}),
                                          nullptr, nullptr);
    ASSERT_TRUE(opaque && keyed);
    EXPECT_TRUE(opaque->opaque);
    EXPECT_FALSE(keyed->opaque);
    EXPECT_EQ(drawnAt(*opaque, 0xFFFFFFFF), 0xFF102030u);
    // At less than full alpha even an opaque picture lets the background through.
    expectNear(drawnAt(*opaque, 0x80FFFFFF), 0xFF182838);
    g->clear(kBackground);
    g->drawTexture(*keyed, 0, 0, nullptr, 0xFFFFFFFF);
    EXPECT_EQ(g->pixel(0, 0), 0xFF102030u);
    EXPECT_EQ(g->pixel(1, 0), kBackground);
}

class Recorder final : public platform::DrawLog {
public:
    void add(const platform::DrawCall& call) override { calls.push_back(call); }
    std::vector<platform::DrawCall> calls;
};

TEST_F(TintTest, TheDrawLogSeesEveryCallThatReachesTheRenderer) {
    auto* sdl = dynamic_cast<platform::SdlGraphics*>(g.get());
    ASSERT_NE(sdl, nullptr);
    auto texture = picture(4, 4, 0xFFFFFFFF);
    ASSERT_TRUE(texture);
    Recorder log;
    sdl->setDrawLog(&log);
    g->clear(0xFF000000);
    g->fillRect(0, 0, 10, 10, 0x80FFFFFF);
    g->fillRect(5, 5, 5, 20, 0x80FFFFFF);  // empty: never reaches the renderer
    g->drawBevel(0, 0, 10, 10, 0xFFFFFFFF, 0xFF000000);
    g->drawTexture(*texture, 3, 4, nullptr, 0xCCFFFFFF);
    g->present();
    sdl->setDrawLog(nullptr);
    g->clear(0xFF000000);

    using platform::DrawCall;
    ASSERT_EQ(log.calls.size(), 8u);
    EXPECT_EQ(log.calls[0].kind, DrawCall::Clear);
    EXPECT_EQ(log.calls[1].kind, DrawCall::Fill);
    EXPECT_EQ(log.calls[1].blend, SDL_BLENDMODE_BLEND);
    for (size_t i = 2; i < 6; ++i) EXPECT_EQ(log.calls[i].kind, DrawCall::Fill);
    const DrawCall& copy = log.calls[6];
    EXPECT_EQ(copy.kind, DrawCall::Copy);
    EXPECT_EQ(copy.to.x, 3);
    EXPECT_EQ(copy.to.y, 4);
    // The translucent tint was baked into a copy, which is blended plainly.
    EXPECT_NE(copy.texture, texture->texture);
    EXPECT_EQ(copy.argb, 0xFFFFFFFFu);
    EXPECT_EQ(log.calls[7].kind, DrawCall::Present);
}

}  // namespace
