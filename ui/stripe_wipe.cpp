#include "ui/stripe_wipe.hpp"

#include "ui/resources.hpp"

namespace ui {

StripeWipe::StripeWipe(uint32_t colour_) : VisualItem(0, 0, 1024, 768), colour(colour_) {}

void StripeWipe::draw() {
    if (stripe == 0) {
        clearRect(0, 0, 1024, 768, colour);
        return;
    }
    const int step = stripe > 0 ? stripe : -stripe;
    const int thickness = stripe > 0 ? 1 : step - 1;
    for (int row = y; row < y + height; row += step) {
        clearRect(x, row, x + width, row + thickness, colour);
    }
}

}  // namespace ui
