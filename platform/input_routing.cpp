// Which input goes to an edit box and which to the game's window procedure.
#include "platform/edit_box.hpp"
#include "platform/platform_internal.hpp"
#include "platform/system.hpp"
#include "platform/types.hpp"

namespace platform {
namespace {

// The box that took the current left press; it keeps the moves and the release.
EditBox* pressedBox = nullptr;
// The game holds a left press that has not been released yet, and where the pointer
// was last seen.
bool gamePress = false;
Point last;

// The finger that works as the left button, while it touches.
bool fingerDown = false;
int64_t pressingFinger = 0;

bool isEditingKey(Key key, bool ctrl) {
    switch (key) {
        case Key::Backspace:
        case Key::Delete:
        case Key::Left:
        case Key::Right:
        case Key::Up:
        case Key::Down:
        case Key::Home:
        case Key::End:
        case Key::Enter:
        case Key::Insert:  // Ctrl+Insert copies, Shift+Insert pastes
            return true;
        case Key::A:
        case Key::C:
        case Key::V:
        case Key::X:
            return ctrl;
        default:
            return false;
    }
}

int clampTo(int value, int limit) { return value < 0 ? 0 : (value >= limit ? limit - 1 : value); }

Point onScreen(Point at) { return {clampTo(at.x, kScreenWidth), clampTo(at.y, kScreenHeight)}; }

enum class Press { Move, Down, Up };

void deliverMouse(WindowProc proc, Press press, Point at, bool leftHeld) {
    at = onScreen(at);
    if (press == Press::Down) {
        if (EditBox* box = editBoxAt(at.x, at.y)) {
            pressedBox = box;
            box->focus();
            box->mouseDown(at.x, at.y);
            return;
        }
    } else if (pressedBox) {
        // A move without the button means the release was lost (the pointer left the
        // window): the press is over and the move goes to the game.
        if (press == Press::Up || !leftHeld) {
            pressedBox = nullptr;
            if (press == Press::Up) return;
        } else {
            pressedBox->mouseDrag(at.x, at.y);
            return;
        }
    }
    if (press == Press::Up && !gamePress) return;  // its press was already ended
    // A move without the button means the release was lost on the way.
    if (press == Press::Move && !leftHeld) deliverPressLost(proc);
    gamePress = press == Press::Down || (gamePress && press != Press::Up);
    last = at;
    if (!proc) return;
    switch (press) {
        case Press::Move:
            proc(MouseMove{at, leftHeld});
            break;
        case Press::Down:
            proc(MouseDown{at});
            break;
        case Press::Up:
            proc(MouseUp{at});
            break;
    }
}

void deliverKey(WindowProc proc, const KeyDown& key) {
    EditBox* box = focusedEditBox();
    if (box && isEditingKey(key.key, key.ctrl) && box->keyDown(key.key, key.ctrl, key.shift)) return;
    if (proc) proc(key);
}

}  // namespace

void deliverInput(WindowProc proc, const Event& input) {
    if (const auto* move = std::get_if<MouseMove>(&input)) {
        deliverMouse(proc, Press::Move, move->at, move->leftHeld);
    } else if (const auto* down = std::get_if<MouseDown>(&input)) {
        deliverMouse(proc, Press::Down, down->at, true);
    } else if (const auto* up = std::get_if<MouseUp>(&input)) {
        deliverMouse(proc, Press::Up, up->at, false);
    } else if (const auto* key = std::get_if<KeyDown>(&input)) {
        deliverKey(proc, *key);
    } else if (const auto* wheel = std::get_if<Wheel>(&input)) {
        if (proc && wheel->notches != 0) proc(Wheel{onScreen(wheel->at), wheel->notches});
    } else if (proc) {
        proc(input);
    }
}

void deliverPressLost(WindowProc proc) {
    pressedBox = nullptr;
    if (!gamePress) return;
    gamePress = false;
    if (proc) proc(MouseUp{last});
}

void deliverTouch(WindowProc proc, TouchPhase phase, int64_t finger, int x, int y) {
    switch (phase) {
        case TouchPhase::Down:
            if (fingerDown) return;
            fingerDown = true;
            pressingFinger = finger;
            // A finger has no hover: the pointer jumps there first so that the press
            // finds what lies under it, as a mouse would have.
            deliverMouse(proc, Press::Move, {x, y}, false);
            deliverMouse(proc, Press::Down, {x, y}, true);
            return;
        case TouchPhase::Move:
            if (!fingerDown || finger != pressingFinger) return;
            deliverMouse(proc, Press::Move, {x, y}, true);
            return;
        case TouchPhase::Up:
            if (!fingerDown || finger != pressingFinger) return;
            fingerDown = false;
            deliverMouse(proc, Press::Up, {x, y}, false);
            return;
    }
}

void resetTouch() { fingerDown = false; }

void deliverText(const std::string& utf8) {
    if (EditBox* box = focusedEditBox()) box->typeText(utf8);
}

void forgetEditBox(const EditBox* box) {
    if (pressedBox == box) pressedBox = nullptr;
}

}  // namespace platform
