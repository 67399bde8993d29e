// Windows-1251, the code page of every text inside the game and its files, and UTF-8, the
// one the desktop, the sources and the task sources speak. One table serves the game's
// compile-time literals, its drawing and text boxes, and the tools.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace base::cp1251 {

// Code points of the bytes 0x80 to 0xBF; 0x98 is unassigned (0). 0xC0 to 0xFF are the
// Cyrillic letters U+0410 to U+044F in order.
inline constexpr std::array<char32_t, 64> kUpperHalf = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409,
    0x2039, 0x040A, 0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x0000, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0,
    0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB,
    0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6,
    0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
};

// The character of a byte; 0 for the unassigned byte.
constexpr char32_t codePoint(unsigned char byte) {
    if (byte < 0x80) return byte;
    if (byte >= 0xC0) return 0x0410 + (byte - 0xC0);
    return kUpperHalf[byte - 0x80];
}

// The byte of a character; -1 when the code page lacks it.
constexpr int byteFor(char32_t cp) {
    if (cp < 0x80) return static_cast<int>(cp);
    if (cp >= 0x0410 && cp <= 0x044F) return static_cast<int>(0xC0 + (cp - 0x0410));
    for (size_t i = 0; i < kUpperHalf.size(); ++i) {
        if (kUpperHalf[i] == cp) return static_cast<int>(0x80 + i);
    }
    return -1;
}

// One UTF-8 sequence: its character and its length in bytes, length 0 when the bytes at
// the start are no well-formed sequence (cut short, a stray continuation byte, an
// overlong form, a surrogate or a code point beyond U+10FFFF).
struct Utf8Sequence {
    char32_t codePoint = 0;
    size_t length = 0;
};

constexpr Utf8Sequence decodeUtf8(std::string_view text, size_t i) {
    const auto at = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = at(i);
    if (lead < 0x80) return {lead, 1};
    size_t length = 0;
    char32_t cp = 0;
    char32_t smallest = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        cp = lead & 0x1Fu;
        smallest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        cp = lead & 0x0Fu;
        smallest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        cp = lead & 0x07u;
        smallest = 0x10000;
    } else {
        return {};
    }
    if (i + length > text.size()) return {};
    for (size_t k = 1; k < length; ++k) {
        if ((at(i + k) & 0xC0) != 0x80) return {};
        cp = (cp << 6) | (at(i + k) & 0x3Fu);
    }
    if (cp < smallest || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return {};
    return {cp, length};
}

// Characters the code page lacks and bytes that are no UTF-8 are left out: text the user
// types or pastes.
std::string fromUtf8(std::string_view utf8);
// Nothing when the text holds such a character or such bytes: a task source is refused.
std::optional<std::string> fromUtf8Exact(std::string_view utf8);
// The unassigned byte is left out.
std::string toUtf8(std::string_view text);

}  // namespace base::cp1251
