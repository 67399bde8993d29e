#include "ui/screen_items.hpp"

#include "platform/edit_box.hpp"
#include "platform/graphics.hpp"
#include "platform/system.hpp"

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

void wipe(std::initializer_list<int> stripes) {
    platform::FramePacer pacer(50);
    for (int stripe : stripes) {
        screenItems.wipeShader->stripe = stripe;
        renderFrame();
        pacer.wait();
    }
}

}  // namespace

void closeBlinds() {
    if (screenItems.wipeShader == nullptr) return;
    itemList.inputArmed = false;
    screenItems.wipeShader->visible = true;
    bringToFront(screenItems.wipeShader);
    wipe({16, 8, 4, 2, -4, -8, -16, 0});
    itemList.inputArmed = true;
}

void openBlinds() {
    if (screenItems.wipeShader == nullptr) return;
    itemList.inputArmed = false;
    // The new screen's items were made above the shader; keep them under the stripes.
    screenItems.wipeShader->visible = true;
    bringToFront(screenItems.wipeShader);
    wipe({-16, -8, -4, 2, 4, 8, 16});
    screenItems.wipeShader->visible = false;
    itemList.inputArmed = true;
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
