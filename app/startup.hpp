// Start-up and shutdown of the game, for the real window and for headless runs.
#pragma once

#include <string>

namespace app {

// The executable's folder becomes the current folder, so every relative path of the
// game (textures/, tasks, help) resolves against it.
void setProgramFolder();
// Opens the window and its renderer; shows the error box and answers false on failure.
bool initDisplayAndWindow();
// A headless 1024x768 surface on the virtual clock (tests, ferrolin-script).
void initHeadless();
// Destroys every item, releases the fonts and the drawing surface; safe after a
// partial start-up.
void shutdown();
// The game for a host that owns the loop: startGame once (false when start-up failed,
// with everything undone), then gameTurn (one turn of the message loop) until it answers
// false: the game has ended and is shut down; gameExitCode tells how.
bool startGame();
bool gameTurn(bool mayWait);
int gameExitCode();
// The whole game: start-up, the turns of the message loop, shutdown. 0 after a normal
// end, -1 when start-up failed. (In a browser the turns go on after this has returned.)
int runGame();

}  // namespace app
