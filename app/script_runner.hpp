// Runs the whole game headless from a script of mouse, key, dialog and clock commands
// and writes screenshots (ferrolin-script).
#pragma once

#include <istream>
#include <ostream>
#include <string>

namespace app {

// Returns 0 when the script ran; otherwise prints "line N: reason" to err and returns 1.
// Relative paths in the script resolve against baseFolder.
int runScript(std::istream& script, const std::string& baseFolder, std::ostream& err);

}  // namespace app
