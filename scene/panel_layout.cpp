#include "scene/panel_layout.hpp"

#include <utility>

#include "scene/screen_items.hpp"

namespace scene {

using ui::Button;

namespace {

constexpr int kListLeft = 47;
constexpr int kListTop = 46;
constexpr int kListWidthLoss = 100;
constexpr int kListHeightLoss = 135;
constexpr int kListHeightLossWithoutButtons = 102;
constexpr int kButtonRowFromBottom = 89;
constexpr int kButtonWidth = 105;
constexpr int kButtonHeight = 33;
constexpr int kButtonSpacing = 107;

Box list(int heightLoss) {
    return {screenItems.woodPanel->x + kListLeft, screenItems.woodPanel->y + kListTop,
            screenItems.woodPanel->width - kListWidthLoss, screenItems.woodPanel->height - heightLoss};
}

}  // namespace

Box panelList() { return list(kListHeightLoss); }

Box panelListWithoutButtons() { return list(kListHeightLossWithoutButtons); }

Button* makePanelButton(int index, std::string text, std::function<void(Button*)> onClick) {
    auto* button =
        new Button(screenItems.woodPanel->x + kListLeft + kButtonSpacing * index,
                   screenItems.woodPanel->y + screenItems.woodPanel->height - kButtonRowFromBottom,
                   kButtonWidth, kButtonHeight, std::move(text));
    button->overlayColours = {0x33FFFFFF, 0x60FFFFFF, 0x60FFFF00};
    button->onClick = std::move(onClick);
    return button;
}

}  // namespace scene
