// What a recording window procedure keeps of each event it receives, in the form the
// routing and loop tests compare.
#pragma once

#include <string>

#include "platform/events.hpp"

namespace test {

struct SeenEvent {
    // "move", "drag" (a move with the left button held), "down", "up", "wheel", "key",
    // "tick", "paint" or "destroy"; tests add marks of their own.
    std::string kind;
    platform::Point at{};  // mouse and wheel
    int notches = 0;       // wheel
    platform::Key key = platform::Key::Escape;
    bool ctrl = false;
};

inline SeenEvent seen(const platform::Event& event) {
    using namespace platform;
    return std::visit(Overloaded{
                          [](const MouseMove& e) {
                              return SeenEvent{e.leftHeld ? "drag" : "move", e.at};
                          },
                          [](const MouseDown& e) {
                              return SeenEvent{"down", e.at};
                          },
                          [](const MouseUp& e) {
                              return SeenEvent{"up", e.at};
                          },
                          [](const Wheel& e) {
                              return SeenEvent{"wheel", e.at, e.notches};
                          },
                          [](const KeyDown& e) {
                              return SeenEvent{"key", {}, 0, e.key, e.ctrl};
                          },
                          [](Tick) { return SeenEvent{"tick"}; },
                          [](Paint) { return SeenEvent{"paint"}; },
                          [](Destroy) { return SeenEvent{"destroy"}; },
                      },
                      event);
}

}  // namespace test
