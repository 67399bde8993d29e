// The editor's palette of characters: one row per character picture of the textures
// folder, each with a weight spin and a colour box. Pressing a picture makes a character
// with that picture, colour and weight and starts dragging it.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "editor/palette_picture.hpp"
#include "ui/button.hpp"
#include "ui/list_box.hpp"
#include "ui/spin.hpp"

namespace puzzle {
struct Task;
}

namespace editor {

class CharacterPalette : public ui::ListBox {
public:
    static constexpr int kMaxEntries = 128;

    // Reads the pictures at once; their widgets hang, hidden, in the wood panel's chain
    // behind `chainedAfter` (the bank highlight). Pictures that do not load, or would not
    // fit a row beside the weight and colour columns, are left out. Pressing a picture
    // makes a character with `makeCharacter`; the load numbers are those of `task`.
    CharacterPalette(int x, int y, int width, int height, ui::VisualItem* chainedAfter,
                     const puzzle::Task& task, const PalettePicture::MakeCharacter& makeCharacter);
    // Cuts the panel's chain behind `chainedAfter` and destroys every widget.
    ~CharacterPalette() override;

    // Hides every widget, shows those of the rows in view, then writes the load numbers.
    void draw() override;
    int rowCount() override;
    // The picture's height and 4 pixels.
    int rowHeight(int row) override;
    void drawRow(int row, int rowX, int rowY) override;

    void hideRowWidgets();

    // A number written at the bottom-right corner of the boat or a character.
    struct LoadNumber {
        int value;
        int x;
        int y;
    };
    // The boat's capacity and every character's weight that differ from 1.
    std::vector<LoadNumber> loadNumbers() const;
    // The same into out, reusing its storage: a frame allocates nothing.
    void loadNumbers(std::vector<LoadNumber>& out) const;
    void drawLoadNumbers();

    // "unit_*" names of the folder that are not "_small" pictures, sorted, at most 128.
    static std::vector<std::string> characterPictures(const std::string& folder);

    int32_t entryCount = 0;
    int32_t halfWidestPicture = 0;
    std::array<PalettePicture*, kMaxEntries> entryPictures{};
    std::array<ui::Spin*, kMaxEntries> weightSpins{};
    std::array<ui::ColorBox*, kMaxEntries> colourBoxes{};

private:
    // The weight and colour columns at the row's right end, with their labels.
    static constexpr int kColumnsWidth = 83;

    bool fitsARow(const PalettePicture* picture) const;

    ui::VisualItem* chainedAfter_;
    const puzzle::Task& task_;

    std::vector<LoadNumber> numbers_;
};

}  // namespace editor
