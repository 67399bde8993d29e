// The press, hover and click behaviour every clickable item shares: under the mouse it is
// hovered and shows the hand, held down it stays pressed while the pointer is on it, and
// a release on it is a click.
#pragma once

#include <cstdint>
#include <functional>

#include "ui/animation.hpp"
#include "ui/resources.hpp"
#include "ui/visual_item.hpp"

namespace ui {

// Kept as a plain number: a button's overlay colours are indexed by it.
enum PressState : int32_t { Idle = 0, Hovered = 1, Pressed = 2 };

// Base is the item class the clickable one grows from, Self the clickable class itself,
// which its click handler receives.
template <class Base, class Self>
class Pressable : public Base {
public:
    using Base::Base;

    bool hitTest(int px, int py) override { return containsPoint(this, px, py); }
    void mouseDown(int, int) override { state = Pressed; }
    void mouseMove(int px, int py) override { state = containsPoint(this, px, py) ? Pressed : Hovered; }
    void mouseUp(int px, int py) override {
        if (!containsPoint(this, px, py)) return;
        click();
        // The click may have destroyed this item; only the framework state is touched now,
        // or once what the click set going has played (the item looks pressed meanwhile).
        afterAnimations(releaseHotItem);
    }
    void hoverEnter() override {
        state = Hovered;
        setCursor(CursorKind::Hand);
    }
    void hoverLeave() override {
        state = Idle;
        setCursor(CursorKind::Arrow);
    }

    int32_t state = Idle;
    // May capture what it acts on; it may destroy the item it belongs to.
    std::function<void(Self*)> onClick;

protected:
    // What a click does before the hot item is let go.
    virtual void click() {
        if (onClick) onClick(static_cast<Self*>(this));
    }
};

}  // namespace ui
