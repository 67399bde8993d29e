// Which input goes to an edit box and which to the game's window procedure.
#include "platform/edit_box.hpp"
#include "platform/platform_internal.hpp"
#include "platform/system.hpp"

namespace platform {
namespace {

// The box that took the current left press; it keeps the moves and the release.
EditBox* pressedBox = nullptr;
// The game holds a left press that has not been released yet, and where the pointer
// was last seen.
bool gamePress = false;
int lastX = 0, lastY = 0;

bool ctrlWithKey = false;

// The finger that works as the left button, while it touches.
bool fingerDown = false;
int64_t pressingFinger = 0;

// A turn larger than the message can carry is cut, not wrapped round.
constexpr int kMaxNotches = 0x7FFF / WHEEL_DELTA;

bool isEditingKey(uintptr_t key, bool ctrl) {
    switch (key) {
        case VK_BACK:
        case VK_DELETE:
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
        case VK_HOME:
        case VK_END:
        case VK_RETURN:
            return true;
        case 'A':
        case 'C':
        case 'V':
        case 'X':
        case 0x2D:  // Insert: Ctrl+Insert copies, Shift+Insert pastes
            return ctrl || key == 0x2D;
        default:
            return false;
    }
}

int clampTo(int value, int limit) { return value < 0 ? 0 : (value >= limit ? limit - 1 : value); }

}  // namespace

intptr_t deliverMouse(WindowProc proc, uint32_t message, int x, int y, bool leftHeld) {
    x = clampTo(x, kScreenWidth);
    y = clampTo(y, kScreenHeight);
    if (message == WM_LBUTTONDOWN) {
        if (EditBox* box = editBoxAt(x, y)) {
            pressedBox = box;
            box->focus();
            box->mouseDown(x, y);
            return 0;
        }
    } else if (pressedBox) {
        // A move without the button means the release was lost (the pointer left the
        // window): the press is over and the move goes to the game.
        if (message == WM_LBUTTONUP || !leftHeld) {
            pressedBox = nullptr;
            if (message == WM_LBUTTONUP) return 0;
        } else {
            pressedBox->mouseDrag(x, y);
            return 0;
        }
    }
    if (message == WM_LBUTTONUP && !gamePress) return 0;  // its press was already ended
    // A move without the button means the release was lost on the way.
    if (message == WM_MOUSEMOVE && !leftHeld) deliverPressLost(proc);
    gamePress = message == WM_LBUTTONDOWN || (gamePress && message != WM_LBUTTONUP);
    lastX = x;
    lastY = y;
    const uintptr_t keys =
        (message == WM_LBUTTONDOWN || (message == WM_MOUSEMOVE && leftHeld)) ? MK_LBUTTON : 0;
    return proc ? proc(message, keys, makeMouseParam(x, y)) : 0;
}

void deliverPressLost(WindowProc proc) {
    pressedBox = nullptr;
    if (!gamePress) return;
    gamePress = false;
    if (proc) proc(WM_LBUTTONUP, 0, makeMouseParam(lastX, lastY));
}

intptr_t deliverKey(WindowProc proc, uintptr_t key, bool ctrl, bool shift) {
    EditBox* box = focusedEditBox();
    if (box && key != VK_ESCAPE && isEditingKey(key, ctrl) && box->keyDown(key, ctrl, shift)) return 0;
    if (!proc) return 0;
    ctrlWithKey = ctrl;
    const intptr_t result = proc(WM_KEYDOWN, key, 0);
    ctrlWithKey = false;
    return result;
}

bool controlKeyHeld() { return ctrlWithKey; }

intptr_t deliverWheel(WindowProc proc, int x, int y, int notches) {
    if (!proc || notches == 0) return 0;
    notches = notches > kMaxNotches ? kMaxNotches : (notches < -kMaxNotches ? -kMaxNotches : notches);
    return proc(WM_MOUSEWHEEL, makeWheelParam(-notches * WHEEL_DELTA),
                makeMouseParam(clampTo(x, kScreenWidth), clampTo(y, kScreenHeight)));
}

intptr_t deliverTouch(WindowProc proc, TouchPhase phase, int64_t finger, int x, int y) {
    switch (phase) {
        case TouchPhase::Down:
            if (fingerDown) return 0;
            fingerDown = true;
            pressingFinger = finger;
            // A finger has no hover: the pointer jumps there first so that the press
            // finds what lies under it, as a mouse would have.
            deliverMouse(proc, WM_MOUSEMOVE, x, y, false);
            return deliverMouse(proc, WM_LBUTTONDOWN, x, y, true);
        case TouchPhase::Move:
            if (!fingerDown || finger != pressingFinger) return 0;
            return deliverMouse(proc, WM_MOUSEMOVE, x, y, true);
        case TouchPhase::Up:
            if (!fingerDown || finger != pressingFinger) return 0;
            fingerDown = false;
            return deliverMouse(proc, WM_LBUTTONUP, x, y, false);
    }
    return 0;
}

void resetTouch() { fingerDown = false; }

void deliverText(const std::string& utf8) {
    if (EditBox* box = focusedEditBox()) box->typeText(utf8);
}

void forgetEditBox(const EditBox* box) {
    if (pressedBox == box) pressedBox = nullptr;
}

}  // namespace platform
