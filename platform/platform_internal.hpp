// Hooks between the files of platform/; nothing outside platform/ includes this.
#pragma once

#include <SDL2/SDL.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace platform {

class EditBox;

// Called at the start of every listing, read, write and deletion of files.hpp, on the thread that
// makes it: runs the hook a test set with setFileAccessHook.
void noteFileAccess(const std::string& path);

// True when a real SDL display is up (a window can exist) and the run is not headless.
bool desktopAvailable();

// The game's window, or null (headless, or before it is made).
SDL_Window* mainWindow();
void setMainWindow(SDL_Window* window);

// Makes touches arrive as points on the game's screen. Must come before the renderer is
// made, whose own handling of touches would otherwise see them first.
void watchTouches();

// The message loop shows the text cursor while the pointer is over an edit box.
void showTextCursor(bool overEditBox);

// An edit box is going away: the input routing must drop any press it holds for it.
void forgetEditBox(const EditBox* box);

// present() draws the edit boxes unless the frame already did.
class Graphics;
void drawEditBoxesIfPending(Graphics& graphics);

// Whether devFolder ("/dev") shows a graphics processor OpenGL could draw with: a render
// node (dri/renderD*) or the proprietary NVIDIA driver's control device.
bool graphicsProcessorPresent(const std::string& devFolder);

// Told the path of every file written, replaced or deleted through files.hpp (the web
// build copies the data folder to the browser's storage and hands saved solutions to it).
void setFileWriteObserver(void (*observer)(const std::string& path));
// The data folder tests set instead of this computer's, if any.
std::optional<std::string> dataFolderOverride();

// When the message loop's next turn has work to do (now, while events wait), or none
// before the next event; none without a running loop. For a host that sleeps between turns.
std::optional<uint32_t> nextLoopTurn();
// Runs the action in a later turn, in its place among the input (held while an
// animation plays), and shows what it changed: for answers that come after the turn
// that asked for them has ended.
void postAnswer(std::function<void()> action);

// Collects browser processes that have ended, so none is left a zombie.
void reapChildren();
// Whether a started browser has not been reaped yet.
bool childrenRunning();

// The file choosers' shared part (dialog_answers.cpp). A name typed for saving gets the default
// extension when it has none.
struct FileDialog;
std::string withDefaultExtension(const std::string& path, const FileDialog& d);
// The dialog becomes the one lastFileDialog() answers.
void rememberFileDialog(const FileDialog& dialog);
bool fileDialogAnswerQueued();
// Remembers the dialog and, when a test or script queued an answer, takes it: the path (with
// the default extension) or an empty answer for a cancel. Nothing when none was queued.
std::optional<std::optional<std::string>> takeQueuedFileDialogAnswer(const FileDialog& dialog);

}  // namespace platform
