// The screen wipe: rows of the screen overwritten with one colour, without blending.
#pragma once

#include <cstdint>

#include "ui/visual_item.hpp"

namespace ui {

class StripeWipe : public VisualItem {
public:
    explicit StripeWipe(uint32_t colour);
    // stripe > 0: one-pixel lines every `stripe` rows; < 0: bands of |stripe| - 1 rows
    // with one-pixel gaps; 0: everything.
    void draw() override;

    uint32_t colour;
    int32_t stripe = 16;
};

}  // namespace ui
