#include "scene/scene.hpp"

#include <array>
#include <utility>

#include "platform/types.hpp"
#include "scene/river.hpp"
#include "ui/animation.hpp"
#include "ui/resources.hpp"
#include "ui/shell.hpp"

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

PressablePicture* makePanelArrow(int y, const char* path) {
    auto* arrow = new PressablePicture(kPanelX + kArrowsX, kPanelY + y, path);
    arrow->hoverColour = 0xFFFFFFFF;
    arrow->visible = false;
    return arrow;
}

}  // namespace

Scene::Scene() {
    background = new GraphicsItem(0, 0, "textures/background.tga");
    titleLabel = new TextItem(kTitle.x, kTitle.y, "", shell().fonts.large, 0xFFFFFFFF);
    // A long title ends in "…" before the panel instead of running under it.
    titleLabel->width = kTitle.width;
    titleLabel->format = platform::TextFormat::SingleLine | platform::TextFormat::EndEllipsis |
                         platform::TextFormat::NoClip;
    statementLabel = new TextItem(kStatement.x, kStatement.y, kStatement.width, kStatement.height, "",
                                  shell().fonts.small, kPaleYellow);
    statementLabel->format = platform::TextFormat::WordBreak | platform::TextFormat::NoClip;
    wipe = new StripeWipe(kWipeColour);
    wipe->visible = false;
    messagePopup = new PopupMessage(shell().fonts.medium, kPopupColour);
    woodPanel = new WoodPanel(kPanelX, kPanelY, "textures/woodpanel.tga");
    woodPanel->colour = woodPanel->hoverColour = woodPanel->activeColour = kPanelColour;
    woodPanel->visible = false;
    upArrow = makePanelArrow(kUpArrowY, "textures/list_uparrow.tga");
    downArrow = makePanelArrow(kDownArrowY, "textures/list_downarrow.tga");
    bankHighlight = new FlyingHighlight(0, 0, 0, 0, 0, 0, 0xFFFFFF00);
    bankHighlight->visible = false;

    woodPanel->attached = upArrow;
    upArrow->attached = downArrow;
    downArrow->attached = bankHighlight;
}

void Scene::showMessage(std::string text) { messagePopup->show(std::move(text)); }

void Scene::hideMessage() { messagePopup->visible = false; }

void Scene::showWords(const char* title, const char* statement) {
    titleLabel->text = title;
    statementLabel->text = statement;
}

// The wipe's frames and what follows them run while the scene lives: the app stops the
// animations before it forgets the scene.
template <size_t N>
void Scene::runWipe(const std::array<int, N>& stripes) {
    Animation a;
    a.periodMs = 50;
    a.hasFrame = [](int frame) { return frame < static_cast<int>(N); };
    a.showFrame = [stripes, shown = wipe](int frame) {
        shown->stripe = stripes[static_cast<size_t>(frame)];
    };
    animate(std::move(a));
}

void Scene::closeBlinds() {
    shell().items.inputArmed = false;
    wipe->visible = true;
    bringToFront(wipe);
    runWipe(std::array{16, 8, 4, 2, -4, -8, -16, 0});
    afterAnimations([] { shell().items.inputArmed = true; });
}

void Scene::openBlinds() {
    shell().items.inputArmed = false;
    // The new screen's items were made above the wipe; keep them under the stripes.
    wipe->visible = true;
    bringToFront(wipe);
    runWipe(std::array{-16, -8, -4, 2, 4, 8, 16});
    afterAnimations([shown = wipe] {
        shown->visible = false;
        shell().items.inputArmed = true;
    });
}

void Scene::attachToPanel(VisualItem* element) { attachAfter(woodPanel, element); }

void Scene::detachPanelItems() {
    woodPanel->visible = false;
    // The arrows belong to the list that is going; the next list shows them as it needs.
    upArrow->visible = false;
    downArrow->visible = false;
    while (woodPanel->attached != nullptr && woodPanel->attached != upArrow) detachFirst(woodPanel);
}

}  // namespace scene
