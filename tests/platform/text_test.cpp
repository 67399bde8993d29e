// Text: line breaking, the layout flags (measured with TextFormat::CalcRect and seen in pixels),
// fonts sized by cell height, and the rendered-line cache.
#include <string>

#include "platform/sdl_graphics.hpp"
#include "platform/text_layout.hpp"
#include "tests/platform/platform_fixture.hpp"

namespace {

using platform::Rect;
using platform::TextFormat;

// ---- line breaking with a fixed-width measure: 10 px a character ------------------------

std::vector<std::string> lines(const char* text, bool wordBreak, int width, bool singleLine = false) {
    auto layout = platform::layoutText(text, wordBreak, singleLine, width, [](const std::string& s) {
        return static_cast<int>(s.size()) * 10;
    });
    std::vector<std::string> out;
    for (const auto& line : layout.lines) out.push_back(line.utf8);
    return out;
}

using Lines = std::vector<std::string>;

TEST(TextLayout, BreaksAtEveryKindOfLineEnd) {
    EXPECT_EQ(lines("a\r\nb\nc\rd", false, 0), (Lines{"a", "b", "c", "d"}));
    EXPECT_EQ(lines("a\r\n\r\nb", false, 0), (Lines{"a", "", "b"}));
    EXPECT_EQ(lines("a\r\n", false, 0), (Lines{"a"}));  // a final break starts no line
    EXPECT_EQ(lines("\r\n", false, 0), (Lines{""}));
    EXPECT_EQ(lines("", false, 0), Lines{});
    EXPECT_EQ(lines("a\r\nb", false, 0, true), (Lines{"ab"}));
}

TEST(TextLayout, WrapsAtSpacesWithinTheWidth) {
    EXPECT_EQ(lines("aaa bbb ccc", true, 70), (Lines{"aaa bbb", "ccc"}));
    EXPECT_EQ(lines("aaa bbb ccc", true, 69), (Lines{"aaa", "bbb", "ccc"}));
    EXPECT_EQ(lines("aaa    bbb", true, 50), (Lines{"aaa", "bbb"}));   // spaces at a break vanish
    EXPECT_EQ(lines("  aaa bbb", true, 50), (Lines{"  aaa", "bbb"}));  // leading ones stay
    EXPECT_EQ(lines("a verylongword b", true, 50), (Lines{"a", "verylongword", "b"}));
    EXPECT_EQ(lines("aaa bbb", true, 0), (Lines{"aaa", "bbb"}));
    EXPECT_EQ(lines("aa bb\r\ncc dd", true, 50), (Lines{"aa bb", "cc dd"}));
    EXPECT_EQ(lines("aaa bbb ccc", false, 10), (Lines{"aaa bbb ccc"}));
}

TEST(TextLayout, ShortensLinesTooWideWithAnEllipsis) {
    auto shortened = [](const char* text, int width) {
        auto layout = platform::layoutText(
            text, false, false, width,
            [](const std::string& s) { return static_cast<int>(s.size()) * 10; }, true);
        std::vector<std::string> out;
        for (const auto& line : layout.lines) out.push_back(line.utf8);
        return out;
    };
    const std::string ellipsis = "\xE2\x80\xA6";  // 30 px with this measure
    EXPECT_EQ(shortened("abcdefghij\nabc", 80), (Lines{"abcde" + ellipsis, "abc"}));
    EXPECT_EQ(shortened("ab   cdefgh", 80), (Lines{"ab" + ellipsis}));  // no spaces before it
    EXPECT_EQ(shortened("abcdefgh", 80), (Lines{"abcdefgh"}));
    EXPECT_EQ(shortened("abcdefgh", 10), (Lines{ellipsis}));
    EXPECT_EQ(shortened("\xCF\xF0\xE8\xE2\xE5\xF2", 70),
              (Lines{"\xD0\x9F\xD1\x80" + ellipsis}));  // "Пр…"
}

TEST(TextLayout, ConvertsWindows1251ToUtf8AndReportsTheWidestLine) {
    auto layout = platform::layoutText("\xCF\xF0\xE8\r\nab", false, false, 0,
                                       [](const std::string& s) { return static_cast<int>(s.size()); });
    ASSERT_EQ(layout.lines.size(), 2u);
    EXPECT_EQ(layout.lines[0].utf8, "\xD0\x9F\xD1\x80\xD0\xB8");  // "При"
    EXPECT_EQ(layout.lines[0].width, 6);
    EXPECT_EQ(layout.widest, 6);
}

// ---- drawing ---------------------------------------------------------------------------

struct Box {
    int left = 100000;
    int top = 100000;
    int right = -1;  // inclusive
    int bottom = -1;
    bool empty() const { return right < 0; }
};

class TextTest : public ptest::SurfaceTest {
protected:
    void SetUp() override {
        SurfaceTest::SetUp();
        font = g->createFont("Verdana", 16, 600, false);
        ASSERT_TRUE(font);
        g->clear(0xFF000000);
    }
    Rect measure(const char* text, platform::TextFormat format = platform::TextFormat::Left,
                 Rect r = Rect{10, 20, 10, 20}) {
        g->drawText(*font, text, -1, &r, format | platform::TextFormat::CalcRect, 0);
        return r;
    }
    // Bounding box of the lit pixels in a part of the screen.
    Box lit(Rect area = Rect{0, 0, platform::kScreenWidth, platform::kScreenHeight}) {
        Box b;
        for (int y = area.top; y < area.bottom; ++y) {
            for (int x = area.left; x < area.right; ++x) {
                if ((g->pixel(x, y) & 0xFFFFFF) == 0) continue;
                b.left = std::min(b.left, x);
                b.right = std::max(b.right, x);
                b.top = std::min(b.top, y);
                b.bottom = std::max(b.bottom, y);
            }
        }
        return b;
    }
    platform::FontPtr font;
};

TEST_F(TextTest, FontCellHeightIsTheRequestedHeight) {
    for (int height : {16, 22, 26}) {
        auto f = g->createFont("Verdana", height, height == 26 ? 700 : 600, false);
        ASSERT_TRUE(f);
        Rect r{0, 0, 0, 0};
        EXPECT_EQ(g->drawText(*f, "Ay", -1, &r, platform::TextFormat::CalcRect, 0), height);
        EXPECT_EQ(r.bottom, height);
    }
    EXPECT_FALSE(g->createFont("Verdana", 0, 400, false));
    // The same request gives the same font.
    EXPECT_EQ(g->createFont("Verdana", 16, 600, false), font);
    // Bold is wider than regular.
    auto regular = g->createFont("Verdana", 16, 400, false);
    Rect a{0, 0, 0, 0};
    Rect b{0, 0, 0, 0};
    g->drawText(*regular, "Wide text", -1, &a, platform::TextFormat::CalcRect, 0);
    g->drawText(*font, "Wide text", -1, &b, platform::TextFormat::CalcRect, 0);
    EXPECT_LT(a.right, b.right);
}

TEST_F(TextTest, CalcRectMeasuresTheWidestLineAndAllLines) {
    const Rect one = measure("Hello");
    EXPECT_GT(one.right, 10 + 20);
    EXPECT_EQ(one.bottom, 20 + 16);
    const Rect two = measure("Hi\r\nHello");
    EXPECT_EQ(two.right, one.right);
    EXPECT_EQ(two.bottom, 20 + 32);
    // Wrapping uses the rectangle's width.
    const Rect wrapped =
        measure("Hello Hello Hello", platform::TextFormat::WordBreak, Rect{10, 20, one.right + 5, 0});
    EXPECT_EQ(wrapped.right, one.right);
    EXPECT_EQ(wrapped.bottom, 20 + 48);
    // Only the first `length` bytes count.
    Rect part{0, 0, 0, 0};
    g->drawText(*font, "HelloHello", 5, &part, platform::TextFormat::CalcRect, 0);
    EXPECT_EQ(part.right, one.right - 10);
    // Nothing is drawn while measuring.
    EXPECT_TRUE(lit().empty());
}

TEST_F(TextTest, CyrillicIsConvertedBeforeDrawing) {
    // "Привет" is wider than six of the replacement characters a raw byte would give.
    const Rect cyrillic = measure("\xCF\xF0\xE8\xE2\xE5\xF2");
    const Rect latin = measure("Privet");
    EXPECT_GT(cyrillic.right - 10, 30);
    EXPECT_NEAR(cyrillic.right, latin.right, 20);
}

TEST_F(TextTest, HorizontalAlignment) {
    const int width = measure("Text").right - 10;
    const Rect area{100, 100, 300, 116};
    Rect r = area;
    g->drawText(*font, "Text", -1, &r, platform::TextFormat::Center, 0xFFFFFFFF);
    Box b = lit();
    EXPECT_NEAR((b.left + b.right) / 2, 200, 2);

    g->clear(0xFF000000);
    r = area;
    g->drawText(*font, "Text", -1, &r, platform::TextFormat::Right, 0xFFFFFFFF);
    b = lit();
    EXPECT_LE(b.right, 299);
    EXPECT_GE(b.right, 299 - 3);
    EXPECT_NEAR(b.left, 300 - width, 3);

    g->clear(0xFF000000);
    r = area;
    g->drawText(*font, "Text", -1, &r, TextFormat::Left, 0xFFFFFFFF);
    EXPECT_NEAR(lit().left, 100, 2);
}

TEST_F(TextTest, VerticalCentringAndBottomMoveTheWholeBlock) {
    const Rect area{100, 100, 300, 200};
    Rect r = area;
    const int height = g->drawText(*font, "Ab\r\nAb", -1, &r, platform::TextFormat::VCenter, 0xFFFFFFFF);
    EXPECT_EQ(height, 32);
    Box b = lit();
    // The block of two 16-pixel cells sits at 134..165.
    EXPECT_GE(b.top, 134);
    EXPECT_LE(b.bottom, 165);
    EXPECT_GT(b.bottom, 150);

    g->clear(0xFF000000);
    r = area;
    g->drawText(*font, "Ab", -1, &r, platform::TextFormat::Bottom, 0xFFFFFFFF);
    b = lit();
    EXPECT_GE(b.top, 184);
    EXPECT_LE(b.bottom, 199);
}

TEST_F(TextTest, ClipsToTheRectangleUnlessNoClip) {
    Rect r{100, 100, 110, 105};
    g->drawText(*font, "WWWW", -1, &r, TextFormat::Left, 0xFFFFFFFF);
    Box b = lit();
    ASSERT_FALSE(b.empty());
    EXPECT_GE(b.left, 100);
    EXPECT_LE(b.right, 109);
    EXPECT_LE(b.bottom, 104);

    g->clear(0xFF000000);
    r = Rect{100, 100, 110, 105};
    g->drawText(*font, "WWWW", -1, &r, platform::TextFormat::NoClip, 0xFFFFFFFF);
    b = lit();
    EXPECT_GT(b.right, 130);
    EXPECT_GT(b.bottom, 105);
}

TEST_F(TextTest, DegenerateRectangleWithNoClipStartsAtLeftTopAndCentresOnItsMiddle) {
    // As the rising message draws: (0, top, 1024, 0), centred, unclipped.
    Rect r{0, 300, 1024, 0};
    g->drawText(*font, "Message", -1, &r, platform::TextFormat::NoClip | platform::TextFormat::Center,
                0xFFFFFFFF);
    Box b = lit();
    ASSERT_FALSE(b.empty());
    EXPECT_NEAR((b.left + b.right) / 2, 512, 2);
    EXPECT_GE(b.top, 300);
    EXPECT_LE(b.bottom, 315);

    g->clear(0xFF000000);
    r = Rect{400, 300, 390, 0};
    g->drawText(*font, "X", -1, &r, platform::TextFormat::NoClip, 0xFFFFFFFF);
    EXPECT_NEAR(lit().left, 400, 2);
}

TEST_F(TextTest, ColourAndAlphaTintTheText) {
    Rect r{100, 100, 0, 0};
    g->drawText(*font, "Red", -1, &r, platform::TextFormat::NoClip, 0xFFFF0000);
    Box b = lit();
    ASSERT_FALSE(b.empty());
    uint32_t brightest = 0;
    for (int y = b.top; y <= b.bottom; ++y) {
        for (int x = b.left; x <= b.right; ++x) {
            const uint32_t p = g->pixel(x, y);
            EXPECT_EQ(p & 0xFFFF, 0u);
            brightest = std::max(brightest, (p >> 16) & 0xFF);
        }
    }
    EXPECT_EQ(brightest, 0xFFu);

    g->clear(0xFF000000);
    r = Rect{100, 100, 0, 0};
    g->drawText(*font, "Red", -1, &r, platform::TextFormat::NoClip, 0x80FF0000);
    brightest = 0;
    for (int y = b.top; y <= b.bottom; ++y) {
        for (int x = b.left; x <= b.right; ++x)
            brightest = std::max(brightest, (g->pixel(x, y) >> 16) & 0xFF);
    }
    EXPECT_NEAR(brightest, 0x80, 2);
}

TEST_F(TextTest, RenderedLinesAreCachedWithABound) {
    auto* sdl = dynamic_cast<platform::SdlGraphics*>(g.get());
    ASSERT_TRUE(sdl);
    Rect r{0, 0, 0, 0};
    g->drawText(*font, "Same\r\nText", -1, &r, platform::TextFormat::NoClip, 0xFFFFFFFF);
    const size_t after = sdl->cachedLineCount();
    EXPECT_EQ(after, 2u);
    for (uint32_t colour : {0xFFFF0000u, 0x80FFFFFFu}) {
        r = Rect{50, 50, 0, 0};
        g->drawText(*font, "Same\r\nText", -1, &r, platform::TextFormat::NoClip, colour);
    }
    EXPECT_EQ(sdl->cachedLineCount(), after);
    for (int i = 0; i < 1100; ++i) {
        const std::string text = std::to_string(i);
        r = Rect{0, 0, 0, 0};
        g->drawText(*font, text.c_str(), -1, &r, platform::TextFormat::NoClip, 0xFFFFFFFF);
    }
    EXPECT_EQ(sdl->cachedLineCount(), 1024u);
}

}  // namespace
