#include "ui/rect_trail.hpp"

#include "platform/system.hpp"
#include "ui/resources.hpp"

namespace ui {

RectTrail::RectTrail(int x_, int y_, int targetX_, int targetY_, int targetWidth_,
                     int targetHeight_, uint32_t colour_)
    : VisualItem(x_, y_, 0, 0), targetX(targetX_), targetY(targetY_), targetWidth(targetWidth_),
      targetHeight(targetHeight_), colour(colour_), startTime(platform::tickCount()) {}

void RectTrail::fly(int fromX, int fromY, int toX, int toY, int toWidth, int toHeight,
                    uint32_t delay) {
    x = fromX;
    y = fromY;
    targetX = toX;
    targetY = toY;
    targetWidth = toWidth;
    targetHeight = toHeight;
    bringToFront(this);
    startTime = platform::tickCount() + delay;
    visible = true;
}

void RectTrail::drawFrame(float p, uint32_t frameColour) {
    if (p >= 1.0f) {
        drawOutline(targetX, targetY, targetX + targetWidth, targetY + targetHeight, frameColour);
        return;
    }
    const int left = static_cast<int>(p * static_cast<float>(targetX - x) + static_cast<float>(x));
    const int top = static_cast<int>(p * static_cast<float>(targetY - y) + static_cast<float>(y));
    const int right = static_cast<int>(
        p * static_cast<float>((targetX + targetWidth) - (x + width)) + static_cast<float>(x + width));
    const int bottom = static_cast<int>(p * static_cast<float>((targetY + targetHeight) - (y + height)) +
                                        static_cast<float>(y + height));
    drawOutline(left, top, right, bottom, frameColour);
}

void RectTrail::draw() {
    const uint32_t sinceStart = platform::tickCount() - startTime;
    // A flight started with a delay waits for its start; taken modulo the period the
    // negative time would look like a finished cycle and end the flight unseen.
    if (static_cast<int32_t>(sinceStart) < 0) return;
    const uint32_t t = sinceStart % (period == 0 ? 1 : period);
    if (t > travelTime + holdTime) {
        if (onCycleEnd != nullptr && !fired) {
            fired = true;
            onCycleEnd(this);
        }
        return;
    }
    fired = false;
    float p = static_cast<float>(t) / static_cast<float>(travelTime == 0 ? 1 : travelTime);
    drawFrame(p, colour);
    uint32_t alpha = colour >> 24;
    for (int i = 0; i < 5; ++i) {
        if (p < 0.03f) break;
        p -= 0.03f;
        alpha = alpha * 5 / 6;
        drawFrame(p, (colour & 0x00FFFFFF) | (alpha << 24));
    }
}

}  // namespace ui
