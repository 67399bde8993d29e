// The message loop: SDL events become the events the game's window procedure
// understands, and timer ticks, when the game wants them and at most every 10 ms, drive
// the frames. Like a desktop timer, the timer never builds a backlog: after a slow frame
// the next tick follows at once, once. Each turn of the loop returns, so that a host (a
// web page) can own the loop and call one turn a frame.
#include <SDL2/SDL.h>

#include <algorithm>
#include <deque>
#include <functional>
#include <memory>
#include <optional>

#include "platform/edit_box.hpp"
#include "platform/graphics.hpp"
#include "platform/platform_internal.hpp"
#include "platform/system.hpp"

namespace platform {
namespace {

constexpr uint32_t kTimerPeriodMs = 10;
constexpr uint32_t kReapPeriodMs = 1000;

bool quitRequested = false;
int quitCode = 0;

std::optional<Key> keyOf(const SDL_Keysym& key) {
    // Scan codes, not key symbols: letters keep their positions under any keyboard
    // layout, so Ctrl+C copies with a Cyrillic layout active too.
    const SDL_Scancode sc = key.scancode;
    if (sc >= SDL_SCANCODE_A && sc <= SDL_SCANCODE_Z)
        return letterKey(static_cast<char>('A' + (sc - SDL_SCANCODE_A)));
    if (sc >= SDL_SCANCODE_1 && sc <= SDL_SCANCODE_9) return digitKey(1 + (sc - SDL_SCANCODE_1));
    if (sc >= SDL_SCANCODE_F1 && sc <= SDL_SCANCODE_F12) return functionKey(1 + (sc - SDL_SCANCODE_F1));
    switch (sc) {
        case SDL_SCANCODE_0:
            return Key::Digit0;
        case SDL_SCANCODE_BACKSPACE:
            return Key::Backspace;
        case SDL_SCANCODE_TAB:
            return Key::Tab;
        case SDL_SCANCODE_RETURN:
        case SDL_SCANCODE_KP_ENTER:
            return Key::Enter;
        case SDL_SCANCODE_ESCAPE:
            return Key::Escape;
        case SDL_SCANCODE_SPACE:
            return Key::Space;
        case SDL_SCANCODE_PAGEUP:
            return Key::PageUp;
        case SDL_SCANCODE_PAGEDOWN:
            return Key::PageDown;
        case SDL_SCANCODE_END:
            return Key::End;
        case SDL_SCANCODE_HOME:
            return Key::Home;
        case SDL_SCANCODE_LEFT:
            return Key::Left;
        case SDL_SCANCODE_UP:
            return Key::Up;
        case SDL_SCANCODE_RIGHT:
            return Key::Right;
        case SDL_SCANCODE_DOWN:
            return Key::Down;
        case SDL_SCANCODE_INSERT:
            return Key::Insert;
        case SDL_SCANCODE_DELETE:
            return Key::Delete;
        default:
            return std::nullopt;
    }
}

// Touches are measured in fractions of the window. SDL's renderer would turn them into
// fractions of the letterboxed screen, but its software renderer measures them against the
// 1024x768 picture being drawn instead of the window, so on a screen of another shape a
// finger would land beside its mark. This filter sees each touch before the renderer does
// and passes it on as our own event with the point on the game's screen already worked
// out, letterbox bars pressed against the screen's edge.
uint32_t touchEventType = 0;

int touchToScreen(void*, SDL_Event* e) {
    if (e->type != SDL_FINGERDOWN && e->type != SDL_FINGERMOTION && e->type != SDL_FINGERUP) return 1;
    SDL_Window* window = mainWindow();
    int width = 0, height = 0;
    if (window != nullptr) SDL_GetWindowSize(window, &width, &height);
    if (width <= 0 || height <= 0) return 1;
    const float scale =
        std::min(static_cast<float>(width) / kScreenWidth, static_cast<float>(height) / kScreenHeight);
    const float barX = (static_cast<float>(width) - kScreenWidth * scale) / 2;
    const float barY = (static_cast<float>(height) - kScreenHeight * scale) / 2;
    const int x =
        std::clamp(static_cast<int>((e->tfinger.x * width - barX) / scale), 0, kScreenWidth - 1);
    const int y =
        std::clamp(static_cast<int>((e->tfinger.y * height - barY) / scale), 0, kScreenHeight - 1);
    const TouchPhase phase = e->type == SDL_FINGERDOWN ? TouchPhase::Down
                             : e->type == SDL_FINGERUP ? TouchPhase::Up
                                                       : TouchPhase::Move;
    const SDL_FingerID finger = e->tfinger.fingerId;
    SDL_Event ours{};
    ours.type = touchEventType;
    ours.user.timestamp = e->tfinger.timestamp;
    ours.user.code = static_cast<int32_t>(phase);
    ours.user.data1 = reinterpret_cast<void*>(static_cast<intptr_t>(finger));
    ours.user.data2 = reinterpret_cast<void*>(
        static_cast<uintptr_t>(static_cast<uint32_t>(x) | (static_cast<uint32_t>(y) << 16)));
    *e = ours;
    return 1;
}

// Answers that come after the turn that asked has ended (a browser's file picker) wait
// here, each announced by an event of this type, and run in the order of input.
uint32_t answerEventType = 0;
std::deque<std::function<void()>> answers;

// Whether the event is input (or ends a press), which waits while the client holds it.
bool isInput(const SDL_Event& e) {
    switch (e.type) {
        case SDL_MOUSEMOTION:
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
        case SDL_MOUSEWHEEL:
        case SDL_KEYDOWN:
        case SDL_TEXTINPUT:
            return true;
        case SDL_WINDOWEVENT:
            return e.window.event == SDL_WINDOWEVENT_FOCUS_LOST ||
                   e.window.event == SDL_WINDOWEVENT_LEAVE;
        default:
            return (touchEventType != 0 && e.type == touchEventType) ||
                   (answerEventType != 0 && e.type == answerEventType);
    }
}

class Loop {
public:
    explicit Loop(const LoopClient& client) : client_(client), proc_(client.proc) {}

    // See runMessageLoopOnce.
    bool turn(bool mayWait) {
        if (quitRequested) return false;
        // Input first, as the desktop does: the timer only fires when nothing waits.
        handOverHeld();
        SDL_Event e;
        while (!quitRequested && SDL_PollEvent(&e)) take(e);
        if (quitRequested) return false;
        if (tickIfDue() || !mayWait || quitRequested) return !quitRequested;
        const std::optional<uint32_t> due = nextDue();
        int timeout = -1;
        if (due) timeout = std::max(0, static_cast<int32_t>(*due - SDL_GetTicks()));
        if (SDL_WaitEventTimeout(&e, timeout)) take(e);
        return !quitRequested;
    }

    // When the next turn has work: now while events or handed-over input wait.
    std::optional<uint32_t> nextTurn() const {
        const bool waiting =
            SDL_HasEvents(SDL_FIRSTEVENT, SDL_LASTEVENT) == SDL_TRUE || (!held_.empty() && !holding());
        return waiting ? std::optional<uint32_t>(SDL_GetTicks()) : nextDue();
    }

    void handle(const SDL_Event& e) {
        switch (e.type) {
            case SDL_QUIT:
                destroy();
                break;
            case SDL_WINDOWEVENT:
                if (e.window.event == SDL_WINDOWEVENT_CLOSE) {
                    destroy();
                } else if (e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED ||
                           e.window.event == SDL_WINDOWEVENT_EXPOSED ||
                           e.window.event == SDL_WINDOWEVENT_SHOWN ||
                           e.window.event == SDL_WINDOWEVENT_RESTORED) {
                    // A game at rest draws nothing by itself: the new or uncovered window
                    // gets its frame now, drawn whole.
                    if (hasGraphics()) graphics().windowChanged();
                    proc_(Paint{});
                } else if (e.window.event == SDL_WINDOWEVENT_FOCUS_LOST) {
                    // The lift of a finger that was on the glass when another window came up
                    // may never reach us; waiting for it would leave every later touch ignored.
                    resetTouch();
                    deliverPressLost(proc_);
                } else if (e.window.event == SDL_WINDOWEVENT_LEAVE &&
                           (SDL_GetGlobalMouseState(nullptr, nullptr) & SDL_BUTTON_LMASK) == 0) {
                    // Still held, the pointer is captured and the drag goes on outside.
                    deliverPressLost(proc_);
                }
                break;
            // Touches come as finger events below; the mouse events SDL may make of them
            // as well would press twice.
            case SDL_MOUSEMOTION:
                if (e.motion.which == SDL_TOUCH_MOUSEID) break;
                pointTo(e.motion.x, e.motion.y);
                showTextCursor(editBoxAt(e.motion.x, e.motion.y) != nullptr);
                deliverInput(proc_, MouseMove{{e.motion.x, e.motion.y},
                                              (e.motion.state & SDL_BUTTON_LMASK) != 0});
                break;
            case SDL_MOUSEBUTTONDOWN:
                if (e.button.button == SDL_BUTTON_LEFT && e.button.which != SDL_TOUCH_MOUSEID) {
                    pointTo(e.button.x, e.button.y);
                    deliverInput(proc_, MouseDown{{e.button.x, e.button.y}});
                }
                break;
            case SDL_MOUSEBUTTONUP:
                if (e.button.button == SDL_BUTTON_LEFT && e.button.which != SDL_TOUCH_MOUSEID) {
                    pointTo(e.button.x, e.button.y);
                    deliverInput(proc_, MouseUp{{e.button.x, e.button.y}});
                }
                break;
            case SDL_MOUSEWHEEL:
                if (e.wheel.which != SDL_TOUCH_MOUSEID) wheel(e.wheel);
                break;
            default:
                if (e.type == touchEventType && touchEventType != 0) touch(e.user);
                if (e.type == answerEventType && answerEventType != 0) answer();
                break;
            case SDL_KEYDOWN:
                // A held key repeats only inside a text box: a held Enter would otherwise
                // send the boat to and fro, a held Escape roll the menu up and down.
                if (e.key.repeat != 0 && focusedEditBox() == nullptr) break;
                if (const std::optional<Key> key = keyOf(e.key.keysym)) {
                    const SDL_Keymod mod = static_cast<SDL_Keymod>(e.key.keysym.mod);
                    deliverInput(proc_, KeyDown{*key, (mod & KMOD_CTRL) != 0, (mod & KMOD_SHIFT) != 0});
                }
                break;
            case SDL_TEXTINPUT:
                deliverText(e.text.text);
                break;
        }
    }

private:
    bool holding() const { return client_.holdsInput != nullptr && client_.holdsInput(); }

    void take(const SDL_Event& e) {
        if (isInput(e) && (!held_.empty() || holding())) {
            held_.push_back(e);
            return;
        }
        handle(e);
        handOverHeld();
    }

    void handOverHeld() {
        while (!quitRequested && !held_.empty() && !holding()) {
            const SDL_Event e = held_.front();
            held_.pop_front();
            handle(e);
        }
    }

    // When the next tick is due: what the client asks for, but never sooner than a
    // period after the last one; and once a second while a browser may need reaping.
    std::optional<uint32_t> nextDue() const {
        std::optional<uint32_t> due;
        if (client_.nextTick == nullptr) {
            due = lastDue_ + kTimerPeriodMs;
        } else if ((due = client_.nextTick())) {
            const uint32_t earliest = lastDue_ + kTimerPeriodMs;
            if (static_cast<int32_t>(*due - earliest) < 0) due = earliest;
        }
        if (childrenRunning()) {
            const uint32_t reap = lastReap_ + kReapPeriodMs;
            if (!due || static_cast<int32_t>(reap - *due) < 0) due = reap;
        }
        return due;
    }

    bool tickIfDue() {
        const std::optional<uint32_t> due = nextDue();
        uint32_t now = SDL_GetTicks();
        if (!due || static_cast<int32_t>(now - *due) < 0) return false;
        if (childrenRunning() && static_cast<int32_t>(now - (lastReap_ + kReapPeriodMs)) >= 0) {
            reapChildren();
            lastReap_ = now;
        }
        proc_(Tick{});
        now = SDL_GetTicks();
        // Keeps the ticks on their beat; a slow frame starts it afresh.
        lastDue_ = static_cast<int32_t>(now - *due) >= static_cast<int32_t>(kTimerPeriodMs) ? now : *due;
        return true;
    }

private:
    void pointTo(int x, int y) {
        pointerX_ = x;
        pointerY_ = y;
    }

    void wheel(const SDL_MouseWheelEvent& w) {
        // Touchpads turn by fractions of a notch; whole notches are passed on, the rest
        // kept for the next turn. SDL counts up as positive, the game counts down.
        const float flip = w.direction == SDL_MOUSEWHEEL_FLIPPED ? -1.0f : 1.0f;
        wheelRest_ -= w.preciseY * flip;
        const int notches = static_cast<int>(wheelRest_);
        if (notches == 0) return;
        wheelRest_ -= static_cast<float>(notches);
        deliverInput(proc_, Wheel{{pointerX_, pointerY_}, notches});
    }

    void touch(const SDL_UserEvent& u) {
        const int x = static_cast<int16_t>(reinterpret_cast<uintptr_t>(u.data2) & 0xFFFF);
        const int y = static_cast<int16_t>((reinterpret_cast<uintptr_t>(u.data2) >> 16) & 0xFFFF);
        pointTo(x, y);
        deliverTouch(proc_, static_cast<TouchPhase>(u.code),
                     static_cast<int64_t>(reinterpret_cast<intptr_t>(u.data1)), x, y);
    }

    void answer() {
        if (answers.empty()) return;
        const std::function<void()> action = std::move(answers.front());
        answers.pop_front();
        action();
        // What the answer changed is shown at once, as after any input.
        proc_(Paint{});
    }

    void destroy() {
        if (destroyed_) return;
        destroyed_ = true;
        proc_(Destroy{});
        // A closed window cannot go on: end the loop even if the procedure did not.
        if (!quitRequested) postQuit(0);
    }

    LoopClient client_;
    WindowProc proc_;
    std::deque<SDL_Event> held_;
    uint32_t lastDue_ = SDL_GetTicks();
    uint32_t lastReap_ = SDL_GetTicks();
    bool destroyed_ = false;
    int pointerX_ = 0;
    int pointerY_ = 0;
    float wheelRest_ = 0.0f;
};

std::unique_ptr<Loop> loop;

}  // namespace

void startMessageLoop(const LoopClient& client) {
    loop.reset();
    if (client.proc != nullptr && desktopAvailable()) loop = std::make_unique<Loop>(client);
}

std::optional<uint32_t> nextLoopTurn() {
    if (loop == nullptr || quitRequested) return std::nullopt;
    return loop->nextTurn();
}

void postAnswer(std::function<void()> action) {
    if (answerEventType == 0) {
        const uint32_t type = SDL_RegisterEvents(1);
        if (type == static_cast<uint32_t>(-1)) return;
        answerEventType = type;
    }
    answers.push_back(std::move(action));
    SDL_Event e{};
    e.type = answerEventType;
    if (SDL_PushEvent(&e) != 1) answers.pop_back();
}

bool runMessageLoopOnce(bool mayWait) {
    if (loop != nullptr && !quitRequested && loop->turn(mayWait)) return true;
    loop.reset();
    return false;
}

int runMessageLoop(const LoopClient& client) {
    if (!client.proc) return quitCode;
    if (!desktopAvailable()) {
        while (!quitRequested) {
            client.proc(Tick{});
            if (!quitRequested) sleepMs(kTimerPeriodMs);
        }
        return quitCode;
    }
    startMessageLoop(client);
    while (runMessageLoopOnce(true)) {
    }
    return quitCode;
}

int runMessageLoop(WindowProc proc) {
    LoopClient client;
    client.proc = proc;
    return runMessageLoop(client);
}

void watchTouches() {
    if (touchEventType == 0) {
        const uint32_t type = SDL_RegisterEvents(1);
        if (type == static_cast<uint32_t>(-1)) return;
        touchEventType = type;
    }
    SDL_DelEventWatch(touchToScreen, nullptr);
    SDL_AddEventWatch(touchToScreen, nullptr);
}

void postQuit(int code) {
    quitRequested = true;
    quitCode = code;
}

bool quitPosted() { return quitRequested; }

int postedQuitCode() { return quitCode; }

void resetQuit() {
    quitRequested = false;
    quitCode = 0;
}

}  // namespace platform
