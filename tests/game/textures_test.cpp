// The pictures of the program folder, read back through the game's own loader: each has
// the size the screens are laid out for, comes out the right way up (the TGA row order
// is easy to get wrong) and is transparent where the scene must show through.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/graphics.hpp"

namespace {

const std::string kTextures = FERROLIN_GAME_DIR "/textures/";

// What a texel must look like. Clear: fully transparent. Solid: fully opaque. The
// colour classes are solid too and pin the orientation: each is placed where the
// picture flipped upside down would show something else.
enum class Look { Clear, Solid, Red, Blue, Green, Brown, Dark };

struct Probe {
    int x;
    int y;
    Look look;
};

struct Picture {
    const char* name;
    int width;
    int height;
    std::vector<Probe> probes;
};

constexpr uint32_t kBackdropA = 0xFFFF00FF;
constexpr uint32_t kBackdropB = 0xFF00FFFF;

int red(uint32_t c) { return (c >> 16) & 0xFF; }
int green(uint32_t c) { return (c >> 8) & 0xFF; }
int blue(uint32_t c) { return c & 0xFF; }

bool near(uint32_t a, uint32_t b) {
    const int tolerance = 3;  // soft shadows may leave a texel of alpha 1 or 2
    return std::abs(red(a) - red(b)) <= tolerance && std::abs(green(a) - green(b)) <= tolerance &&
           std::abs(blue(a) - blue(b)) <= tolerance;
}

// A texture drawn once over each of two backdrops: a texel that shows the same colour
// over both is opaque, one that shows each backdrop is transparent.
class Readback {
public:
    explicit Readback(const std::string& file) {
        auto& g = platform::graphics();
        texture_ = g.loadTexture(kTextures + file, &width_, &height_);
        if (!texture_) return;
        over_[0] = render(kBackdropA);
        over_[1] = render(kBackdropB);
    }

    bool loaded() const { return texture_ != nullptr; }
    int width() const { return width_; }
    int height() const { return height_; }

    bool clear(int x, int y) const {
        return near(at(0, x, y), kBackdropA) && near(at(1, x, y), kBackdropB);
    }
    bool solid(int x, int y) const { return at(0, x, y) == at(1, x, y); }
    uint32_t colour(int x, int y) const { return at(0, x, y); }

private:
    std::vector<uint32_t> render(uint32_t backdrop) const {
        auto& g = platform::graphics();
        g.clear(backdrop);
        g.drawTexture(*texture_, 0, 0, nullptr, 0xFFFFFFFF);
        g.present();
        std::vector<uint32_t> pixels;
        pixels.reserve(static_cast<size_t>(width_) * height_);
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x) pixels.push_back(g.pixel(x, y));
        return pixels;
    }
    uint32_t at(int which, int x, int y) const {
        return over_[which][static_cast<size_t>(y) * width_ + x];
    }

    platform::TexturePtr texture_;
    int width_ = 0;
    int height_ = 0;
    std::vector<uint32_t> over_[2];
};

std::string describe(const Readback& r, const Probe& p) {
    char text[96];
    std::snprintf(text, sizeof text, "texel (%d, %d) shows 0x%08X", p.x, p.y,
                  static_cast<unsigned>(r.colour(p.x, p.y)));
    return text;
}

bool looksRight(const Readback& r, const Probe& p) {
    if (p.look == Look::Clear) return r.clear(p.x, p.y);
    if (!r.solid(p.x, p.y)) return false;
    const uint32_t c = r.colour(p.x, p.y);
    switch (p.look) {
        case Look::Red:
            return red(c) > blue(c) + 60 && red(c) > green(c) + 40;
        case Look::Blue:
            return blue(c) > red(c) + 40;
        case Look::Green:
            return green(c) > red(c) + 20 && green(c) > blue(c) + 20;
        case Look::Brown:
            return red(c) > blue(c) + 50 && red(c) > green(c);
        case Look::Dark:
            return red(c) < 90 && green(c) < 90 && blue(c) < 120;
        default:
            return true;
    }
}

const std::vector<Picture>& pictures() {
    using L = Look;
    static const std::vector<Picture> all = {
        // The rod the menu hangs from at the top, dark calm water under the texts at
        // the bottom, grass on both banks.
        {"background.tga",
         1024,
         768,
         {{520, 17, L::Brown},
          {520, 750, L::Dark},
          {400, 700, L::Blue},
          {100, 250, L::Green},
          {900, 200, L::Green},
          {560, 240, L::Blue}}},
        // Dark board inside the border, where the lists write pale-yellow text.
        {"woodpanel.tga",
         312,
         440,
         {{150, 200, L::Dark},
          {60, 60, L::Dark},
          {240, 370, L::Dark},
          {20, 200, L::Brown},
          {150, 20, L::Brown},
          {0, 0, L::Clear},
          {311, 0, L::Clear},
          {0, 439, L::Clear}}},
        {"list_uparrow.tga", 36, 30, {{6, 23, L::Solid}, {6, 6, L::Clear}, {18, 8, L::Solid}}},
        {"list_uparrow_hover.tga", 36, 30, {{6, 23, L::Solid}, {6, 6, L::Clear}}},
        {"list_downarrow.tga", 36, 30, {{6, 6, L::Solid}, {6, 23, L::Clear}, {18, 22, L::Solid}}},
        {"list_downarrow_hover.tga", 36, 30, {{6, 6, L::Solid}, {6, 23, L::Clear}}},
        // Rows in command order: the first (task list) blue, the last (exit) red; the
        // bottom rod leads while the menu unrolls.
        {"mainmenu.tga",
         374,
         386,
         {{100, 30, L::Blue},
          {100, 350, L::Red},
          {12, 373, L::Solid},
          {200, 10, L::Solid},
          {0, 0, L::Clear},
          {373, 0, L::Clear}}},
        // The tab hangs from its top edge; its lower corners are rounded off.
        {"btn_menu.tga", 102, 30, {{50, 1, L::Solid}, {5, 1, L::Solid}, {5, 28, L::Clear}}},
        {"btn_menu_hover.tga", 102, 30, {{50, 1, L::Solid}, {5, 1, L::Solid}, {1, 29, L::Clear}}},
        // Hull below, the passengers' room above.
        {"boat.tga", 200, 80, {{100, 65, L::Red}, {100, 14, L::Clear}, {0, 0, L::Clear}}},
        {"boatman.tga", 200, 80, {{100, 65, L::Red}, {30, 15, L::Solid}, {150, 10, L::Clear}}},
        {"boat_small.tga", 26, 26, {{13, 17, L::Red}, {13, 4, L::Clear}}},
        // The right arrow points up to the right mooring, the left one down to the left.
        {"arrow_right.tga", 70, 50, {{60, 15, L::Solid}, {60, 34, L::Clear}, {2, 2, L::Clear}}},
        {"arrow_left.tga", 70, 50, {{10, 35, L::Solid}, {10, 14, L::Clear}, {67, 47, L::Clear}}},
        {"arrow_right_small.tga", 26, 26, {{13, 13, L::Solid}, {2, 2, L::Clear}}},
        {"arrow_left_small.tga", 26, 26, {{13, 13, L::Solid}, {2, 2, L::Clear}}},
        // Red ribbon at the top, the dark-blue plate for the white move count below it.
        {"winner.tga",
         220,
         150,
         {{110, 10, L::Red},
          {110, 75, L::Blue},
          {110, 130, L::Solid},
          {0, 0, L::Clear},
          {0, 149, L::Clear},
          {219, 149, L::Clear}}},
        {"btn_close.tga", 88, 28, {{44, 14, L::Green}, {1, 1, L::Clear}, {86, 26, L::Clear}}},
        {"btn_close_hover.tga", 88, 28, {{44, 14, L::Green}, {1, 1, L::Clear}}},
        {"spin.tga",
         64,
         16,
         {{8, 8, L::Solid},
          {24, 8, L::Solid},
          {40, 8, L::Solid},
          {56, 8, L::Solid},
          {0, 0, L::Clear},
          {63, 15, L::Clear}}},
        // Unchecked frame light, checked frame with the green tick.
        {"checkbox.tga", 40, 20, {{10, 10, L::Solid}, {30, 10, L::Green}, {0, 0, L::Clear}}},
        {"checkbox_hover.tga", 40, 20, {{10, 10, L::Solid}, {30, 10, L::Green}, {0, 0, L::Clear}}},
        // Prohibition (red ring), more than (blue), not fewer than (green).
        {"signs.tga",
         75,
         25,
         {{12, 12, L::Red}, {37, 3, L::Blue}, {62, 3, L::Green}, {0, 0, L::Clear}, {74, 24, L::Clear}}},
    };
    return all;
}

// The characters every task may use; the task pack and the editor rely on these names.
const std::vector<std::string>& characterNames() {
    static const std::vector<std::string> names = {
        "farmer", "wolf",     "goat",  "cabbage", "man",      "woman",   "boy",    "girl",
        "oldman", "oldwoman", "guard", "prince",  "princess", "mage",    "troll",  "lion",
        "monkey", "dog",      "cat",   "mouse",   "rabbit",   "bear",    "carrot", "monk",
        "hunter", "knight",   "king",  "queen",   "fox",      "chicken", "grain",  "sheep"};
    return names;
}

class Textures : public ::testing::Test {
protected:
    void SetUp() override { platform::setGraphics(platform::Graphics::createHeadless()); }
};

TEST_F(Textures, EveryScreenPictureHasItsSizeOrientationAndTransparency) {
    for (const Picture& picture : pictures()) {
        SCOPED_TRACE(picture.name);
        Readback r(picture.name);
        ASSERT_TRUE(r.loaded()) << "missing or unreadable";
        EXPECT_EQ(r.width(), picture.width);
        EXPECT_EQ(r.height(), picture.height);
        if (r.width() != picture.width || r.height() != picture.height) continue;
        for (const Probe& p : picture.probes)
            EXPECT_TRUE(looksRight(r, p))
                << describe(r, p) << ", expected look " << static_cast<int>(p.look);
    }
}

TEST_F(Textures, TheBackgroundIsOpaqueEverywhere) {
    Readback r("background.tga");
    ASSERT_TRUE(r.loaded());
    // A texel of the colour key inside the scene would punch a black hole into it.
    for (int y = 0; y < r.height(); y += 3)
        for (int x = 0; x < r.width(); x += 3)
            ASSERT_TRUE(r.solid(x, y)) << "hole at (" << x << ", " << y << ")";
}

// Each character stands on the bottom edge of its 60x60 square (so that characters line
// up on a bank and in the boat) and leaves the top corners free; the small picture for
// the move list and the rule table is 26x26.
TEST_F(Textures, EveryCharacterHasItsPictureAndSmallPicture) {
    for (const std::string& name : characterNames()) {
        SCOPED_TRACE(name);
        Readback big("unit_" + name + ".tga");
        ASSERT_TRUE(big.loaded()) << "missing or unreadable";
        ASSERT_EQ(big.width(), 60);
        ASSERT_EQ(big.height(), 60);
        EXPECT_TRUE(big.clear(0, 0));
        EXPECT_TRUE(big.clear(59, 0));
        bool standsOnBottom = false;
        for (int y = 56; y < 60 && !standsOnBottom; ++y)
            for (int x = 0; x < 60 && !standsOnBottom; ++x) standsOnBottom = big.solid(x, y);
        EXPECT_TRUE(standsOnBottom);

        Readback small("unit_" + name + "_small.tga");
        ASSERT_TRUE(small.loaded()) << "small picture missing or unreadable";
        EXPECT_EQ(small.width(), 26);
        EXPECT_EQ(small.height(), 26);
        EXPECT_TRUE(small.clear(0, 0));
    }
}

TEST_F(Textures, CharactersComeOutTheRightWayUp) {
    // The carrot lies diagonally: leaves up to the right, orange tip down to the left.
    Readback carrot("unit_carrot.tga");
    ASSERT_TRUE(carrot.loaded());
    EXPECT_TRUE(looksRight(carrot, {48, 18, Look::Green}));
    EXPECT_TRUE(looksRight(carrot, {8, 52, Look::Solid}));
    EXPECT_TRUE(looksRight(carrot, {8, 7, Look::Clear}));
    EXPECT_TRUE(looksRight(carrot, {50, 52, Look::Clear}));
}

}  // namespace

namespace {

// The figures pupils and teachers colour carry tint masks of their own size that cover
// some of the figure (clothes, hair, crown) and nothing outside it: a mask that were
// missing, the wrong size or covering everything would colour the face again.
TEST_F(Textures, ColouredPeopleHaveMasksInsideTheirFigures) {
    for (const char* name : {"man", "woman", "boy", "girl", "king", "queen", "knight", "princess",
                             "prince", "monk", "troll", "guard"}) {
        for (const char* size : {"", "_small"}) {
            SCOPED_TRACE(std::string(name) + size);
            Readback figure("unit_" + std::string(name) + size + ".tga");
            Readback mask("unit_" + std::string(name) + size + "_tint.tga");
            ASSERT_TRUE(mask.loaded()) << "mask missing or unreadable";
            ASSERT_EQ(mask.width(), figure.width());
            ASSERT_EQ(mask.height(), figure.height());
            int covered = 0;
            int solid = 0;
            for (int y = 0; y < figure.height(); ++y) {
                for (int x = 0; x < figure.width(); ++x) {
                    if (figure.solid(x, y)) ++solid;
                    if (!mask.solid(x, y) || mask.clear(x, y)) continue;
                    ++covered;
                    EXPECT_TRUE(figure.solid(x, y)) << "mask outside the figure at " << x << ", " << y;
                }
            }
            EXPECT_GT(covered, solid / 20);
            EXPECT_LT(covered, solid * 2 / 3);
        }
    }
}

}  // namespace
