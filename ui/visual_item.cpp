#include "ui/visual_item.hpp"

#include "platform/types.hpp"

namespace ui {

VisualItem* bottomItem = nullptr;
VisualItem* topItem = nullptr;
VisualItem* hotItem = nullptr;
VisualItem* modalFloor = nullptr;
bool inputArmed = true;
VisualItem* coveredFloor = nullptr;
bool pressHeld = false;

VisualItem::VisualItem(int x_, int y_, int width_, int height_)
    : x(x_), y(y_), width(width_), height(height_) {
    prev = topItem;
    if (topItem != nullptr) topItem->next = this;
    topItem = this;
    if (bottomItem == nullptr) bottomItem = this;
}

VisualItem::~VisualItem() {
    unlinkFromList();
    // A pointer left behind here would be followed by the very next mouse message.
    if (hotItem == this) hotItem = nullptr;
    if (modalFloor == this) modalFloor = nullptr;
    if (coveredFloor == this) coveredFloor = nullptr;
}

void VisualItem::unlinkFromList() {
    if (prev != nullptr) prev->next = next;
    if (next != nullptr) next->prev = prev;
    if (bottomItem == this) bottomItem = next;
    if (topItem == this) topItem = prev;
    prev = nullptr;
    next = nullptr;
}

void VisualItem::moveBy(int dx, int dy) {
    x += dx;
    y += dy;
    if (attached != nullptr) attached->moveBy(dx, dy);
}

void VisualItem::moveTo(int newX, int newY) { moveBy(newX - x, newY - y); }

bool VisualItem::hitTest(int, int) { return false; }
void VisualItem::mouseDown(int, int, unsigned) {}
void VisualItem::mouseUp(int, int, unsigned) {}
void VisualItem::mouseMove(int, int, unsigned) {}
void VisualItem::hoverEnter() {}
void VisualItem::hoverLeave() {}

void destroyAllItems() {
    hotItem = nullptr;
    modalFloor = nullptr;
    coveredFloor = nullptr;
    while (topItem != nullptr) delete topItem;
    inputArmed = true;
    pressHeld = false;
}

void coverModalFloor(VisualItem* overlay) {
    coveredFloor = modalFloor;
    modalFloor = overlay;
}

void uncoverModalFloor() {
    modalFloor = coveredFloor;
    coveredFloor = nullptr;
}

namespace {

void moveToTop(VisualItem* item) {
    if (item == topItem) return;
    // Unlink, then append at the top.
    if (item->prev != nullptr) item->prev->next = item->next;
    if (item->next != nullptr) item->next->prev = item->prev;
    if (bottomItem == item) bottomItem = item->next;
    item->prev = topItem;
    item->next = nullptr;
    if (topItem != nullptr) topItem->next = item;
    topItem = item;
    if (bottomItem == nullptr) bottomItem = item;
}

}  // namespace

void bringToFront(VisualItem* item) {
    for (VisualItem* i = item; i != nullptr; i = i->attached) moveToTop(i);
}

void setVisible(VisualItem* item, bool shown) {
    for (VisualItem* i = item; i != nullptr; i = i->attached) i->visible = shown;
}

void setHotItem(VisualItem* item) {
    if (hotItem != nullptr) hotItem->hoverLeave();
    hotItem = item;
    if (hotItem != nullptr) hotItem->hoverEnter();
}

void attachAfter(VisualItem* after, VisualItem* element) {
    element->attached = after->attached;
    after->attached = element;
}

VisualItem* detachFirst(VisualItem* item) {
    VisualItem* first = item->attached;
    if (first != nullptr) {
        item->attached = first->attached;
        first->attached = nullptr;
    }
    return first;
}

bool containsPoint(const VisualItem* item, int px, int py) {
    return px >= item->x && py >= item->y && px < item->x + item->width &&
           py < item->y + item->height;
}

bool intersects(const VisualItem* a, const VisualItem* b) {
    const int left = a->x > b->x ? a->x : b->x;
    const int right = a->x + a->width < b->x + b->width ? a->x + a->width : b->x + b->width;
    const int top = a->y > b->y ? a->y : b->y;
    const int bottom = a->y + a->height < b->y + b->height ? a->y + a->height : b->y + b->height;
    return left < right && top < bottom;
}

VisualItem* findItemAt(int px, int py) {
    for (VisualItem* i = topItem; i != nullptr && i != modalFloor; i = i->prev) {
        if (i->visible && i->hitTest(px, py)) return i;
    }
    return nullptr;
}

void releaseHotItem() {
    if (hotItem != nullptr) hotItem->hoverLeave();
    hotItem = nullptr;
}

namespace {

// The hover search shared by moves and releases.
int updateHotItem(int px, int py) {
    VisualItem* found = findItemAt(px, py);
    if (found == hotItem) return 0;
    if (found != nullptr) {
        setHotItem(found);
        return 0;
    }
    releaseHotItem();
    return 0;
}

}  // namespace

int routeMouseMove(int px, int py, unsigned keys) {
    if (!inputArmed) return 0;
    if (hotItem != nullptr && (keys & platform::MK_LBUTTON) != 0) {
        hotItem->mouseMove(px, py, keys);
        return 1;
    }
    return updateHotItem(px, py);
}

int routeMouseDown(int px, int py, unsigned keys) {
    if (hotItem == nullptr) {
        // A press on the bare background disarms the mouse, so that sweeping onto an
        // item with the button held and letting go there does nothing.
        inputArmed = false;
        return 0;
    }
    if (!inputArmed) return 0;
    pressHeld = true;
    bringToFront(hotItem);
    hotItem->mouseDown(px, py, keys);
    return 0;
}

int routeMouseUp(int px, int py, unsigned keys) {
    pressHeld = false;
    if (hotItem == nullptr) {
        inputArmed = true;
        return updateHotItem(px, py);
    }
    if (!inputArmed) return 0;
    hotItem->mouseUp(px, py, keys);
    return routeMouseMove(px, py, keys);
}

}  // namespace ui
