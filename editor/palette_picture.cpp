#include "editor/palette_picture.hpp"

#include <utility>

#include "scene/character_picture.hpp"

namespace editor {

using namespace ui;

PalettePicture::PalettePicture(int x_, int y_, const char* path_, MakeCharacter makeCharacter)
    : GraphicsItem(x_, y_, path_),
      path(path_ != nullptr ? path_ : ""),
      makeCharacter_(std::move(makeCharacter)) {
    if (path_ == nullptr) return;
    tintMask = scene::loadTintMask(path, texture);
    const std::string smallPath = variantName(path, "_small");
    smallTexture = loadTexture(smallPath, nullptr, nullptr);
    smallTintMask = scene::loadTintMask(smallPath, smallTexture);
}

void PalettePicture::draw() { scene::drawCharacter(texture, tintMask, x, y, colour); }

bool PalettePicture::hitTest(int px, int py) { return containsPoint(this, px, py); }

void PalettePicture::mouseDown(int px, int py) {
    if (!makeCharacter_) return;
    DragDropItem* character = makeCharacter_(this);
    if (character == nullptr) return;
    setHotItem(character);
    character->mouseDown(px, py);
}

void PalettePicture::hoverEnter() { setCursor(CursorKind::Hand); }

void PalettePicture::hoverLeave() { setCursor(CursorKind::Arrow); }

}  // namespace editor
