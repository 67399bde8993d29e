#include "ui/frame.hpp"

#include "platform/edit_box.hpp"
#include "platform/graphics.hpp"
#include "ui/shell.hpp"
#include "ui/visual_item.hpp"

namespace ui {

void renderFrame() {
    platform::Graphics& g = platform::graphics();
    g.clear(0xFF000000);
    drawItems();
    platform::drawEditBoxes(g);
    g.present();
    if (const std::function<void()>& observer = shell().frameObserver) observer();
}

}  // namespace ui
