// A pupil's progress as text: which tasks are solved (by task key) and the fewest
// crossings reached for each. The file is meant to be read by a person too.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace model {

// Task key -> fewest crossings the pupil solved it in.
using Progress = std::map<uint64_t, int>;

std::string formatProgress(const Progress& progress);
// Whether the text starts with the file's first line (after a byte-order mark, which a
// text editor may add).
bool isProgressText(std::string_view text);
// Text that does not start with the file's first line means nothing solved yet; lines
// that cannot be read are left out.
Progress parseProgress(std::string_view text);
// The file's text with a win added, or nothing when it holds as good a one already. Every
// line it does not understand (a later version's, a person's note) is kept as it was.
std::optional<std::string> withWin(std::string_view text, uint64_t key, int crossings);
// True when the win is the task's first or beats its best.
bool recordSolved(Progress& progress, uint64_t key, int crossings);
// The pack's tasks whose titles changed keep their wins: `renamed` holds a line per title
// a task had, "OLD NEW" (the two keys in hexadecimal), as the pack builder writes it. A
// win under the old key counts under the new one too.
void carryOverRenamed(Progress& progress, std::string_view renamed);

}  // namespace model
