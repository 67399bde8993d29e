#include "ui/screen_items.hpp"

#include "platform/edit_box.hpp"
#include "platform/graphics.hpp"
#include "platform/system.hpp"

namespace ui {

GraphicsItem* background = nullptr;
TextItem* titleLabel = nullptr;
TextItem* statementLabel = nullptr;
Shader* wipeShader = nullptr;
PopupMessage* messagePopup = nullptr;
WoodPanel* woodPanel = nullptr;
UIElement* upArrow = nullptr;
UIElement* downArrow = nullptr;
RectTrail* bankHighlight = nullptr;
std::array<Button*, 2> screenButtons{};

void forgetScreenItems() {
    background = nullptr;
    titleLabel = nullptr;
    statementLabel = nullptr;
    wipeShader = nullptr;
    messagePopup = nullptr;
    woodPanel = nullptr;
    upArrow = nullptr;
    downArrow = nullptr;
    bankHighlight = nullptr;
    screenButtons.fill(nullptr);
}

void showMessage(const char* text) {
    if (messagePopup != nullptr) messagePopup->show(text);
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
        wipeShader->stripe = stripe;
        renderFrame();
        pacer.wait();
    }
}

}  // namespace

void closeBlinds() {
    if (wipeShader == nullptr) return;
    inputArmed = false;
    wipeShader->visible = true;
    bringToFront(wipeShader);
    wipe({16, 8, 4, 2, -4, -8, -16, 0});
    inputArmed = true;
}

void openBlinds() {
    if (wipeShader == nullptr) return;
    inputArmed = false;
    // The new screen's items were made above the shader; keep them under the stripes.
    wipeShader->visible = true;
    bringToFront(wipeShader);
    wipe({-16, -8, -4, 2, 4, 8, 16});
    wipeShader->visible = false;
    inputArmed = true;
}

void attachToPanel(VisualItem* element) { attachAfter(woodPanel, element); }

void detachPanelItems() {
    woodPanel->visible = false;
    // The arrows belong to the list that is going; the next list shows them as it needs.
    upArrow->visible = false;
    downArrow->visible = false;
    while (woodPanel->attached != nullptr && woodPanel->attached != upArrow) detachFirst(woodPanel);
}

}  // namespace ui
