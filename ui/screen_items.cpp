#include "ui/screen_items.hpp"

#include <array>
#include <utility>

#include "platform/edit_box.hpp"
#include "platform/graphics.hpp"
#include "ui/animation.hpp"

namespace ui {

ScreenItems screenItems;

void forgetScreenItems() { screenItems = {}; }

void showMessage(const char* text) {
    if (screenItems.messagePopup != nullptr) screenItems.messagePopup->show(text);
}

void hideMessage() {
    if (screenItems.messagePopup != nullptr) screenItems.messagePopup->visible = false;
}

void (*frameObserver)() = nullptr;

void renderFrame() {
    platform::Graphics& g = platform::graphics();
    g.clear(0xFF000000);
    drawItems();
    platform::drawEditBoxes(g);
    g.present();
    if (frameObserver != nullptr) frameObserver();
}

namespace {

template <size_t N>
void wipe(const std::array<int, N>& stripes) {
    Animation a;
    a.periodMs = 50;
    a.hasFrame = [](int frame) { return frame < static_cast<int>(N); };
    a.showFrame = [stripes](int frame) {
        screenItems.wipeShader->stripe = stripes[static_cast<size_t>(frame)];
    };
    animate(std::move(a));
}

}  // namespace

void closeBlinds() {
    if (screenItems.wipeShader == nullptr) return;
    itemList.inputArmed = false;
    screenItems.wipeShader->visible = true;
    bringToFront(screenItems.wipeShader);
    wipe(std::array{16, 8, 4, 2, -4, -8, -16, 0});
    afterAnimations([] { itemList.inputArmed = true; });
}

void openBlinds() {
    if (screenItems.wipeShader == nullptr) return;
    itemList.inputArmed = false;
    // The new screen's items were made above the shader; keep them under the stripes.
    screenItems.wipeShader->visible = true;
    bringToFront(screenItems.wipeShader);
    wipe(std::array{-16, -8, -4, 2, 4, 8, 16});
    afterAnimations([] {
        screenItems.wipeShader->visible = false;
        itemList.inputArmed = true;
    });
}

void attachToPanel(VisualItem* element) { attachAfter(screenItems.woodPanel, element); }

void detachPanelItems() {
    screenItems.woodPanel->visible = false;
    // The arrows belong to the list that is going; the next list shows them as it needs.
    screenItems.upArrow->visible = false;
    screenItems.downArrow->visible = false;
    while (screenItems.woodPanel->attached != nullptr &&
           screenItems.woodPanel->attached != screenItems.upArrow)
        detachFirst(screenItems.woodPanel);
}

}  // namespace ui
