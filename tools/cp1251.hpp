// Windows-1251 <-> UTF-8 for the tools: task sources are UTF-8, task files and the
// game's texts are Windows-1251.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tools {

// Nothing when the text is not valid UTF-8 or holds a character Windows-1251 lacks.
std::optional<std::string> utf8ToCp1251(std::string_view utf8);
std::string cp1251ToUtf8(std::string_view cp1251);

}  // namespace tools
