#include "editor/editor_placement.hpp"

#include <utility>

#include "editor/rule_list_box.hpp"
#include "editor/task_editor.hpp"
#include "puzzle/task.hpp"
#include "scene/scene.hpp"
#include "ui/cp1251.hpp"

namespace editor {

using puzzle::CharacterRecord;
using puzzle::RuleRecord;
using ui::operator""_cp;

namespace {

bool unplaced(const CharacterRecord& record) {
    return record.leftX == 0 && record.leftY == 0 && record.rightX == 0 && record.rightY == 0;
}

void putBack(const EditorSession& session, ui::DragDropItem* item) {
    item->moveTo(session.grab.x, session.grab.y);
}

// A placed character goes back where it was taken; one that never stood anywhere goes.
void putBackOrDelete(EditorSession& session, ui::DragDropItem* item) {
    if (unplaced(session.task.characters[static_cast<size_t>(item->id)])) {
        deleteCharacter(session.task, item->id);
    } else {
        putBack(session, item);
    }
}

// The rule table's cell under the point: its row and column (0 the kind sign, 1 to 3 the
// character cells, 4 the delete mark), lit as the pointer passes; true on a hit.
bool ruleCellAt(RuleListBox* list, int x, int y, int* row, int* column) {
    const bool hit = list->hitTest(x, y);
    *row = list->hoverRow;
    *column = list->hoverColumn;
    return hit;
}

// The rule table answers only while it is shown: hidden, it lies where the palette is.
bool ruleCellUnder(const EditorSession& session, int x, int y, int* row, int* column) {
    RuleListBox* list = session.items.ruleList;
    if (list == nullptr || !list->visible) return false;
    return ruleCellAt(list, x, y, row, column);
}

bool onWoodPanel(const scene::Scene& scene, int x, int y) {
    return ui::containsPoint(scene.woodPanel, x, y);
}

void explainMissedBank(scene::Scene& scene, int x, int y) {
    if (onWoodPanel(scene, x, y)) {
        scene.showMessage("На доску ставить нельзя:\nпоставьте персонажа на траву над ней"_cp);
    } else if (x > kLeftZoneEnd && x < kRightZoneStart && y >= kZoneTop && y <= kZoneBottom) {
        scene.showMessage("В реке стоять нельзя:\nпоставьте персонажа на правый берег"_cp);
    } else if (y < kZoneTop) {
        scene.showMessage("Так высоко ставить нельзя:\nопустите персонажа чуть ниже"_cp);
    } else {
        scene.showMessage("Здесь уже не берег:\nподнимите персонажа выше"_cp);
    }
}

void renumberRuleCell(int32_t& cell, int deleted, int moved) {
    if (cell == deleted) {
        cell = -1;
    } else if (cell == moved) {
        cell = deleted;
    }
}

}  // namespace

scene::CharacterPicture* addCharacter(EditorSession& session, PalettePicture* source) {
    puzzle::Task& task = session.task;
    if (task.characterCount >= model::kMaxCharacters || task.characterCount < 0) return nullptr;
    const int index = task.characterCount;
    auto* item = new scene::CharacterPicture(source->x, source->y, nullptr);
    item->width = source->width;
    item->height = source->height;
    item->texture = source->texture;
    item->tintMask = source->tintMask;
    item->nameHash = source->nameHash;
    item->colour = source->colour;
    item->hoverColour = 0xFFF0F000;
    item->activeColour = source->colour - 0x7F000000u;
    item->id = index;
    EditorSession* owner = &session;
    item->onDragStart = [owner](ui::DragDropItem* dragged, int, int) {
        return onEditorDragStart(*owner, dragged);
    };
    item->onDrop = [owner](ui::DragDropItem* dropped, int x, int y) {
        onEditorDrop(*owner, dropped, x, y);
    };
    item->onDragOver = [owner](ui::DragDropItem*, ui::VisualItem* other, int x, int y) {
        return onEditorDragOver(*owner, other, x, y);
    };

    CharacterRecord& record = task.characters[static_cast<size_t>(index)];
    record = CharacterRecord{};
    record.item = item;
    record.smallPicture = source->smallTexture;
    record.smallTintMask = source->smallTintMask;
    record.weight = source->weight;
    record.name = source->path;
    return item;
}

scene::CharacterPicture* makeEditorCharacter(EditorSession& session, PalettePicture* source) {
    scene::CharacterPicture* item = addCharacter(session, source);
    if (item != nullptr) ++session.task.characterCount;
    return item;
}

void deleteCharacter(puzzle::Task& task, int index) {
    if (index < 0 || index >= task.characterCount) return;
    ui::releaseHotItem();
    CharacterRecord& record = task.characters[static_cast<size_t>(index)];
    // The picture belongs to the palette.
    record.item->texture = nullptr;
    delete record.item;

    const int last = task.characterCount - 1;
    --task.characterCount;
    if (index != last) {
        record = std::move(task.characters[static_cast<size_t>(last)]);
        record.item->id = index;
    }
    task.characters[static_cast<size_t>(last)] = CharacterRecord{};

    for (int r = 0; r < task.ruleCount; ++r) {
        RuleRecord& rule = task.rules[static_cast<size_t>(r)];
        const int moved = index != last ? last : -2;
        renumberRuleCell(rule.first, index, moved);
        renumberRuleCell(rule.second, index, moved);
        renumberRuleCell(rule.third, index, moved);
    }
}

bool onEditorDragStart(EditorSession& session, ui::DragDropItem* item) {
    session.grab.x = item->x;
    session.grab.y = item->y;
    return true;
}

bool onEditorDragOver(const EditorSession& session, ui::VisualItem* other, int x, int y) {
    // A character passes over the wizard's buttons to what lies below them.
    const EditorItems& items = session.items;
    if (items.ruleList != nullptr && other == items.ruleList) {
        int row = -1;
        int column = -1;
        ruleCellAt(items.ruleList, x, y, &row, &column);
        return true;
    }
    return other != items.backButton && other != items.nextButton;
}

void onEditorDrop(EditorSession& session, ui::DragDropItem* item, int x, int y) {
    puzzle::Task& task = session.task;
    const int index = item->id;
    if (index < 0 || index >= task.characterCount) return;

    int row = -1;
    int column = -1;
    if (ruleCellUnder(session, x, y, &row, &column) && column >= 1) {
        putBack(session, item);
        if (row == task.ruleCount) {
            RuleListBox* rules = session.items.ruleList;
            if (rules == nullptr || !rules->appendRule()) return;
        }
        if (row < 0 || row >= task.ruleCount) return;
        RuleRecord& rule = task.rules[static_cast<size_t>(row)];
        if (column == 1) rule.first = index;
        if (column == 2) rule.second = index;
        if (column == 3) rule.third = index;
        return;
    }

    CharacterRecord& record = task.characters[static_cast<size_t>(index)];
    const bool onBanks = y >= kZoneTop && y <= kZoneBottom && !onWoodPanel(session.scene, x, y);
    if (onBanks && x < kLeftZoneEnd) {
        record.leftX = item->x;
        record.leftY = item->y;
        return;
    }
    if (onBanks && x > kRightZoneStart) {
        record.rightX = item->x;
        record.rightY = item->y;
        return;
    }
    // Looking for a goal place, a teacher who misses the right bank (into the river, onto
    // the panel, past its edge) keeps the character and learns why it went back.
    if (session.step == GoalPlacesStep && (x > kRightZoneStart || onBanks)) {
        putBack(session, item);
        explainMissedBank(session.scene, x, y);
        return;
    }
    if (onBanks) {
        putBackOrDelete(session, item);
        return;
    }

    const bool rulesStep = session.step == RulesStep;
    if (!rulesStep && task.ruleCount == 0) {
        deleteCharacter(task, index);
    } else {
        putBackOrDelete(session, item);
    }
}

}  // namespace editor
