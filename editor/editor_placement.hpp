// Characters in the task editor: made from a palette picture, dropped on the left bank
// (start place), the right bank (goal place) or a rule cell, put back or deleted.
#pragma once

#include <cstdint>

#include "ui/drag_drop_item.hpp"
#include "ui/selectable_graphics.hpp"
#include "ui/visual_item.hpp"

namespace editor {

// The wizard's side of the drag rules. The editor fills it when it opens, so that this
// layer needs nothing of the editor's classes.
struct EditorHooks {
    // The rule table; a character dragged over it lights the cell under the pointer.
    ui::VisualItem* ruleList = nullptr;
    // Runs the rule table's cell hit test: true with the row and the column under the
    // point (0 the kind sign, 1 to 3 the character cells, 4 the delete mark).
    bool (*ruleCellAt)(int x, int y, int* row, int* column) = nullptr;
    // Appends an empty rule; false when the table is full.
    bool (*appendRule)() = nullptr;
    // The wizard's buttons: a dragged character passes over them to what lies below.
    ui::VisualItem* backButton = nullptr;
    ui::VisualItem* nextButton = nullptr;
    // True while the wizard is at its rules step.
    bool (*atRulesStep)() = nullptr;
};
extern EditorHooks editorHooks;

// Drop zones: banks for 27 <= y <= 540 off the wood panel, left of x = 350 and right of
// x = 800; the water between them is the middle zone.
constexpr int kZoneTop = 27;
constexpr int kZoneBottom = 540;
constexpr int kLeftZoneEnd = 350;
constexpr int kRightZoneStart = 800;

// Builds record characterCount from the palette picture (sharing its pictures) without
// counting it; null when the table is full.
ui::DragDropItem* addCharacter(ui::SelectableGraphics* source);
// The palette's press: addCharacter and count the new character.
ui::DragDropItem* makeEditorCharacter(ui::SelectableGraphics* source);
// Destroys the character; the last record moves into its slot. Rule cells that named
// the deleted character become empty and cells that named the moved one follow it.
void deleteCharacter(int index);

bool onEditorDragStart(ui::DragDropItem* item, int x, int y);
bool onEditorDragOver(ui::DragDropItem* item, ui::VisualItem* other, int x, int y);
void onEditorDrop(ui::DragDropItem* item, int x, int y);

// Where the item stood when its current drag began.
struct GrabPosition {
    int x = 0;
    int y = 0;
};
GrabPosition grabPosition();

}  // namespace editor
