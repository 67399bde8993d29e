// Paths between the game and Windows: the game keeps UTF-8 with '/' separators, Windows
// takes UTF-16; a long path goes through the \\?\ form, so 260 characters are no limit.
#pragma once

#include <string>

namespace platform::windows {

std::wstring widen(const std::string& utf8);
std::string narrow(const std::wstring& utf16);

// The path as Windows takes it: absolute, backslashes, and \\?\ (\\?\UNC\ for a share)
// when it is longer than the old limit.
std::wstring systemPath(const std::string& utf8);
// A path from Windows as the game keeps it: UTF-8, '/' separators, without \\?\.
std::string gamePath(std::wstring utf16);

}  // namespace platform::windows
