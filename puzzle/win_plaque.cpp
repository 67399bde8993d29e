#include "puzzle/win_plaque.hpp"

#include <cstdio>
#include <string>

#include "ui/cp1251.hpp"
#include "ui/resources.hpp"
#include "ui/shell.hpp"
#include "ui/text_item.hpp"

namespace puzzle {

using namespace ui;

namespace {

constexpr int kOffsetX = 6, kOffsetY = 140;  // from the card's top-left corner

void openNext(const WinPlaque& plaque) {
    // Copied: opening the task closes the play screen and this plaque with it.
    const std::string path = plaque.nextPath;
    const std::function<void(const std::string&)> open = plaque.nextTask.open;
    if (open && !path.empty()) open(path);
}

// The last item of the card's own chain (the close button) is where the plaque hangs.
VisualItem* chainEnd(VisualItem* item, VisualItem* stopAt) {
    while (item->attached != nullptr && item->attached != stopAt) item = item->attached;
    return item;
}

}  // namespace

const std::string& winPlaqueText(const WinPlaque& plaque) { return plaque.text->text; }

void buildWinPlaque(WinPlaque& plaque, DragDropItem* card, NextTask next) {
    plaque = WinPlaque{};
    plaque.card = card;
    plaque.nextTask = std::move(next);
    const int x = card->x + kOffsetX, y = card->y + kOffsetY;
    plaque.picture = new GraphicsItem(x, y, "textures/winner_plaque.tga");
    plaque.text = new TextItem(x + 8, y + 8, 192, 60, "", shell().fonts.small, 0xFF6D4C00);
    plaque.next = new PressablePicture(x + 24, y + 70, "textures/btn_next.tga");
    plaque.next->colour = 0xE6FFFFFF;
    plaque.next->hoverColour = 0xFFFFFFFF;
    plaque.next->onClick = [owner = &plaque](PressablePicture*) { openNext(*owner); };
    plaque.picture->visible = plaque.text->visible = plaque.next->visible = false;
}

void closeWinPlaque(WinPlaque& plaque) {
    if (plaque.card != nullptr) chainEnd(plaque.card, plaque.picture)->attached = nullptr;
    delete plaque.picture;
    delete plaque.text;
    delete plaque.next;
    plaque = WinPlaque{};
}

void prepareWinPlaque(WinPlaque& plaque, int crossings, std::optional<int> shortest, int hints,
                      const std::string& played) {
    if (plaque.card == nullptr) return;
    std::string lines;
    char line[64];
    if (shortest) {
        std::snprintf(line, sizeof line, "%s%d", "Кратчайшее решение: "_cp, *shortest);
        lines += line;
        lines += crossings <= *shortest ? "\r\nБыстрее не бывает!"_cp : "\r\nМожно и быстрее!"_cp;
    } else {
        // Won, so it has a solution: the search for the shortest was too large to finish.
        lines += "Кратчайшее решение\r\nнеизвестно"_cp;
    }
    if (hints > 0) {
        std::snprintf(line, sizeof line, "%s%s%d", lines.empty() ? "" : "\r\n", "Подсказок: "_cp, hints);
        lines += line;
    }
    plaque.text->text = lines;

    plaque.nextPath = plaque.nextTask.find && plaque.nextTask.open ? plaque.nextTask.find(played) : "";
    const bool withNext = !plaque.nextPath.empty();
    // Without the button the text has the whole plaque.
    plaque.text->height = withNext ? 60 : 86;
    VisualItem* end = chainEnd(plaque.card, plaque.picture);
    end->attached = nullptr;
    plaque.picture->visible = plaque.text->visible = plaque.next->visible = false;
    if (lines.empty() && !withNext) return;
    end->attached = plaque.picture;
    plaque.picture->attached = plaque.text;
    plaque.text->attached = withNext ? plaque.next : nullptr;
    plaque.next->attached = nullptr;
    // The card may have been dragged since the plaque was placed.
    const int x = plaque.card->x + kOffsetX, y = plaque.card->y + kOffsetY;
    plaque.picture->moveTo(x, y);
    plaque.text->moveTo(x + 8, y + 8);
    plaque.next->moveTo(x + 24, y + 70);
}

}  // namespace puzzle
