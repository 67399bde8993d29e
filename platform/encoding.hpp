// Conversion between the program's Windows-1251 texts and the UTF-8 the desktop speaks.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// Every byte maps to its character; the one byte the code page leaves undefined (0x98)
// is dropped.
std::string cp1251ToUtf8(std::string_view text);
// Characters the code page lacks, and malformed UTF-8 sequences, are dropped.
std::string utf8ToCp1251(std::string_view text);

}  // namespace platform
