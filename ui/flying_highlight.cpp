#include "ui/flying_highlight.hpp"

#include "platform/system.hpp"
#include "ui/resources.hpp"

namespace ui {

FlyingHighlight::FlyingHighlight(int x_, int y_, int targetX_, int targetY_, int targetWidth_,
                                 int targetHeight_, uint32_t colour_)
    : VisualItem(x_, y_, 0, 0),
      targetX(targetX_),
      targetY(targetY_),
      targetWidth(targetWidth_),
      targetHeight(targetHeight_),
      colour(colour_),
      startTime(platform::tickCount()) {}

void FlyingHighlight::fly(int fromX, int fromY, int toX, int toY, int toWidth, int toHeight,
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

FlyingHighlight::Frame FlyingHighlight::frameAt(float p, uint32_t frameColour) const {
    if (p >= 1.0f) {
        return {targetX, targetY, targetX + targetWidth, targetY + targetHeight, frameColour};
    }
    // Each edge moves in a straight line from the start rectangle to the target.
    auto along = [p](int from, int to) {
        return static_cast<int>(p * static_cast<float>(to - from) + static_cast<float>(from));
    };
    return {along(x, targetX), along(y, targetY), along(x + width, targetX + targetWidth),
            along(y + height, targetY + targetHeight), frameColour};
}

int FlyingHighlight::framesAt(uint32_t t, Frame out[6]) const {
    float p = static_cast<float>(t) / static_cast<float>(travelTime == 0 ? 1 : travelTime);
    int count = 0;
    out[count++] = frameAt(p, colour);
    uint32_t alpha = colour >> 24;
    for (int i = 0; i < 5; ++i) {
        if (p < 0.03f) break;
        p -= 0.03f;
        alpha = alpha * 5 / 6;
        out[count++] = frameAt(p, (colour & 0x00FFFFFF) | (alpha << 24));
    }
    return count;
}

std::optional<uint32_t> FlyingHighlight::nextChange(uint32_t since) const {
    const uint32_t sinceStart = since - startTime;
    if (static_cast<int32_t>(sinceStart) < 0) return startTime;
    const uint32_t cycle = period == 0 ? 1 : period;
    const uint32_t t = sinceStart % cycle;
    // Flying, and once more as the flight reaches its place.
    if (t <= travelTime) return since;
    const uint32_t cycleStart = since - t;
    if (t <= travelTime + holdTime) return cycleStart + travelTime + holdTime + 1;
    // The cycle's end is told when a frame is drawn past it; then it rests till the next.
    if (!fired) return since;
    return cycleStart + cycle;
}

void FlyingHighlight::draw() {
    const uint32_t sinceStart = platform::tickCount() - startTime;
    // A flight started with a delay waits for its start; taken modulo the period the
    // negative time would look like a finished cycle and end the flight unseen.
    if (static_cast<int32_t>(sinceStart) < 0) return;
    const uint32_t t = sinceStart % (period == 0 ? 1 : period);
    if (t > travelTime + holdTime) {
        if (onCycleEnd && !fired) {
            fired = true;
            onCycleEnd(this);
        }
        return;
    }
    fired = false;
    Frame frames[6];
    const int count = framesAt(t, frames);
    for (int i = 0; i < count; ++i) {
        drawOutline(frames[i].left, frames[i].top, frames[i].right, frames[i].bottom, frames[i].colour);
    }
}

}  // namespace ui
