// The task editor opened from the menu, with a palette of two known character pictures:
// unit_a (40x64, with a small picture) and unit_b (30x30, without one).
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "editor/character_palette.hpp"
#include "editor/editor_placement.hpp"
#include "editor/rule_list_box.hpp"
#include "editor/task_editor.hpp"
#include "puzzle/task.hpp"
#include "support/game_fixture.hpp"
#include "support/linked_copy.hpp"
#include "support/open_screens.hpp"
#include "support/tga_writer.hpp"

namespace test {

class EditorTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        if (HasFatalFailure()) return;
        useOwnCharacterPictures();
        click(500, 130);  // the menu's second command: the task editor
        ASSERT_EQ(test::editorStep(), 0);
    }

    // The built pictures, except the characters, which are replaced by test pictures.
    void useOwnCharacterPictures() {
        namespace fs = std::filesystem;
        const fs::path textures = programFolder() / "textures";
        const fs::path built = std::string(FERROLIN_GAME_DIR) + "/textures";
        fs::remove_all(textures);
        fs::create_directory(textures);
        if (fs::exists(built)) {
            for (const auto& entry : fs::directory_iterator(built)) {
                const std::string name = entry.path().filename().string();
                if (name.rfind("unit_", 0) != 0) test::linkInto(entry.path(), textures / name);
            }
        }
        ASSERT_TRUE(writeTga((textures / "unit_a.tga").string(), 40, 64, 0xFFC08040));
        ASSERT_TRUE(writeTga((textures / "unit_a_small.tga").string(), 20, 20, 0xFFC08040));
        ASSERT_TRUE(writeTga((textures / "unit_b.tga").string(), 30, 30, 0xFF4080C0));
    }

    static const editor::EditorItems& items() { return test::editorItems(); }
    static puzzle::CharacterRecord& character(int i) {
        return test::task().characters[static_cast<size_t>(i)];
    }

    void clickCentre(const ui::VisualItem* item) {
        click(item->x + item->width / 2, item->y + item->height / 2);
    }
    void next() { clickCentre(items().nextButton); }
    void back() { clickCentre(items().backButton); }
    void goTo(int step) {
        while (test::editorStep() < step) next();
        while (test::editorStep() > step) back();
        ASSERT_EQ(test::editorStep(), step);
    }

    // Drags a new character from palette entry `entry` (step 2) and drops it at (x, y);
    // answers the number of characters afterwards.
    int take(int entry, int x, int y) {
        wait(10);  // the palette places its pictures when drawn
        const editor::PalettePicture* picture =
            items().characterList->entryPictures[static_cast<size_t>(entry)];
        drag(picture->x + picture->width / 2, picture->y + picture->height / 2, x, y);
        return test::task().characterCount;
    }
    // Drags character i by its middle to (x, y).
    void dragCharacter(int i, int x, int y) {
        const ui::DragDropItem* item = character(i).item;
        drag(item->x + item->width / 2, item->y + item->height / 2, x, y);
    }

    // The rule list's row r, as drawn with no scrolling.
    static int ruleRowY(int r) { return test::editorItems().ruleList->y + 33 * r; }
    static int ruleListX() { return test::editorItems().ruleList->x; }
};

}  // namespace test
