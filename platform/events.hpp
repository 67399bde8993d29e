// What the game's window procedure hears: input already turned into points of the
// game's own screen, the loop's ticks and what happened to the window itself.
#pragma once

#include <cstdint>
#include <variant>

namespace platform {

// A point of the 1024x768 screen the game is drawn for, whatever the window's size.
struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

// The keys the game and its text boxes answer to. Letters and digits are named by their
// place on the keyboard, so that Ctrl+C copies under a Cyrillic layout too.
// clang-format off
enum class Key : uint8_t {
    Backspace, Tab, Enter, Escape, Space, PageUp, PageDown, End, Home,
    Left, Up, Right, Down, Insert, Delete,
    Digit0, Digit1, Digit2, Digit3, Digit4, Digit5, Digit6, Digit7, Digit8, Digit9,
    A, B, C, D, E, F, G, H, I, J, K, L, M, N, O, P, Q, R, S, T, U, V, W, X, Y, Z,
    F1, F2, F3, F4, F5, F6, F7, F8, F9, F10, F11, F12,
};
// clang-format on
// 'a'..'z' or 'A'..'Z' as its key.
constexpr Key letterKey(char letter) {
    const char capital = letter >= 'a' ? static_cast<char>(letter - 'a' + 'A') : letter;
    return static_cast<Key>(static_cast<int>(Key::A) + (capital - 'A'));
}
// 0..9 as its key.
constexpr Key digitKey(int digit) { return static_cast<Key>(static_cast<int>(Key::Digit0) + digit); }
// F1..F12 as 1..12.
constexpr Key functionKey(int number) {
    return static_cast<Key>(static_cast<int>(Key::F1) + number - 1);
}

// Only the left button (or a finger) presses; the loop drops the other buttons.
struct MouseMove {
    Point at;
    bool leftHeld = false;
};
struct MouseDown {
    Point at;
};
struct MouseUp {
    Point at;
};
// The wheel turned with the pointer at `at`: whole notches, positive towards the user
// (down a list).
struct Wheel {
    Point at;
    int notches = 0;
};
struct KeyDown {
    Key key;
    bool ctrl = false;
    bool shift = false;
};
// The loop's timer: frames and animations move on.
struct Tick {};
// The window changed size or was uncovered: its frame is wanted at once.
struct Paint {};
// The user closed the window.
struct Destroy {};

using Event = std::variant<MouseMove, MouseDown, MouseUp, Wheel, KeyDown, Tick, Paint, Destroy>;

// One handler for each kind of event, for std::visit: an event left without one does not
// compile.
template <class... Handlers>
struct Overloaded : Handlers... {
    using Handlers::operator()...;
};
template <class... Handlers>
Overloaded(Handlers...) -> Overloaded<Handlers...>;

}  // namespace platform
