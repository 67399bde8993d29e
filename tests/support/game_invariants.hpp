// What must hold between any two input messages, whatever the user did: the item list is
// whole, every item the game still points at is alive, play's characters stand on a bank
// or in the boat, the recorded moves replay to the position shown, and so on. Each check
// answers an empty string or a description of what is wrong.
#pragma once

#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/game.hpp"
#include "app/screen.hpp"
#include "app/screens.hpp"
#include "app/task_catalogue.hpp"
#include "app/task_list_box.hpp"
#include "editor/character_palette.hpp"
#include "editor/rule_list_box.hpp"
#include "editor/task_editor.hpp"
#include "puzzle/move_list_box.hpp"
#include "puzzle/play.hpp"
#include "puzzle/task.hpp"
#include "scene/river.hpp"
#include "scene/scene.hpp"
#include "support/open_screens.hpp"
#include "ui/shell.hpp"
#include "ui/visual_item.hpp"

namespace test {

class Invariants {
public:
    // Runs every check; `buttonHeld` tells whether the left button is down, so that the
    // item being dragged may stand anywhere.
    std::string check(bool buttonHeld) {
        std::string problem = itemList();
        if (problem.empty()) problem = liveSlots();
        if (problem.empty()) problem = boatChain();
        if (problem.empty() && app::screenKind() == app::ScreenKind::Play)
            problem = playPositions(buttonHeld);
        if (problem.empty() && app::screenKind() == app::ScreenKind::Play)
            problem = movesReplay(buttonHeld);
        if (problem.empty() && app::screenKind() == app::ScreenKind::Editor)
            problem = editorPositions(buttonHeld);
        if (problem.empty() && app::screenKind() == app::ScreenKind::None) problem = nothingLeftOver();
        return problem;
    }

    // After a release that reached the game with nothing under the pointer.
    static std::string armedAfterRelease(int x, int y) {
        if (ui::findItemAt(x, y) == nullptr && !ui::shell().items.inputArmed) {
            return describe("the mouse stays disarmed after a release on the background at ", x, y);
        }
        return {};
    }

    // The permanent items alone, counted once the screens are built.
    void rememberPermanentItems() { permanentItems_ = countItems(); }
    size_t itemCount() const { return live_.size(); }

private:
    template <typename... T>
    static std::string describe(T&&... parts) {
        std::ostringstream out;
        (out << ... << parts);
        return out.str();
    }

    static size_t countItems() {
        size_t n = 0;
        for (const ui::VisualItem* i = ui::shell().items.bottom; i != nullptr && n < kMaxItems;
             i = i->next)
            ++n;
        return n;
    }

    // The doubly linked list runs from the bottom item to the top one with matching links, and
    // every attachment chain is finite and made of listed items.
    std::string itemList() {
        const ui::ItemList& list = ui::shell().items;
        live_.clear();
        const ui::VisualItem* previous = nullptr;
        for (const ui::VisualItem* i = list.bottom; i != nullptr; i = i->next) {
            if (i->prev != previous)
                return describe("item list: broken back link at item ", live_.size());
            if (!live_.insert(i).second || live_.size() > kMaxItems) return "item list: a cycle";
            previous = i;
        }
        if (previous != list.top) return "item list: the walk does not end at topItem";
        if (list.hot != nullptr && live_.count(list.hot) == 0) return "hot item is not listed";
        if (list.modalFloor != nullptr && live_.count(list.modalFloor) == 0)
            return "modal floor is not listed";
        for (const ui::VisualItem* i : live_) {
            size_t steps = 0;
            for (const ui::VisualItem* a = i->attached; a != nullptr; a = a->attached) {
                if (live_.count(a) == 0)
                    return "an attachment chain leads to an item that is not listed";
                if (a == i || ++steps > live_.size()) return "an attachment chain has a cycle";
            }
        }
        return {};
    }

    std::string slot(const ui::VisualItem* item, const char* name) const {
        if (item != nullptr && live_.count(item) == 0)
            return describe(name, " points at a destroyed item");
        return {};
    }

    // Everything the screens keep a pointer to is still in the list, so it is never
    // drawn or pressed after its destruction.
    std::string liveSlots() const {
        const scene::Scene& scene = test::scenery();
        std::vector<std::pair<const ui::VisualItem*, const char*>> slots = {
            {scene.background, "background"},
            {scene.titleLabel, "title label"},
            {scene.statementLabel, "statement label"},
            {scene.wipe, "wipe"},
            {scene.messagePopup, "message popup"},
            {scene.woodPanel, "wood panel"},
            {scene.upArrow, "up arrow"},
            {scene.downArrow, "down arrow"},
            {scene.bankHighlight, "bank highlight"},
            {app::game().menu.picture, "main menu"},
            {app::game().menu.roller, "menu roller"},
            {scene.buttons[0], "screen button 0"},
            {scene.buttons[1], "screen button 1"},
            {test::task().boat, "boat"},
            {test::play().moveList, "move list"},
            {test::play().undoButton, "undo button"},
            {test::play().rightArrow, "right arrow"},
            {test::play().leftArrow, "left arrow"},
            {test::play().winner, "winner picture"},
            {test::play().movesText, "moves text"},
            {test::play().closeButton, "winner close button"},
            {test::play().highlightA, "character highlight A"},
            {test::play().highlightB, "character highlight B"},
            {test::editorItems().characterList, "character list"},
            {test::editorItems().ruleList, "rule list"},
            {test::editorItems().stepTitle, "step title"},
            {test::editorItems().stepHint, "step hint"},
            {test::editorItems().backButton, "back button"},
            {test::editorItems().nextButton, "next button"},
            {test::editorItems().boatmanBox, "boatman check box"},
            {test::editorItems().capacitySpin, "capacity spin"},
            {app::currentTaskList(), "task catalogue"}};
        for (const ui::Button* b : app::game().menu.buttons) slots.emplace_back(b, "menu button");
        for (const std::pair<const ui::VisualItem*, const char*>& s : slots) {
            if (std::string p = slot(s.first, s.second); !p.empty()) return p;
        }
        if (test::task().characterCount < 0 || test::task().characterCount > model::kMaxCharacters) {
            return describe("character count ", test::task().characterCount);
        }
        for (int i = 0; i < test::task().characterCount; ++i) {
            const ui::VisualItem* item = test::task().characters[static_cast<size_t>(i)].item;
            if (item == nullptr || live_.count(item) == 0)
                return describe("character ", i, " is not alive");
            if (item->id != i) return describe("character ", i, " has the id ", item->id);
        }
        if (const editor::CharacterPalette* palette = test::editorItems().characterList) {
            for (int e = 0; e < palette->entryCount; ++e) {
                const auto at = static_cast<size_t>(e);
                if (!slot(palette->entryPictures[at], "").empty() ||
                    !slot(palette->weightSpins[at], "").empty() ||
                    !slot(palette->colourBoxes[at], "").empty()) {
                    return describe("palette row ", e, " points at a destroyed widget");
                }
            }
        }
        return {};
    }

    static bool isCharacter(const ui::VisualItem* item) {
        for (int i = 0; i < test::task().characterCount; ++i) {
            if (test::task().characters[static_cast<size_t>(i)].item == item) return true;
        }
        return false;
    }

    // The boat carries only characters (its chain is checked for cycles above).
    std::string boatChain() const {
        if (app::screenKind() != app::ScreenKind::Play || test::task().boat == nullptr) return {};
        for (const ui::VisualItem* p = test::task().boat->attached; p != nullptr; p = p->attached) {
            if (!isCharacter(p)) return "the boat carries something that is not a character";
        }
        return {};
    }

    static bool inBoat(const ui::VisualItem* item) {
        for (const ui::VisualItem* p = test::task().boat->attached; p != nullptr; p = p->attached) {
            if (p == item) return true;
        }
        return false;
    }

    static const ui::VisualItem* dragged(bool buttonHeld) {
        const auto* item = dynamic_cast<const ui::DragDropItem*>(ui::shell().items.hot);
        return buttonHeld && item != nullptr && item->state == 2 ? item : nullptr;
    }

    // -1 / +1 for a character at its left / right place, 0 elsewhere, 2 when both places
    // are the same point.
    static int bankOf(const puzzle::CharacterRecord& c) {
        const bool left = c.item->x == c.leftX && c.item->y == c.leftY;
        const bool right = c.item->x == c.rightX && c.item->y == c.rightY;
        if (left && right) return 2;
        return left ? -1 : (right ? 1 : 0);
    }

    static int boatSide() {
        const ui::VisualItem* boat = test::task().boat;
        if (boat->x == scene::kLeftStationX && boat->y == scene::kLeftStationY) return -1;
        if (boat->x == scene::kRightStationX && boat->y == scene::kRightStationY) return 1;
        return 0;
    }

    std::string playPositions(bool buttonHeld) const {
        if (test::task().boat == nullptr) return "play without a boat";
        if (boatSide() == 0) {
            return describe("the boat stands at (", test::task().boat->x, ", ", test::task().boat->y,
                            "), at neither station");
        }
        const ui::VisualItem* moving = dragged(buttonHeld);
        for (int i = 0; i < test::task().characterCount; ++i) {
            const puzzle::CharacterRecord& c = test::task().characters[static_cast<size_t>(i)];
            if (c.item == moving || inBoat(c.item) || bankOf(c) != 0) continue;
            return describe("character ", i, " stands at (", c.item->x, ", ", c.item->y,
                            "), neither on a bank nor in the boat");
        }
        return {};
    }

    // Replaying the move list from the start gives the position on the screen.
    std::string movesReplay(bool buttonHeld) const {
        const puzzle::MoveListBox* list = test::play().moveList;
        if (list == nullptr) return {};
        std::vector<int> side(static_cast<size_t>(test::task().characterCount), -1);
        int boat = -1;
        for (int m = 0; m < list->moveCount; ++m) {
            const model::MoveData& move = list->moves[static_cast<size_t>(m)];
            const int to = move.direction == 1 ? 1 : -1;
            for (int i = 0; i < test::task().characterCount; ++i) {
                if (move.mask.test(static_cast<size_t>(i))) side[static_cast<size_t>(i)] = to;
            }
            boat = to;
        }
        if (boatSide() != boat)
            return describe("after ", list->moveCount, " moves the boat should be on side ", boat);
        const ui::VisualItem* moving = dragged(buttonHeld);
        for (int i = 0; i < test::task().characterCount; ++i) {
            const puzzle::CharacterRecord& c = test::task().characters[static_cast<size_t>(i)];
            if (c.item == moving) continue;
            const int shown = inBoat(c.item) ? boat : bankOf(c);
            if (shown != 2 && shown != side[static_cast<size_t>(i)]) {
                return describe("after ", list->moveCount, " moves character ", i, " should be on side ",
                                side[static_cast<size_t>(i)], " but is on ", shown);
            }
        }
        return {};
    }

    // Editor characters stand on their start place, their goal place, or have none yet.
    std::string editorPositions(bool buttonHeld) const {
        const ui::VisualItem* moving = dragged(buttonHeld);
        for (int i = 0; i < test::task().characterCount; ++i) {
            const puzzle::CharacterRecord& c = test::task().characters[static_cast<size_t>(i)];
            const bool unplaced = c.leftX == 0 && c.leftY == 0 && c.rightX == 0 && c.rightY == 0;
            if (c.item == moving || unplaced || bankOf(c) != 0) continue;
            return describe("editor character ", i, " stands at (", c.item->x, ", ", c.item->y,
                            "), at neither of its places");
        }
        return {};
    }

    // With no screen open only the permanent items are left.
    std::string nothingLeftOver() const {
        if (permanentItems_ != 0 && live_.size() != permanentItems_) {
            return describe("no screen is open but ", live_.size(), " items exist (", permanentItems_,
                            " permanent)");
        }
        if (test::task().characterCount != 0 || test::task().boat != nullptr)
            return "no screen but a task";
        return {};
    }

    static constexpr size_t kMaxItems = 100000;
    std::set<const ui::VisualItem*> live_;
    size_t permanentItems_ = 0;
};

}  // namespace test
