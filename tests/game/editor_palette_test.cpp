// The character palette: which pictures it lists, its row layout, colours, weights and
// the load numbers.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/screens.hpp"
#include "scene/river.hpp"
#include "support/editor_fixture.hpp"
#include "support/open_screens.hpp"

namespace {

using editor::CharacterPalette;

class PaletteTest : public test::EditorTest {
protected:
    CharacterPalette* palette() { return items().characterList; }
    ui::Spin* spin(int i) { return palette()->weightSpins[static_cast<size_t>(i)]; }
    ui::ColorBox* colourBox(int i) { return palette()->colourBoxes[static_cast<size_t>(i)]; }
};

TEST_F(PaletteTest, ListsEveryCharacterPictureButTheSmallOnes) {
    CharacterPalette* list = palette();
    ASSERT_EQ(list->entryCount, 2);
    EXPECT_EQ(list->entryPictures[0]->path, "textures/unit_a.tga");
    EXPECT_EQ(list->entryPictures[1]->path, "textures/unit_b.tga");
    EXPECT_NE(list->entryPictures[0]->smallTexture, nullptr);
    EXPECT_EQ(list->entryPictures[1]->smallTexture, nullptr);
    EXPECT_EQ(list->entryPictures[1]->id, 1);
    EXPECT_EQ(list->halfWidestPicture, 20);
    EXPECT_EQ(list->rowHeight(0), 68);
    EXPECT_EQ(list->rowHeight(1), 34);
}

// A damaged picture once got a 4-pixel row with its widgets piled up; one taller than
// the list scrolled the list into emptiness.
TEST_F(PaletteTest, LeavesOutPicturesThatDoNotLoadOrFitARow) {
    namespace fs = std::filesystem;
    const fs::path textures = programFolder() / "textures";
    const CharacterPalette* shown = palette();
    const int tooTall = shown->height - 3;
    const int tooWide = shown->width - 82;
    app::closeScreen();
    ASSERT_TRUE(test::writeTga((textures / "unit_c_tall.tga").string(), 10, tooTall));
    ASSERT_TRUE(test::writeTga((textures / "unit_d_wide.tga").string(), tooWide, 10));
    ASSERT_TRUE(test::writeTga((textures / "unit_e_empty.tga").string(), 0, 0));
    ASSERT_TRUE(test::writeTga((textures / "unit_f_cut.tga").string(), 30, 30));
    fs::resize_file(textures / "unit_f_cut.tga", 100);
    std::ofstream(textures / "unit_g_garbage.tga") << "not a picture at all, just some words";
    key(platform::Key::Escape);
    click(500, 130);
    ASSERT_EQ(test::editorStep(), 0);

    CharacterPalette* list = palette();
    ASSERT_EQ(list->entryCount, 2);
    EXPECT_EQ(list->entryPictures[0]->path, "textures/unit_a.tga");
    EXPECT_EQ(list->entryPictures[1]->path, "textures/unit_b.tga");
    EXPECT_EQ(list->entryPictures[1]->id, 1);
    EXPECT_EQ(list->halfWidestPicture, 20);

    // One pixel less each way, and both fit.
    app::closeScreen();
    ASSERT_TRUE(test::writeTga((textures / "unit_c_tall.tga").string(), 10, tooTall - 1));
    ASSERT_TRUE(test::writeTga((textures / "unit_d_wide.tga").string(), tooWide - 1, 10));
    key(platform::Key::Escape);
    click(500, 130);
    EXPECT_EQ(palette()->entryCount, 4);
    EXPECT_EQ(palette()->rowHeight(2), palette()->height);
}

TEST_F(PaletteTest, ReadsAtMost128NamesInAlphabeticalOrderWithoutSmallPicturesAndMasks) {
    namespace fs = std::filesystem;
    const fs::path folder = programFolder() / "many";
    fs::create_directory(folder);
    for (int i = 129; i >= 0; --i) {
        std::ofstream(folder / ("unit_" + std::to_string(1000 + i) + ".tga")).put('x');
    }
    std::ofstream(folder / "unit_1000_small.tga").put('x');
    std::ofstream(folder / "unit_1000_tint.tga").put('x');
    std::ofstream(folder / "unit_1000_small_tint.tga").put('x');
    std::ofstream(folder / "boat.tga").put('x');
    const auto names = CharacterPalette::characterPictures(folder.string());
    ASSERT_EQ(names.size(), 128u);
    EXPECT_EQ(names.front(), "unit_1000.tga");
    EXPECT_EQ(names.back(), "unit_1127.tga");
}

TEST_F(PaletteTest, RowsPlaceTheirWidgetsAndOnlyWhileShown) {
    goTo(2);
    wait(10);
    const CharacterPalette* list = palette();
    const int colX = list->x + list->width - 51;
    EXPECT_EQ(list->entryPictures[0]->x, list->x);
    EXPECT_EQ(list->entryPictures[0]->y, list->y + 2);
    EXPECT_EQ(spin(0)->x, colX);
    EXPECT_EQ(spin(0)->y, list->y + 20);
    EXPECT_EQ(colourBox(0)->x, colX + 12);
    EXPECT_EQ(colourBox(0)->y, list->y + 36);
    EXPECT_EQ(list->entryPictures[1]->x, list->x + 5);
    EXPECT_EQ(list->entryPictures[1]->y, list->y + 70);
    EXPECT_TRUE(spin(1)->visible);
    shot("editor_step2_palette");

    next();
    wait(10);
    for (int i = 0; i < 2; ++i) {
        EXPECT_FALSE(list->entryPictures[static_cast<size_t>(i)]->visible);
        EXPECT_FALSE(spin(i)->visible);
        EXPECT_FALSE(colourBox(i)->visible);
    }
}

TEST_F(PaletteTest, CharactersCopyTheColourAndWeightOfTheMomentTheyAreTaken) {
    goTo(2);
    ASSERT_EQ(take(0, 200, 300), 1);
    wait(10);
    clickCentre(colourBox(0));
    clickCentre(colourBox(0));
    click(spin(0)->x + spin(0)->length - 4, spin(0)->y + 4);
    click(spin(0)->x + spin(0)->length - 4, spin(0)->y + 4);
    ASSERT_EQ(take(0, 200, 450), 2);
    ASSERT_EQ(take(1, 100, 450), 3);

    EXPECT_EQ(character(0).item->colour, 0xFFFFFFFFu);
    EXPECT_EQ(character(0).weight, 1);
    const ui::DragDropItem* yellow = character(1).item;
    EXPECT_EQ(yellow->colour, 0xFFF0F000u);
    EXPECT_EQ(yellow->activeColour, 0x80F0F000u);
    EXPECT_EQ(character(1).weight, 3);
    EXPECT_EQ(character(1).name, "textures/unit_a.tga");
    EXPECT_EQ(character(1).smallPicture, palette()->entryPictures[0]->smallTexture);
    EXPECT_EQ(yellow->texture, palette()->entryPictures[0]->texture);

    // Only the weight that differs from 1 is written, and the boat's capacity unless 1.
    auto numbers = palette()->loadNumbers();
    ASSERT_EQ(numbers.size(), 1u);
    EXPECT_EQ(numbers[0].value, 3);
    EXPECT_EQ(numbers[0].x, yellow->x + yellow->width);
    EXPECT_EQ(numbers[0].y, yellow->y + yellow->height);
    for (int capacity : {2, 0}) {
        test::task().boatSettings.capacity = capacity;
        numbers = palette()->loadNumbers();
        ASSERT_EQ(numbers.size(), 2u);
        EXPECT_EQ(numbers[0].value, capacity);
        EXPECT_EQ(numbers[0].x, scene::kLeftStationX + test::task().boat->width);
    }
    shot("editor_load_numbers");
}

TEST_F(PaletteTest, AFullCharacterTableMakesThePictureInert) {
    goTo(2);
    for (int i = 0; i < model::kMaxCharacters - 1; ++i) {
        ui::DragDropItem* item =
            editor::makeEditorCharacter(*app::editorSession(), palette()->entryPictures[1]);
        ASSERT_NE(item, nullptr);
        item->moveTo(10 + i, 480);
        character(i).leftX = item->x;
        character(i).leftY = item->y;
    }
    EXPECT_EQ(take(0, 200, 300), model::kMaxCharacters);
    EXPECT_EQ(take(0, 200, 200), model::kMaxCharacters);
    EXPECT_EQ(editor::addCharacter(*app::editorSession(), palette()->entryPictures[0]), nullptr);
}

}  // namespace
