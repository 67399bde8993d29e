// Every screen item derives from VisualItem. All items live in one doubly linked list
// whose order is the drawing order (bottom first) and, walked backwards, the order in
// which the mouse finds them. An item's attachment chain holds the items that move,
// rise and hide with it.
#pragma once

#include <cstdint>
#include <optional>

namespace ui {

class VisualItem {
public:
    // Appends the item at the top of the item list.
    VisualItem(int x, int y, int width, int height);
    // Takes the item out of the list; a hot item or modal floor pointing at it is cleared.
    // It does not take the item out of an attachment chain: the owner unlinks it first.
    virtual ~VisualItem();

    VisualItem(const VisualItem&) = delete;
    VisualItem& operator=(const VisualItem&) = delete;

    // Moves the item and, through the chain, everything attached to it.
    virtual void moveBy(int dx, int dy);
    virtual void moveTo(int newX, int newY);
    virtual void draw() = 0;
    // Pure pictures answer false so that they never hide what lies below from the mouse.
    virtual bool hitTest(int px, int py);
    virtual void mouseDown(int px, int py);
    virtual void mouseUp(int px, int py);
    virtual void mouseMove(int px, int py);
    virtual void hoverEnter();
    virtual void hoverLeave();
    // When the item's look changes by itself (a flight, a fading message, a held spin)
    // next after the moment `since` it was last drawn, as a tick count (`since` itself
    // while it keeps moving); none while only input changes it. Asked of visible items.
    virtual std::optional<uint32_t> nextChange(uint32_t since) const;

    VisualItem* prev = nullptr;      // below in the item list
    VisualItem* next = nullptr;      // above in the item list
    VisualItem* attached = nullptr;  // next element of this item's attachment chain
    int32_t id = 0;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool visible = true;

protected:
    void unlinkFromList();
};

// ---- the item list -----------------------------------------------------------------
// The item list's ends and where the mouse goes in it (the shell holds it).
struct ItemList {
    VisualItem* bottom = nullptr;
    VisualItem* top = nullptr;
    VisualItem* hot = nullptr;         // under the mouse, or holding the current press
    VisualItem* modalFloor = nullptr;  // the mouse search stops here (not tested itself)
    bool inputArmed = true;            // clear: the mouse and Escape are ignored
    // The floor an overlay covered when it took the modal floor over (coverModalFloor).
    VisualItem* coveredFloor = nullptr;
    // A press went to the hot item and its release has not come yet (a drag may be going on).
    bool pressHeld = false;
};

// The earliest nextChange of the visible items after the frame drawn at `since`: until
// then the screen stays as drawn.
std::optional<uint32_t> nextItemChange(uint32_t since);

// Destroys every item, topmost first, and returns the framework to its start state.
void destroyAllItems();

// An overlay (a menu over a screen) becomes the modal floor; the floor it covers comes
// back with uncoverModalFloor, so a screen that was modal stays modal afterwards.
void coverModalFloor(VisualItem* overlay);
void uncoverModalFloor();

// ---- layering and chains ----------------------------------------------------------
// The item and then its chain, in chain order, become the topmost items.
void bringToFront(VisualItem* item);
void setVisible(VisualItem* item, bool shown);
void setHotItem(VisualItem* item);
// Puts element right behind `after` in after's chain.
void attachAfter(VisualItem* after, VisualItem* element);
VisualItem* detachFirst(VisualItem* item);
bool containsPoint(const VisualItem* item, int px, int py);
bool intersects(const VisualItem* a, const VisualItem* b);

// ---- mouse routing ------------------------------------------------------------------
// The topmost visible item above the modal floor whose hitTest answers true.
VisualItem* findItemAt(int px, int py);
// A move with the left button held drags the hot item; without it, finds the item hovered.
int routeMouseMove(int px, int py, bool leftHeld);
int routeMouseDown(int px, int py);
int routeMouseUp(int px, int py);
// Gives the hot item its hoverLeave and clears it (after clicks and screen changes).
void releaseHotItem();

// ---- the item pass --------------------------------------------------------------------
// Draws every visible item from the bottom up, then the hint box.
void drawItems();
// Asks for the hint box in the current frame, kept on the screen.
void showHint(int hx, int hy, const char* text);

}  // namespace ui
