#include "app/window_proc.hpp"

#include "app/screens.hpp"
#include "platform/system.hpp"
#include "platform/types.hpp"
#include "ui/list_box.hpp"
#include "ui/screen_items.hpp"

namespace app {

using namespace platform;

namespace {

ui::ListBox* currentList() {
    return ui::woodPanel != nullptr ? dynamic_cast<ui::ListBox*>(ui::woodPanel->attached) : nullptr;
}

// The arrow was hidden under the held button: end the press until it is released.
void cancelArrowPress() {
    ui::releaseHotItem();
    ui::inputArmed = false;
}

void scrollBy(int delta) {
    if (ui::ListBox* list = currentList()) {
        list->scrollOffset += delta;
        if (list->scrollOffset < 0) list->scrollOffset = 0;
    }
}

}  // namespace

void scrollUpTick() {
    if (ui::upArrow->visible) {
        scrollBy(-2);
    } else {
        cancelArrowPress();
    }
}

void scrollDownTick() {
    if (ui::downArrow->visible) {
        scrollBy(2);
    } else {
        cancelArrowPress();
    }
}

intptr_t windowProc(uint32_t message, uintptr_t wParam, intptr_t lParam) {
    const unsigned keys = static_cast<unsigned>(wParam);
    switch (message) {
        case WM_DESTROY:
            closeScreen();
            postQuit(0);
            return 0;
        case WM_KEYDOWN:
            // Not in the middle of a press: the menu would take the hot item away from
            // under a drag and leave what was dragged wherever the pointer had taken it.
            if (ui::inputArmed && !ui::pressHeld && wParam == VK_ESCAPE) toggleMainMenu(nullptr);
            return 0;
        case WM_TIMER:
            if (ui::upArrow != nullptr && ui::upArrow->state == 2) {
                scrollUpTick();
            } else if (ui::downArrow != nullptr && ui::downArrow->state == 2) {
                scrollDownTick();
            }
            ui::renderFrame();
            return 0;
        case WM_MOUSEMOVE:
            return ui::routeMouseMove(mouseX(lParam), mouseY(lParam), keys);
        case WM_LBUTTONDOWN:
            return ui::routeMouseDown(mouseX(lParam), mouseY(lParam), keys);
        case WM_LBUTTONUP:
            return ui::routeMouseUp(mouseX(lParam), mouseY(lParam), keys);
        default:
            return 0;
    }
}

}  // namespace app
