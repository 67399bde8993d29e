#include "ui/visual_item.hpp"

#include "platform/types.hpp"
#include "ui/animation.hpp"

namespace ui {

ItemList itemList;

VisualItem::VisualItem(int x_, int y_, int width_, int height_)
    : x(x_), y(y_), width(width_), height(height_) {
    prev = itemList.top;
    if (itemList.top != nullptr) itemList.top->next = this;
    itemList.top = this;
    if (itemList.bottom == nullptr) itemList.bottom = this;
}

VisualItem::~VisualItem() {
    unlinkFromList();
    // A pointer left behind here would be followed by the very next mouse message.
    if (itemList.hot == this) itemList.hot = nullptr;
    if (itemList.modalFloor == this) itemList.modalFloor = nullptr;
    if (itemList.coveredFloor == this) itemList.coveredFloor = nullptr;
}

void VisualItem::unlinkFromList() {
    if (prev != nullptr) prev->next = next;
    if (next != nullptr) next->prev = prev;
    if (itemList.bottom == this) itemList.bottom = next;
    if (itemList.top == this) itemList.top = prev;
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
void VisualItem::mouseDown(int, int) {}
void VisualItem::mouseUp(int, int) {}

std::optional<uint32_t> VisualItem::nextChange(uint32_t) const { return std::nullopt; }

std::optional<uint32_t> nextItemChange(uint32_t since) {
    std::optional<uint32_t> soonest;
    for (const VisualItem* item = itemList.bottom; item != nullptr; item = item->next) {
        if (!item->visible) continue;
        const std::optional<uint32_t> change = item->nextChange(since);
        if (change && (!soonest || static_cast<int32_t>(*change - *soonest) < 0)) soonest = change;
    }
    return soonest;
}
void VisualItem::mouseMove(int, int) {}
void VisualItem::hoverEnter() {}
void VisualItem::hoverLeave() {}

void destroyAllItems() {
    itemList.hot = nullptr;
    itemList.modalFloor = nullptr;
    itemList.coveredFloor = nullptr;
    while (itemList.top != nullptr) delete itemList.top;
    itemList.inputArmed = true;
    itemList.pressHeld = false;
}

void coverModalFloor(VisualItem* overlay) {
    itemList.coveredFloor = itemList.modalFloor;
    itemList.modalFloor = overlay;
}

void uncoverModalFloor() {
    itemList.modalFloor = itemList.coveredFloor;
    itemList.coveredFloor = nullptr;
}

namespace {

void moveToTop(VisualItem* item) {
    if (item == itemList.top) return;
    // Unlink, then append at the top.
    if (item->prev != nullptr) item->prev->next = item->next;
    if (item->next != nullptr) item->next->prev = item->prev;
    if (itemList.bottom == item) itemList.bottom = item->next;
    item->prev = itemList.top;
    item->next = nullptr;
    if (itemList.top != nullptr) itemList.top->next = item;
    itemList.top = item;
    if (itemList.bottom == nullptr) itemList.bottom = item;
}

}  // namespace

void bringToFront(VisualItem* item) {
    for (VisualItem* i = item; i != nullptr; i = i->attached) moveToTop(i);
}

void setVisible(VisualItem* item, bool shown) {
    for (VisualItem* i = item; i != nullptr; i = i->attached) i->visible = shown;
}

void setHotItem(VisualItem* item) {
    if (itemList.hot != nullptr) itemList.hot->hoverLeave();
    itemList.hot = item;
    if (itemList.hot != nullptr) itemList.hot->hoverEnter();
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
    return px >= item->x && py >= item->y && px < item->x + item->width && py < item->y + item->height;
}

bool intersects(const VisualItem* a, const VisualItem* b) {
    const int left = a->x > b->x ? a->x : b->x;
    const int right = a->x + a->width < b->x + b->width ? a->x + a->width : b->x + b->width;
    const int top = a->y > b->y ? a->y : b->y;
    const int bottom = a->y + a->height < b->y + b->height ? a->y + a->height : b->y + b->height;
    return left < right && top < bottom;
}

VisualItem* findItemAt(int px, int py) {
    for (VisualItem* i = itemList.top; i != nullptr && i != itemList.modalFloor; i = i->prev) {
        if (i->visible && i->hitTest(px, py)) return i;
    }
    return nullptr;
}

void releaseHotItem() {
    if (itemList.hot != nullptr) itemList.hot->hoverLeave();
    itemList.hot = nullptr;
}

namespace {

// The hover search shared by moves and releases.
int updateHotItem(int px, int py) {
    VisualItem* found = findItemAt(px, py);
    if (found == itemList.hot) return 0;
    if (found != nullptr) {
        setHotItem(found);
        return 0;
    }
    releaseHotItem();
    return 0;
}

}  // namespace

int routeMouseMove(int px, int py, bool leftHeld) {
    if (!itemList.inputArmed) return 0;
    if (itemList.hot != nullptr && leftHeld) {
        itemList.hot->mouseMove(px, py);
        return 1;
    }
    return updateHotItem(px, py);
}

int routeMouseDown(int px, int py) {
    if (itemList.hot == nullptr) {
        // A press on the bare background disarms the mouse, so that sweeping onto an
        // item with the button held and letting go there does nothing.
        itemList.inputArmed = false;
        return 0;
    }
    if (!itemList.inputArmed) return 0;
    itemList.pressHeld = true;
    bringToFront(itemList.hot);
    itemList.hot->mouseDown(px, py);
    return 0;
}

int routeMouseUp(int px, int py) {
    itemList.pressHeld = false;
    if (itemList.hot == nullptr) {
        itemList.inputArmed = true;
        return updateHotItem(px, py);
    }
    if (!itemList.inputArmed) return 0;
    itemList.hot->mouseUp(px, py);
    // What lies under the pointer is looked for once the click's animations have played.
    afterAnimations([px, py] { routeMouseMove(px, py, false); });
    return 0;
}

}  // namespace ui
