// A rectangle that flies from the item's own rectangle to a target with a fading trail,
// holds there, and vanishes until the next period; used to point at things.
#pragma once

#include <cstdint>
#include <functional>

#include "ui/visual_item.hpp"

namespace ui {

class FlyingHighlight : public VisualItem {
public:
    FlyingHighlight(int x, int y, int targetX, int targetY, int targetWidth, int targetHeight,
                    uint32_t colour);
    void draw() override;
    std::optional<uint32_t> nextChange(uint32_t since) const override;
    // Start point, target, raised to the top, restarted now (+delay), shown.
    void fly(int fromX, int fromY, int toX, int toY, int toWidth, int toHeight, uint32_t delay = 0);

    int targetX, targetY, targetWidth, targetHeight;
    uint32_t colour;
    uint32_t startTime;
    uint32_t period = 10000;
    uint32_t travelTime = 700;
    uint32_t holdTime = 300;
    bool fired = false;
    std::function<void(FlyingHighlight*)> onCycleEnd;

    // The outlines of one moment t (ms into the cycle, t <= travel + hold): the leading
    // frame and up to five fainter ones behind it. Returns how many were written.
    struct Frame {
        int left, top, right, bottom;
        uint32_t colour;
    };
    int framesAt(uint32_t t, Frame out[6]) const;

private:
    Frame frameAt(float p, uint32_t frameColour) const;
};

}  // namespace ui
