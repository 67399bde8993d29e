// The permanent items every screen builds on (made once at start-up), one frame of drawing and the stripe wipes that hide screen changes.
#pragma once

#include <array>
#include <cstdint>

#include "ui/button.hpp"
#include "ui/drag_drop_item.hpp"
#include "ui/graphics_item.hpp"
#include "ui/rect_trail.hpp"
#include "ui/shader.hpp"
#include "ui/text_item.hpp"
#include "ui/ui_element.hpp"

namespace ui {

// The items every screen shares, null before start-up and after the items are destroyed.
struct ScreenItems {
    GraphicsItem* background = nullptr;
    TextItem* titleLabel = nullptr;
    TextItem* statementLabel = nullptr;
    Shader* wipeShader = nullptr;
    PopupMessage* messagePopup = nullptr;
    WoodPanel* woodPanel = nullptr;
    // The panel's scroll arrows, lent to whichever list the screen shows.
    UIElement* upArrow = nullptr;
    UIElement* downArrow = nullptr;
    RectTrail* bankHighlight = nullptr;
    // The catalogue's open/delete buttons or the editor's back/next buttons.
    std::array<Button*, 2> buttons{};
};
extern ScreenItems screenItems;

// Forgets every permanent item (after they were destroyed).
void forgetScreenItems();

// Shows a short message in the popup (Windows-1251).
void showMessage(const char* text);
// Takes the popup's message away at once (the screen it spoke of closes).
void hideMessage();

// Clear, every visible item, the edit boxes on top, present.
void renderFrame();
// Called after every frame, the animations' too (ferrolin-script films them with it);
// null when nobody watches.
extern void (*frameObserver)();

// The stripe wipe: closeBlinds covers the screen, openBlinds uncovers it. Both only
// start the wipe (see ui/animation.hpp); the mouse is ignored while it runs.
void closeBlinds();
void openBlinds();

// Puts element directly behind the wood panel in its chain.
void attachToPanel(VisualItem* element);
// Hides the panel and takes the screen's items off the front of its chain; the scroll
// arrows and the bank highlight stay attached.
void detachPanelItems();

}  // namespace ui
