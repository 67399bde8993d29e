#include "ui/selectable_graphics.hpp"

#include "ui/character_picture.hpp"

namespace ui {

std::function<DragDropItem*(SelectableGraphics*)> SelectableGraphics::makeCharacter;

SelectableGraphics::SelectableGraphics(int x_, int y_, const char* path_)
    : GraphicsItem(x_, y_, path_), path(path_ != nullptr ? path_ : "") {
    if (path_ == nullptr) return;
    tintMask = loadTintMask(path, texture);
    const std::string smallPath = variantName(path, "_small");
    smallTexture = loadTexture(smallPath, nullptr, nullptr);
    smallTintMask = loadTintMask(smallPath, smallTexture);
}

bool SelectableGraphics::hitTest(int px, int py) { return containsPoint(this, px, py); }

void SelectableGraphics::mouseDown(int px, int py, unsigned keys) {
    if (!makeCharacter) return;
    DragDropItem* character = makeCharacter(this);
    if (character == nullptr) return;
    setHotItem(character);
    character->mouseDown(px, py, keys);
}

void SelectableGraphics::hoverEnter() { setCursor(CursorKind::Hand); }

void SelectableGraphics::hoverLeave() { setCursor(CursorKind::Arrow); }

}  // namespace ui
