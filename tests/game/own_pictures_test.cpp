// The game's own pictures checked at start: a damaged installation is named, once.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "app/own_pictures.hpp"
#include "support/game_fixture.hpp"

namespace {

namespace fs = std::filesystem;

using OwnPicturesTest = test::GameTest;

TEST_F(OwnPicturesTest, TheSetIsEveryPictureMadeFromTheGamesArt) {
    std::vector<std::string> art;
    for (const auto& entry : fs::directory_iterator(fs::path(FERROLIN_SOURCE_DIR) / "art" / "ui")) {
        if (entry.path().extension() == ".svg")
            art.push_back("textures/" + entry.path().stem().string() + ".tga");
    }
    std::sort(art.begin(), art.end());
    std::vector<std::string> own = app::ownPictures();
    std::sort(own.begin(), own.end());
    EXPECT_EQ(own, art);
    EXPECT_TRUE(app::brokenOwnPictures().empty());
}

TEST_F(OwnPicturesTest, MissingAndDamagedOnesAreNamedInOneBox) {
    const fs::path textures = programFolder() / "textures";
    const fs::path built = std::string(FERROLIN_GAME_DIR) + "/textures";
    fs::remove_all(textures);
    fs::create_directory(textures);
    for (const auto& entry : fs::directory_iterator(built))
        test::linkInto(entry.path(), textures / entry.path().filename());
    fs::remove(textures / "woodpanel.tga");
    fs::remove(textures / "boat.tga");
    fs::copy_file(built / "boat.tga", textures / "boat.tga");
    fs::resize_file(textures / "boat.tga", fs::file_size(textures / "boat.tga") / 2);
    fs::remove(textures / "winner.tga");
    fs::create_directory(textures / "winner.tga");

    const size_t boxes = platform::shownErrorBoxes().size();
    EXPECT_FALSE(app::reportBrokenOwnPictures());
    ASSERT_EQ(platform::shownErrorBoxes().size(), boxes + 1);
    const std::string& text = platform::shownErrorBoxes().back().second;
    for (const char* name : {"textures/boat.tga", "textures/winner.tga", "textures/woodpanel.tga"}) {
        EXPECT_NE(text.find(name), std::string::npos) << name;
    }
    EXPECT_EQ(text.find("background"), std::string::npos);
    EXPECT_EQ(app::brokenOwnPictures().size(), 3u);
}

}  // namespace
