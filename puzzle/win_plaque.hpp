// The plaque under the winner picture: the shortest count for the task with praise or a
// nudge, the hints used, and the button to the next task not solved yet.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "ui/drag_drop_item.hpp"
#include "ui/graphics_item.hpp"
#include "ui/pressable_picture.hpp"
#include "ui/text_item.hpp"

namespace puzzle {

// Where the plaque's button leads: the next task to offer after solving the one read from
// `current` (empty: none), and how to open it. Either empty: no button.
struct NextTask {
    std::function<std::string(const std::string& current)> find;
    std::function<void(const std::string& path)> open;
};

// The plaque's items and where its button leads; null while no task is played.
struct WinPlaque {
    ui::DragDropItem* card = nullptr;
    ui::GraphicsItem* picture = nullptr;
    ui::TextItem* text = nullptr;
    ui::PressablePicture* next = nullptr;
    std::string nextPath;
    NextTask nextTask;
};

// Made hidden with the play screen; `card` is the winner picture it hangs from.
void buildWinPlaque(WinPlaque& plaque, ui::DragDropItem* card, NextTask next);
void closeWinPlaque(WinPlaque& plaque);
// Before the winner picture shows: writes the plaque and hangs it on the card's chain,
// or leaves it off when it would be empty. `played` is the file the task came from.
void prepareWinPlaque(WinPlaque& plaque, int crossings, std::optional<int> shortest, int hints,
                      const std::string& played);

// What the plaque says, lines broken by CR LF.
const std::string& winPlaqueText(const WinPlaque& plaque);

}  // namespace puzzle
