// The scenery every screen builds on and the stripe wipes that hide screen changes.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "scene/wood_panel.hpp"
#include "ui/button.hpp"
#include "ui/flying_highlight.hpp"
#include "ui/graphics_item.hpp"
#include "ui/pressable_picture.hpp"
#include "ui/stripe_wipe.hpp"
#include "ui/text_item.hpp"

namespace scene {

// The app makes the scenery once at start-up and hands it to the screens it opens. Its
// items belong to the item list: the scene must be forgotten when they are destroyed, and
// nothing that holds it may outlive it.
class Scene {
public:
    // Makes the items, hidden where a screen shows them, in drawing order: the river, the
    // task's title and statement (empty), the wipe, the popup and the wood panel with its
    // arrows and the highlight attached. The fonts must exist.
    Scene();
    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;

    // The words under the river: a task's title and statement, or none ("", "").
    void showWords(const char* title, const char* statement);
    // Shows a short message in the popup (Windows-1251).
    void showMessage(std::string text);
    // Takes the popup's message away at once (the screen it spoke of closes).
    void hideMessage();

    // The stripe wipe: closeBlinds covers the screen, openBlinds uncovers it. Both only
    // start the wipe (see ui/animation.hpp); the mouse is ignored while it runs.
    void closeBlinds();
    void openBlinds();

    // Puts element directly behind the wood panel in its chain.
    void attachToPanel(ui::VisualItem* element);
    // Hides the panel and takes the screen's items off the front of its chain; the scroll
    // arrows and the bank highlight stay attached.
    void detachPanelItems();

    ui::GraphicsItem* background = nullptr;
    ui::TextItem* titleLabel = nullptr;
    ui::TextItem* statementLabel = nullptr;
    ui::StripeWipe* wipe = nullptr;
    ui::PopupMessage* messagePopup = nullptr;
    WoodPanel* woodPanel = nullptr;
    // The panel's scroll arrows, lent to whichever list the screen shows.
    ui::PressablePicture* upArrow = nullptr;
    ui::PressablePicture* downArrow = nullptr;
    ui::FlyingHighlight* bankHighlight = nullptr;
    // The catalogue's open/delete buttons or the editor's back/next buttons.
    std::array<ui::Button*, 2> buttons{};

private:
    template <size_t N>
    void runWipe(const std::array<int, N>& stripes);
};

}  // namespace scene
