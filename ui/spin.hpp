// A number with a decrease and an increase arrow; holding an arrow repeats after 450 ms
// and then every 50 ms.
#pragma once

#include <cstdint>
#include <functional>

#include "ui/graphics_item.hpp"

namespace ui {

class Spin : public GraphicsItem {
public:
    // The picture holds four frames: decrease, increase, decrease pressed, increase pressed.
    Spin(int x, int y, int length, const char* path, int value, int minimum, int maximum);
    void draw() override;
    // Held, it steps on by itself.
    std::optional<uint32_t> nextChange(uint32_t since) const override;
    bool hitTest(int px, int py) override;
    void mouseDown(int px, int py) override;
    void mouseUp(int px, int py) override;
    void mouseMove(int px, int py) override;
    void hoverEnter() override;
    void hoverLeave() override;

    // 0 none, 1 the decrease arrow, 2 the increase arrow.
    int partAt(int px, int py) const;

    int32_t pressedPart = 0;
    int32_t vertical = 0;
    int32_t length;
    int32_t value, minimum, maximum;
    int32_t step = 1;
    uint32_t textColour = kPaleYellow;
    uint32_t nextRepeat = 0;
    std::function<void(Spin*)> onChange;

private:
    void doStep();
};

}  // namespace ui
