// The parts of the desktop the game uses besides drawing: the clock, cursors, the
// error box, the message loop, the browser opener and the file chooser. Each has a
// headless stand-in so that tests and ferrolin-script run without a display.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/events.hpp"

namespace platform {

// ---- clock: 32-bit millisecond ticks --------------------------------------------
uint32_t tickCount();
// Sleeps; on the virtual clock only advances time. While blocking, the real clock
// keeps the window responsive to the desktop (events are queued, not handled).
void sleepMs(uint32_t ms);
// Switches to a virtual clock starting at `start` (tests and scripts).
void useVirtualClock(uint32_t start);
void useRealClock();
bool clockIsVirtual();
void advanceVirtualClock(uint32_t ms);

// Paces the frames of an animation: each frame is due one period after the one before,
// so the time spent drawing a frame counts towards its period and the animation keeps
// its length as long as frames cost less than that. After a stall longer than a period
// the pace starts afresh instead of rushing frames to catch up, where the program keeps
// the beat itself; a browser hands out frames at its own pace, often slower than the
// animation's, so there the animation keeps to the clock instead (behind()).
class FramePacer {
public:
    // The first frame is due now.
    explicit FramePacer(uint32_t periodMs);
    // The next frame's turn: due a period after this one's.
    void next();
    uint32_t due() const { return deadline_; }
    // Whether the frame after the one due is due too, so the one due may be passed over
    // undrawn. Only where frames come at the host's pace; never on the desktop.
    bool behind() const;
    // next(), then sleeps until that frame is due.
    void wait();

private:
    uint32_t period_;
    uint32_t deadline_;
};

// ---- cursors -------------------------------------------------------------------
enum class Cursor { Arrow, Hand, Drag };
void setCursor(Cursor cursor);
Cursor currentCursor();

// ---- error box (texts in Windows-1251) -----------------------------------------
void showErrorBox(const char* title, const char* text);
// Headless runs record the boxes instead of showing them.
const std::vector<std::pair<std::string, std::string>>& shownErrorBoxes();

// ---- message loop --------------------------------------------------------------
using WindowProc = void (*)(const Event& event);
// What the loop asks of the game besides handing it events.
struct LoopClient {
    WindowProc proc = nullptr;
    // While this answers true (an animation plays), input waits: the mouse, keys, wheel,
    // touches and typed text are kept in their order and handed over once it answers
    // false. Closing the window is never held. Null: input is never held.
    bool (*holdsInput)() = nullptr;
    // The tick count by which the game wants its next Tick, or none while it is at rest
    // and needs no tick before the next event. Ticks never come closer than 10 ms apart.
    // Null: a tick every 10 ms.
    std::optional<uint32_t> (*nextTick)() = nullptr;
};
// The loop turns window events into Events in the game's screen points (points in the
// letterbox bars are clamped to the screen), sends Tick when the client wants it, and
// Destroy when the user closes the window.
void startMessageLoop(const LoopClient& client);
// One turn: hands over the pending events, then sends Tick if one is due. With mayWait
// it then waits for the next event or tick, whichever comes first; a host that calls it
// on its own schedule (a web page's frames) passes false. False once the game has ended
// (postQuit) or no loop was started.
bool runMessageLoopOnce(bool mayWait);
// Starts the loop and turns it until postQuit; returns the code given to postQuit.
// Headless, it only sends Tick, sleeping 10 ms between ticks (on the virtual clock that
// just moves time on).
int runMessageLoop(const LoopClient& client);
int runMessageLoop(WindowProc proc);
// Calls turn until it answers false. On the desktop the turns run here, each one waiting
// for its input or deadline; a browser needs its thread back after every frame, so there
// the turns run as its frames, without waiting, and this returns at once.
void runTurns(bool (*turn)(bool mayWait));
void postQuit(int code);
bool quitPosted();
int postedQuitCode();
// Clears the quit flag (tests running several programs in one process).
void resetQuit();

// The routing the message loop applies to each input event, for scripts and tests that
// feed input without a window. Points are clamped to the screen. A left press inside an
// edit box focuses the box and puts its caret there (the press, the moves while the
// button stays down and the release then go to the box, not to proc); editing keys go
// to the focused box; Escape and every key the box does not use go to proc; a wheel
// turn of no whole notch is dropped; what is not input passes straight to proc.
void deliverInput(WindowProc proc, const Event& input);
// The window lost the keyboard or the pointer in the middle of a press, so its release
// will never arrive: the press ends here, where the pointer was last seen. A release that
// comes later after all is dropped.
void deliverPressLost(WindowProc proc);
// Typed text goes to the focused box; the game itself never sees it.
void deliverText(const std::string& utf8);
// A finger or pen on a touch screen works as the left button: touching moves the pointer
// there and presses, sliding drags, lifting releases. Only the first finger down counts
// until it is lifted; the others are ignored, so two hands on a whiteboard never make a
// press without its release.
enum class TouchPhase { Down, Move, Up };
void deliverTouch(WindowProc proc, TouchPhase phase, int64_t finger, int x, int y);
// Forgets a finger that never lifted (a new run, or the window lost its input).
void resetTouch();

// ---- shell ---------------------------------------------------------------------
// Opens a document (a path relative to the current folder or absolute) in the user's
// preferred application with xdg-open, started without a shell and not waited for.
// Failures are silent.
void openDocument(const std::string& path);
// Tests replace the opener; it receives the argument vector that would be started.
void setDocumentOpener(std::function<void(const std::vector<std::string>& argv)> opener);

// ---- file chooser ---------------------------------------------------------------
struct FileDialog {
    bool save = false;
    std::string title;                                         // Windows-1251
    std::vector<std::pair<std::string, std::string>> filters;  // label (1251) -> pattern
    std::string defaultExtension;                              // added when none typed
    std::string initialPath;                                   // file-system bytes
    bool overwritePrompt = false;
    bool mustExist = false;
};
// The chosen path, or nothing when cancelled.
std::optional<std::string> chooseFile(const FileDialog& dialog);
// The same answer handed to `then`: before this returns from the desktop's chooser; a
// browser's picker answers later, through the message loop, as the next input would.
void chooseFile(const FileDialog& dialog, std::function<void(std::optional<std::string>)> then);
// Scripted answers for tests and ferrolin-script: each call of chooseFile takes the
// oldest queued answer (nullopt = cancel), as if typed into the dialog (a save answer
// without an extension gets the default one). With an empty queue in a headless run the
// dialog is cancelled.
void queueFileDialogAnswer(std::optional<std::string> answer);
// Drops the queued answers no dialog took (a click that opened none), so that they
// cannot answer a later game's dialog.
void clearFileDialogAnswers();
// The last dialog asked for (tests check titles and filters).
const FileDialog& lastFileDialog();

// ---- headless mode ---------------------------------------------------------------
// Headless runs never open windows, dialogs or browsers.
void setHeadless(bool headless);
bool isHeadless();

}  // namespace platform
