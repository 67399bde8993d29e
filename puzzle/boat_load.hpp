// The boat's load against its capacity, shown under the boat while a task whose
// characters have weights is played; a task where everyone weighs 1 counts seats instead
// and shows nothing.
#pragma once

#include "scene/scene.hpp"
#include "ui/text_item.hpp"

namespace puzzle {

// True when some character weighs other than 1.
bool taskHasWeights();

class BoatLoadLabel : public ui::TextItem {
public:
    BoatLoadLabel();
    void draw() override;
};

// Says why a character dropped on the boat did not board; `weight` is its weight.
void explainRefusedBoarding(scene::Scene& scene, int weight);

}  // namespace puzzle
