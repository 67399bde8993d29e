// The boat's load against its capacity, shown under the boat while a task whose
// characters have weights is played; a task where everyone weighs 1 counts seats instead
// and shows nothing.
#pragma once

#include "scene/scene.hpp"
#include "ui/text_item.hpp"

namespace puzzle {

struct Task;

// True when some character weighs other than 1.
bool taskHasWeights(const Task& task);

// Shows the load of `task`'s boat.
class BoatLoadLabel : public ui::TextItem {
public:
    explicit BoatLoadLabel(const Task& task);
    void draw() override;

private:
    const Task& task_;
};

// Says why a character dropped on the boat did not board; `weight` is its weight.
void explainRefusedBoarding(scene::Scene& scene, const Task& task, int weight);

}  // namespace puzzle
