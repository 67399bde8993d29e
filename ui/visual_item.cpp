#include "ui/visual_item.hpp"

#include "platform/types.hpp"
#include "ui/animation.hpp"
#include "ui/shell.hpp"

namespace ui {

VisualItem::VisualItem(int x_, int y_, int width_, int height_)
    : x(x_), y(y_), width(width_), height(height_) {
    ItemList& list = shell().items;
    prev = list.top;
    if (list.top != nullptr) list.top->next = this;
    list.top = this;
    if (list.bottom == nullptr) list.bottom = this;
}

VisualItem::~VisualItem() {
    ItemList& list = shell().items;
    unlinkFromList();
    // A pointer left behind here would be followed by the very next mouse message.
    if (list.hot == this) list.hot = nullptr;
    if (list.modalFloor == this) list.modalFloor = nullptr;
    if (list.coveredFloor == this) list.coveredFloor = nullptr;
}

void VisualItem::unlinkFromList() {
    ItemList& list = shell().items;
    if (prev != nullptr) prev->next = next;
    if (next != nullptr) next->prev = prev;
    if (list.bottom == this) list.bottom = next;
    if (list.top == this) list.top = prev;
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
    const ItemList& list = shell().items;
    std::optional<uint32_t> soonest;
    for (const VisualItem* item = list.bottom; item != nullptr; item = item->next) {
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
    ItemList& list = shell().items;
    list.hot = nullptr;
    list.modalFloor = nullptr;
    list.coveredFloor = nullptr;
    while (list.top != nullptr) delete list.top;
    list.inputArmed = true;
    list.pressHeld = false;
}

void coverModalFloor(VisualItem* overlay) {
    ItemList& list = shell().items;
    list.coveredFloor = list.modalFloor;
    list.modalFloor = overlay;
}

void uncoverModalFloor() {
    ItemList& list = shell().items;
    list.modalFloor = list.coveredFloor;
    list.coveredFloor = nullptr;
}

namespace {

void moveToTop(VisualItem* item) {
    ItemList& list = shell().items;
    if (item == list.top) return;
    // Unlink, then append at the top.
    if (item->prev != nullptr) item->prev->next = item->next;
    if (item->next != nullptr) item->next->prev = item->prev;
    if (list.bottom == item) list.bottom = item->next;
    item->prev = list.top;
    item->next = nullptr;
    if (list.top != nullptr) list.top->next = item;
    list.top = item;
    if (list.bottom == nullptr) list.bottom = item;
}

}  // namespace

void bringToFront(VisualItem* item) {
    for (VisualItem* i = item; i != nullptr; i = i->attached) moveToTop(i);
}

void setVisible(VisualItem* item, bool shown) {
    for (VisualItem* i = item; i != nullptr; i = i->attached) i->visible = shown;
}

void setHotItem(VisualItem* item) {
    ItemList& list = shell().items;
    if (list.hot != nullptr) list.hot->hoverLeave();
    list.hot = item;
    if (list.hot != nullptr) list.hot->hoverEnter();
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
    ItemList& list = shell().items;
    for (VisualItem* i = list.top; i != nullptr && i != list.modalFloor; i = i->prev) {
        if (i->visible && i->hitTest(px, py)) return i;
    }
    return nullptr;
}

void releaseHotItem() {
    ItemList& list = shell().items;
    if (list.hot != nullptr) list.hot->hoverLeave();
    list.hot = nullptr;
}

namespace {

// The hover search shared by moves and releases.
int updateHotItem(int px, int py) {
    ItemList& list = shell().items;
    VisualItem* found = findItemAt(px, py);
    if (found == list.hot) return 0;
    if (found != nullptr) {
        setHotItem(found);
        return 0;
    }
    releaseHotItem();
    return 0;
}

}  // namespace

int routeMouseMove(int px, int py, bool leftHeld) {
    ItemList& list = shell().items;
    if (!list.inputArmed) return 0;
    if (list.hot != nullptr && leftHeld) {
        list.hot->mouseMove(px, py);
        return 1;
    }
    return updateHotItem(px, py);
}

int routeMouseDown(int px, int py) {
    ItemList& list = shell().items;
    if (list.hot == nullptr) {
        // A press on the bare background disarms the mouse, so that sweeping onto an
        // item with the button held and letting go there does nothing.
        list.inputArmed = false;
        return 0;
    }
    if (!list.inputArmed) return 0;
    list.pressHeld = true;
    bringToFront(list.hot);
    list.hot->mouseDown(px, py);
    return 0;
}

int routeMouseUp(int px, int py) {
    ItemList& list = shell().items;
    list.pressHeld = false;
    if (list.hot == nullptr) {
        list.inputArmed = true;
        return updateHotItem(px, py);
    }
    if (!list.inputArmed) return 0;
    list.hot->mouseUp(px, py);
    // What lies under the pointer is looked for once the click's animations have played.
    afterAnimations([px, py] { routeMouseMove(px, py, false); });
    return 0;
}

}  // namespace ui
