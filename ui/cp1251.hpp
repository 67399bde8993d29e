// Windows-1251 text from UTF-8 source literals, converted at compile time:
// "Список задач"_cp is a const char* to the single-byte text the game keeps everywhere.
#pragma once

#include <array>
#include <cstddef>

#include "base/cp1251.hpp"

namespace ui {

namespace cp1251_detail {

template <size_t N>
struct Utf8Literal {
    char bytes[N]{};
    constexpr Utf8Literal(const char (&text)[N]) {
        for (size_t i = 0; i < N; ++i) bytes[i] = text[i];
    }
};

// Decodes the character at i and advances i; a source literal that is no UTF-8 or holds a
// character the code page lacks does not compile.
constexpr char next(const char* s, size_t& i) {
    const base::cp1251::Utf8Sequence sequence = base::cp1251::decodeUtf8(s, i);
    if (sequence.length == 0) throw "not UTF-8";
    i += sequence.length;
    const int byte = base::cp1251::byteFor(sequence.codePoint);
    if (byte < 0) throw "character missing from Windows-1251";
    return static_cast<char>(byte);
}

template <Utf8Literal S>
constexpr size_t encodedSize() {
    size_t count = 0;
    for (size_t i = 0; S.bytes[i] != '\0';) {
        next(S.bytes, i);
        ++count;
    }
    return count + 1;
}

template <Utf8Literal S>
struct Encoded {
    static constexpr std::array<char, encodedSize<S>()> text = [] {
        std::array<char, encodedSize<S>()> out{};
        size_t o = 0;
        for (size_t i = 0; S.bytes[i] != '\0';) out[o++] = next(S.bytes, i);
        return out;
    }();
};

}  // namespace cp1251_detail

template <cp1251_detail::Utf8Literal S>
constexpr const char* operator""_cp() {
    return cp1251_detail::Encoded<S>::text.data();
}

}  // namespace ui
