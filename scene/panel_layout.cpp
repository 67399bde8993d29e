#include "scene/panel_layout.hpp"

#include <utility>

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

Box list(const WoodPanel& panel, int heightLoss) {
    return {panel.x + kListLeft, panel.y + kListTop, panel.width - kListWidthLoss,
            panel.height - heightLoss};
}

}  // namespace

Box panelList(const Scene& scene) { return list(*scene.woodPanel, kListHeightLoss); }

Box panelListWithoutButtons(const Scene& scene) {
    return list(*scene.woodPanel, kListHeightLossWithoutButtons);
}

Button* makePanelButton(const Scene& scene, int index, std::string text,
                        std::function<void(Button*)> onClick) {
    const WoodPanel& panel = *scene.woodPanel;
    auto* button = new Button(panel.x + kListLeft + kButtonSpacing * index,
                              panel.y + panel.height - kButtonRowFromBottom, kButtonWidth, kButtonHeight,
                              std::move(text));
    button->overlayColours = {0x33FFFFFF, 0x60FFFFFF, 0x60FFFF00};
    button->onClick = std::move(onClick);
    return button;
}

}  // namespace scene
