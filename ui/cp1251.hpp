// Windows-1251 text from UTF-8 source literals, converted at compile time:
// "Список задач"_cp is a const char* to the single-byte text the game keeps everywhere.
#pragma once

#include <array>
#include <cstddef>

namespace ui {

namespace cp1251_detail {

template <size_t N>
struct Utf8Literal {
    char bytes[N]{};
    constexpr Utf8Literal(const char (&text)[N]) {
        for (size_t i = 0; i < N; ++i) bytes[i] = text[i];
    }
};

constexpr unsigned char byteAt(const char* s, size_t i) { return static_cast<unsigned char>(s[i]); }

// Decodes the code point at i and advances i.
constexpr unsigned decode(const char* s, size_t& i) {
    const unsigned char c = byteAt(s, i);
    if (c < 0x80) {
        i += 1;
        return c;
    }
    if ((c & 0xE0) == 0xC0) {
        const unsigned cp = ((c & 0x1Fu) << 6) | (byteAt(s, i + 1) & 0x3Fu);
        i += 2;
        return cp;
    }
    if ((c & 0xF0) == 0xE0) {
        const unsigned cp =
            ((c & 0x0Fu) << 12) | ((byteAt(s, i + 1) & 0x3Fu) << 6) | (byteAt(s, i + 2) & 0x3Fu);
        i += 3;
        return cp;
    }
    throw "only the Basic Multilingual Plane is supported";
}

constexpr char encode(unsigned cp) {
    if (cp < 0x80) return static_cast<char>(cp);
    if (cp >= 0x410 && cp <= 0x44F) return static_cast<char>(cp - 0x410 + 0xC0);
    switch (cp) {
        case 0x401: return static_cast<char>(0xA8);  // Ё
        case 0x451: return static_cast<char>(0xB8);  // ё
        case 0xA0: return static_cast<char>(0xA0);
        case 0xAB: return static_cast<char>(0xAB);   // «
        case 0xBB: return static_cast<char>(0xBB);   // »
        case 0x2013: return static_cast<char>(0x96);
        case 0x2014: return static_cast<char>(0x97);
        case 0x2026: return static_cast<char>(0x85);
        case 0x2116: return static_cast<char>(0xB9);  // №
        case 0x201C: return static_cast<char>(0x93);
        case 0x201D: return static_cast<char>(0x94);
        case 0x201E: return static_cast<char>(0x84);
        case 0x2018: return static_cast<char>(0x91);
        case 0x2019: return static_cast<char>(0x92);
        case 0xB0: return static_cast<char>(0xB0);
        default: throw "character missing from Windows-1251";
    }
}

template <Utf8Literal S>
constexpr size_t encodedSize() {
    size_t count = 0;
    for (size_t i = 0; S.bytes[i] != '\0';) {
        decode(S.bytes, i);
        ++count;
    }
    return count + 1;
}

template <Utf8Literal S>
struct Encoded {
    static constexpr std::array<char, encodedSize<S>()> text = [] {
        std::array<char, encodedSize<S>()> out{};
        size_t o = 0;
        for (size_t i = 0; S.bytes[i] != '\0';) out[o++] = encode(decode(S.bytes, i));
        return out;
    }();
};

}  // namespace cp1251_detail

template <cp1251_detail::Utf8Literal S>
constexpr const char* operator""_cp() {
    return cp1251_detail::Encoded<S>::text.data();
}

}  // namespace ui
