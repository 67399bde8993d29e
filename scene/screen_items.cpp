#include "scene/screen_items.hpp"

#include <array>
#include <utility>

#include "platform/types.hpp"
#include "scene/river.hpp"
#include "ui/animation.hpp"
#include "ui/resources.hpp"

namespace scene {

using namespace ui;

namespace {

// The colour the wipe's stripes share with the pictures' see-through key.
constexpr uint32_t kWipeColour = 0xFF164000;
constexpr uint32_t kPopupColour = 0xFF00FF00;
// The board lets a little of the river through.
constexpr uint32_t kPanelColour = 0xCCFFFFFF;
// The scroll arrows on the board's right edge, from the board's corner.
constexpr int kArrowsX = 138, kUpArrowY = 9, kDownArrowY = 389;

template <size_t N>
void wipe(const std::array<int, N>& stripes) {
    Animation a;
    a.periodMs = 50;
    a.hasFrame = [](int frame) { return frame < static_cast<int>(N); };
    a.showFrame = [stripes](int frame) {
        screenItems.wipe->stripe = stripes[static_cast<size_t>(frame)];
    };
    animate(std::move(a));
}

PressablePicture* makePanelArrow(int y, const char* path) {
    auto* arrow = new PressablePicture(kPanelX + kArrowsX, kPanelY + y, path);
    arrow->hoverColour = 0xFFFFFFFF;
    arrow->visible = false;
    return arrow;
}

}  // namespace

ScreenItems screenItems;

void buildScreenItems() {
    screenItems.background = new GraphicsItem(0, 0, "textures/background.tga");
    screenItems.titleLabel = new TextItem(kTitle.x, kTitle.y, "", fonts.large, 0xFFFFFFFF);
    // A long title ends in "…" before the panel instead of running under it.
    screenItems.titleLabel->width = kTitle.width;
    screenItems.titleLabel->format = platform::TextFormat::SingleLine |
                                     platform::TextFormat::EndEllipsis | platform::TextFormat::NoClip;
    screenItems.statementLabel = new TextItem(kStatement.x, kStatement.y, kStatement.width,
                                              kStatement.height, "", fonts.small, kPaleYellow);
    screenItems.statementLabel->format = platform::TextFormat::WordBreak | platform::TextFormat::NoClip;
    screenItems.wipe = new StripeWipe(kWipeColour);
    screenItems.wipe->visible = false;
    screenItems.messagePopup = new PopupMessage(fonts.medium, kPopupColour);
    screenItems.woodPanel = new WoodPanel(kPanelX, kPanelY, "textures/woodpanel.tga");
    screenItems.woodPanel->colour = screenItems.woodPanel->hoverColour =
        screenItems.woodPanel->activeColour = kPanelColour;
    screenItems.woodPanel->visible = false;
    screenItems.upArrow = makePanelArrow(kUpArrowY, "textures/list_uparrow.tga");
    screenItems.downArrow = makePanelArrow(kDownArrowY, "textures/list_downarrow.tga");
    screenItems.bankHighlight = new FlyingHighlight(0, 0, 0, 0, 0, 0, 0xFFFFFF00);
    screenItems.bankHighlight->visible = false;

    screenItems.woodPanel->attached = screenItems.upArrow;
    screenItems.upArrow->attached = screenItems.downArrow;
    screenItems.downArrow->attached = screenItems.bankHighlight;
}

void forgetScreenItems() { screenItems = {}; }

void showMessage(std::string text) {
    if (screenItems.messagePopup != nullptr) screenItems.messagePopup->show(std::move(text));
}

void hideMessage() {
    if (screenItems.messagePopup != nullptr) screenItems.messagePopup->visible = false;
}

void closeBlinds() {
    if (screenItems.wipe == nullptr) return;
    itemList.inputArmed = false;
    screenItems.wipe->visible = true;
    bringToFront(screenItems.wipe);
    wipe(std::array{16, 8, 4, 2, -4, -8, -16, 0});
    afterAnimations([] { itemList.inputArmed = true; });
}

void openBlinds() {
    if (screenItems.wipe == nullptr) return;
    itemList.inputArmed = false;
    // The new screen's items were made above the wipe; keep them under the stripes.
    screenItems.wipe->visible = true;
    bringToFront(screenItems.wipe);
    wipe(std::array{-16, -8, -4, 2, 4, 8, 16});
    afterAnimations([] {
        screenItems.wipe->visible = false;
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

}  // namespace scene
