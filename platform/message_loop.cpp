// The message loop: SDL events become the window messages the game's window procedure
// understands, and a 10 ms timer drives the frames. Like a desktop timer, the timer
// never builds a backlog: after a slow frame the next tick follows at once, once.
#include <SDL2/SDL.h>

#include "platform/edit_box.hpp"
#include "platform/platform_internal.hpp"
#include "platform/system.hpp"

namespace platform {
namespace {

constexpr uint32_t kTimerPeriodMs = 10;
constexpr uint32_t kReapPeriodMs = 1000;

bool quitRequested = false;
int quitCode = 0;

uintptr_t virtualKey(const SDL_Keysym& key) {
    // Scan codes, not key symbols: letters keep their positions under any keyboard
    // layout, so Ctrl+C copies with a Cyrillic layout active too.
    const SDL_Scancode sc = key.scancode;
    if (sc >= SDL_SCANCODE_A && sc <= SDL_SCANCODE_Z) return 'A' + (sc - SDL_SCANCODE_A);
    if (sc >= SDL_SCANCODE_1 && sc <= SDL_SCANCODE_9) return '1' + (sc - SDL_SCANCODE_1);
    if (sc >= SDL_SCANCODE_F1 && sc <= SDL_SCANCODE_F12) return 0x70 + (sc - SDL_SCANCODE_F1);
    switch (sc) {
        case SDL_SCANCODE_0: return '0';
        case SDL_SCANCODE_BACKSPACE: return VK_BACK;
        case SDL_SCANCODE_TAB: return VK_TAB;
        case SDL_SCANCODE_RETURN:
        case SDL_SCANCODE_KP_ENTER: return VK_RETURN;
        case SDL_SCANCODE_ESCAPE: return VK_ESCAPE;
        case SDL_SCANCODE_SPACE: return 0x20;
        case SDL_SCANCODE_PAGEUP: return 0x21;
        case SDL_SCANCODE_PAGEDOWN: return 0x22;
        case SDL_SCANCODE_END: return VK_END;
        case SDL_SCANCODE_HOME: return VK_HOME;
        case SDL_SCANCODE_LEFT: return VK_LEFT;
        case SDL_SCANCODE_UP: return VK_UP;
        case SDL_SCANCODE_RIGHT: return VK_RIGHT;
        case SDL_SCANCODE_DOWN: return VK_DOWN;
        case SDL_SCANCODE_INSERT: return 0x2D;
        case SDL_SCANCODE_DELETE: return VK_DELETE;
        default: return 0;
    }
}

class Loop {
public:
    explicit Loop(WindowProc proc) : proc_(proc) {}

    void handle(const SDL_Event& e) {
        switch (e.type) {
            case SDL_QUIT:
                destroy();
                break;
            case SDL_WINDOWEVENT:
                if (e.window.event == SDL_WINDOWEVENT_CLOSE) destroy();
                break;
            case SDL_MOUSEMOTION:
                showTextCursor(editBoxAt(e.motion.x, e.motion.y) != nullptr);
                deliverMouse(proc_, WM_MOUSEMOVE, e.motion.x, e.motion.y,
                             (e.motion.state & SDL_BUTTON_LMASK) != 0);
                break;
            case SDL_MOUSEBUTTONDOWN:
                if (e.button.button == SDL_BUTTON_LEFT) {
                    deliverMouse(proc_, WM_LBUTTONDOWN, e.button.x, e.button.y, true);
                }
                break;
            case SDL_MOUSEBUTTONUP:
                if (e.button.button == SDL_BUTTON_LEFT) {
                    deliverMouse(proc_, WM_LBUTTONUP, e.button.x, e.button.y, false);
                }
                break;
            case SDL_KEYDOWN:
                if (const uintptr_t vk = virtualKey(e.key.keysym)) {
                    const SDL_Keymod mod = static_cast<SDL_Keymod>(e.key.keysym.mod);
                    deliverKey(proc_, vk, (mod & KMOD_CTRL) != 0, (mod & KMOD_SHIFT) != 0);
                }
                break;
            case SDL_TEXTINPUT:
                deliverText(e.text.text);
                break;
            default:
                break;
        }
    }

    int run() {
        uint32_t nextTick = SDL_GetTicks() + kTimerPeriodMs;
        uint32_t nextReap = SDL_GetTicks() + kReapPeriodMs;
        SDL_Event e;
        while (!quitRequested) {
            // Input first, as the desktop does: the timer only fires when nothing waits.
            while (!quitRequested && SDL_PollEvent(&e)) handle(e);
            if (quitRequested) break;
            uint32_t now = SDL_GetTicks();
            if (static_cast<int32_t>(now - nextTick) >= 0) {
                proc_(WM_TIMER, 1, 0);
                now = SDL_GetTicks();
                nextTick += kTimerPeriodMs;
                if (static_cast<int32_t>(now - nextTick) >= 0) nextTick = now + kTimerPeriodMs;
                if (static_cast<int32_t>(now - nextReap) >= 0) {
                    reapChildren();
                    nextReap = now + kReapPeriodMs;
                }
                continue;
            }
            if (SDL_WaitEventTimeout(&e, static_cast<int>(nextTick - now))) handle(e);
        }
        return quitCode;
    }

private:
    void destroy() {
        if (destroyed_) return;
        destroyed_ = true;
        proc_(WM_DESTROY, 0, 0);
        // A closed window cannot go on: end the loop even if the procedure did not.
        if (!quitRequested) postQuit(0);
    }

    WindowProc proc_;
    bool destroyed_ = false;
};

}  // namespace

int runMessageLoop(WindowProc proc) {
    if (!proc) return quitCode;
    if (!desktopAvailable()) {
        while (!quitRequested) {
            proc(WM_TIMER, 1, 0);
            if (!quitRequested) sleepMs(kTimerPeriodMs);
        }
        return quitCode;
    }
    return Loop(proc).run();
}

void postQuit(int code) {
    quitRequested = true;
    quitCode = code;
}

bool quitPosted() { return quitRequested; }

void resetQuit() {
    quitRequested = false;
    quitCode = 0;
}

}  // namespace platform
