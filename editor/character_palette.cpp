#include "editor/character_palette.hpp"

#include <algorithm>
#include <string>

#include "platform/files.hpp"
#include "puzzle/task.hpp"
#include "scene/panel_layout.hpp"
#include "scene/scene.hpp"
#include "ui/cp1251.hpp"
#include "ui/resources.hpp"
#include "ui/shell.hpp"

namespace editor {

using platform::TextFormat;

using namespace ui;
using namespace scene;

namespace {

constexpr uint32_t kPalette[] = {0xFFFFFFFF, 0xFFF00000, 0xFFF0F000, 0xFF00F000, 0xFF0000F0};
constexpr int kColourCount = 5;
constexpr int kBoxWidth = 25;
constexpr int kBoxHeight = 11;

// The widget at its place, without moving the rest of the chain it hangs in.
void place(VisualItem* item, int px, int py) {
    item->x = px;
    item->y = py;
    item->visible = true;
}

CharacterPalette::LoadNumber numberAt(int value, const VisualItem* item) {
    return {value, item->x + item->width, item->y + item->height};
}

}  // namespace

std::vector<std::string> CharacterPalette::characterPictures(const std::string& folder) {
    std::vector<std::string> names = platform::listFolder(folder, "unit_", "");
    // The small pictures and the tint masks go with a character picture, they are none.
    std::erase_if(names, [](const std::string& name) {
        const std::string stem = name.substr(0, name.rfind('.'));
        return name.find("_small") != std::string::npos || stem.ends_with("_tint");
    });
    // The file system lists in no useful order; the palette reads alphabetically.
    std::sort(names.begin(), names.end());
    if (names.size() > static_cast<size_t>(kMaxEntries)) names.resize(kMaxEntries);
    return names;
}

CharacterPalette::CharacterPalette(int x_, int y_, int width_, int height_, VisualItem* chainedAfter,
                                   const puzzle::Task& task,
                                   const PalettePicture::MakeCharacter& makeCharacter)
    : ListBox(x_, y_, width_, height_), chainedAfter_(chainedAfter), task_(task) {
    VisualItem* behind = chainedAfter;
    int widest = 0;
    for (const std::string& name : characterPictures("textures")) {
        const auto entry = static_cast<size_t>(entryCount);
        const std::string path = "textures/" + name;
        auto* picture = new PalettePicture(0, 0, path.c_str(), makeCharacter);
        if (!fitsARow(picture)) {
            delete picture;
            continue;
        }
        picture->id = entryCount;
        picture->visible = false;
        widest = std::max(widest, picture->width);

        auto* spin = new Spin(0, 0, 50, "textures/spin.tga", 1, 0, 999);
        spin->visible = false;
        auto* box = new ColorBox(0, 0, kBoxWidth, kBoxHeight, kColourCount, kPalette);
        box->visible = false;

        if (behind != nullptr) {
            attachAfter(behind, picture);
            attachAfter(picture, spin);
            attachAfter(spin, box);
            behind = box;
        }
        entryPictures[entry] = picture;
        weightSpins[entry] = spin;
        colourBoxes[entry] = box;
        ++entryCount;
    }
    halfWidestPicture = widest / 2;
}

CharacterPalette::~CharacterPalette() {
    if (chainedAfter_ != nullptr) chainedAfter_->attached = nullptr;
    for (int i = 0; i < entryCount; ++i) {
        const auto entry = static_cast<size_t>(i);
        for (VisualItem* widget : {static_cast<VisualItem*>(entryPictures[entry]),
                                   static_cast<VisualItem*>(weightSpins[entry]),
                                   static_cast<VisualItem*>(colourBoxes[entry])}) {
            widget->attached = nullptr;
            delete widget;
        }
    }
}

void CharacterPalette::draw() {
    hideRowWidgets();
    drawRows();
    drawLoadNumbers();
}

int CharacterPalette::rowCount() { return entryCount; }

bool CharacterPalette::fitsARow(const PalettePicture* picture) const {
    return picture->texture != nullptr && picture->height + 4 <= height &&
           picture->width <= width - kColumnsWidth;
}

int CharacterPalette::rowHeight(int row) {
    if (row < 0 || row >= entryCount) return 4;
    return entryPictures[static_cast<size_t>(row)]->height + 4;
}

void CharacterPalette::drawRow(int row, int rowX, int rowY) {
    const auto entry = static_cast<size_t>(row);
    PalettePicture* picture = entryPictures[entry];
    Spin* spin = weightSpins[entry];
    ColorBox* box = colourBoxes[entry];
    const int h = rowHeight(row);
    if (row % 2 == 0) fillRect(rowX, rowY, rowX + kListRowWidth, rowY + h, 0x20FFFFFF);

    const int colX = rowX + width - kColumnsWidth + 32;
    const int colY = rowY + h / 2 - 14;
    drawText(shell().fonts.small, "вес"_cp, Rect{colX - 32, colY, 0, colY + spin->height},
             TextFormat::VCenter | TextFormat::NoClip, ui::kPaleYellow);
    drawText(shell().fonts.small, "цвет"_cp, Rect{colX - 32, colY + 16, 0, colY + spin->height + 16},
             TextFormat::VCenter | TextFormat::NoClip, ui::kPaleYellow);

    place(picture, rowX + halfWidestPicture - picture->width / 2, rowY + 2);
    picture->colour = box->currentColour();
    picture->weight = spin->value;
    place(spin, colX, colY);
    place(box, colX + 12, colY + 16);
}

void CharacterPalette::hideRowWidgets() {
    for (int i = 0; i < entryCount; ++i) {
        const auto entry = static_cast<size_t>(i);
        entryPictures[entry]->visible = false;
        weightSpins[entry]->visible = false;
        colourBoxes[entry]->visible = false;
    }
}

std::vector<CharacterPalette::LoadNumber> CharacterPalette::loadNumbers() const {
    std::vector<LoadNumber> numbers;
    loadNumbers(numbers);
    return numbers;
}

void CharacterPalette::loadNumbers(std::vector<LoadNumber>& numbers) const {
    numbers.clear();
    const puzzle::Task& task = task_;
    if (task.boat != nullptr) {
        const int capacity = task.boatSettings.capacity;
        if (capacity != 1) numbers.push_back(numberAt(capacity, task.boat));
    }
    for (int i = 0; i < task.characterCount; ++i) {
        const puzzle::CharacterRecord& record = task.characters[static_cast<size_t>(i)];
        if (record.weight != 1 && record.item != nullptr) {
            numbers.push_back(numberAt(record.weight, record.item));
        }
    }
}

void CharacterPalette::drawLoadNumbers() {
    loadNumbers(numbers_);
    for (const LoadNumber& number : numbers_) {
        const std::string text = std::to_string(number.value);
        drawText(shell().fonts.small, text.c_str(), Rect{number.x, number.y, number.x, number.y},
                 TextFormat::NoClip, 0xFFFFFFFF);
    }
}

}  // namespace editor
