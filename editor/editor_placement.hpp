// Characters in the task editor: made from a palette picture, dropped on the left bank
// (start place), the right bank (goal place) or a rule cell, put back or deleted.
#pragma once

#include <cstdint>

#include "editor/palette_picture.hpp"
#include "editor/task_editor.hpp"
#include "scene/character_picture.hpp"
#include "ui/drag_drop_item.hpp"
#include "ui/visual_item.hpp"

namespace editor {

// Drop zones: banks for 27 <= y <= 540 off the wood panel, left of x = 350 and right of
// x = 800; the water between them is the middle zone.
constexpr int kZoneTop = 27;
constexpr int kZoneBottom = 540;
constexpr int kLeftZoneEnd = 350;
constexpr int kRightZoneStart = 800;

// Builds record characterCount from the palette picture (sharing its pictures) without
// counting it; null when the table is full. Its drags follow the session's rules.
scene::CharacterPicture* addCharacter(EditorSession& session, PalettePicture* source);
// The palette's press: addCharacter and count the new character.
scene::CharacterPicture* makeEditorCharacter(EditorSession& session, PalettePicture* source);
// Destroys the character; the last record moves into its slot. Rule cells that named
// the deleted character become empty and cells that named the moved one follow it.
void deleteCharacter(puzzle::Task& task, int index);

bool onEditorDragStart(EditorSession& session, ui::DragDropItem* item);
bool onEditorDragOver(const EditorSession& session, ui::VisualItem* other, int x, int y);
void onEditorDrop(EditorSession& session, ui::DragDropItem* item, int x, int y);

}  // namespace editor
