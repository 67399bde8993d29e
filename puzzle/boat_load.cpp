#include "puzzle/boat_load.hpp"

#include <cstdio>

#include "puzzle/play.hpp"
#include "puzzle/task.hpp"
#include "scene/scene.hpp"
#include "ui/cp1251.hpp"
#include "ui/shell.hpp"

namespace puzzle {

using namespace ui;
using namespace scene;

bool taskHasWeights(const Task& task) {
    for (int i = 0; i < task.characterCount; ++i) {
        if (task.characters[static_cast<size_t>(i)].weight != 1) return true;
    }
    return false;
}

BoatLoadLabel::BoatLoadLabel(const Task& task)
    : TextItem(0, 0, 0, 0, "", ui::shell().fonts.small, 0xFFFFFFFF), task_(task) {}

void BoatLoadLabel::draw() {
    const Task& task = task_;
    if (task.boat == nullptr || !taskHasWeights(task)) return;
    // Assigned in place: the text keeps its room from frame to frame.
    char load[48];
    std::snprintf(load, sizeof load, "%s%d%s%d", "Груз: "_cp, passengerWeight(task), " из "_cp,
                  task.boatSettings.capacity);
    text.assign(load);
    // Above the passengers' heads (below the boat the messages rise), following the
    // boat across the river.
    x = task.boat->x;
    y = task.boat->y - 36;
    width = task.boat->width;
    height = 24;
    // Over grass, sand and water alike: an outline keeps it readable.
    drawOutlinedText(font, text.c_str(), Rect{x, y, x + width, y + height}, format, colour);
}

void explainRefusedBoarding(scene::Scene& scene, const Task& task, int weight) {
    if (taskHasWeights(task)) {
        scene.showMessage("Лодка не выдержит: груз был бы "_cp +
                          std::to_string(passengerWeight(task) + weight) + ", а можно не больше "_cp +
                          std::to_string(task.boatSettings.capacity));
    } else {
        scene.showMessage("В лодке больше нет места"_cp);
    }
}

}  // namespace puzzle
