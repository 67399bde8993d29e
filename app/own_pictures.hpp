// The pictures of the game's own set (background, boat, panel, buttons...), checked once
// at start so that a damaged installation says what is wrong instead of showing holes.
#pragma once

#include <string>
#include <vector>

namespace app {

// Paths relative to the program folder, as the screens load them.
const std::vector<std::string>& ownPictures();
// Those of them that do not load: missing, not a regular file, or damaged.
std::vector<std::string> brokenOwnPictures();
// Names every broken one on standard error and all of them in one error box; the game
// goes on without them. False when some were broken.
bool reportBrokenOwnPictures();

}  // namespace app
