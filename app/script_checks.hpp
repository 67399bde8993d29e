// The checks of ferrolin-script ("expect ..."): they read what the game itself holds --
// the texts it draws, the task open, the crossings made, the pupil's progress -- so a
// tour fails when the game says something other than what the tour is about.
#pragma once

#include <optional>
#include <string>

namespace app {

// One check, the words after "expect" (UTF-8). Nothing when it holds; otherwise what was
// there instead. A check it cannot read (unknown, missing argument) is reported the same
// way, so a mistyped check never passes.
std::optional<std::string> checkExpectation(const std::string& words);

}  // namespace app
