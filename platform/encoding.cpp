// Both directions go through one table built from iconv on first use: drawing converts
// the same texts every frame, and a table lookup costs nothing next to an iconv call.
#include "platform/encoding.hpp"

#include <iconv.h>

#include <array>
#include <cstdint>
#include <unordered_map>

namespace platform {
namespace {

struct Tables {
    std::array<std::string, 256> toUtf8;            // empty for the undefined byte
    std::unordered_map<uint32_t, char> fromCodePoint;  // non-ASCII only
};

uint32_t decodeUtf8(const std::string& s) {
    auto b = [&](size_t i) { return static_cast<uint32_t>(static_cast<unsigned char>(s[i])); };
    if (s.size() == 1) return b(0);
    if (s.size() == 2) return ((b(0) & 0x1F) << 6) | (b(1) & 0x3F);
    if (s.size() == 3) return ((b(0) & 0x0F) << 12) | ((b(1) & 0x3F) << 6) | (b(2) & 0x3F);
    return 0;
}

Tables buildTables() {
    Tables t;
    iconv_t cd = iconv_open("UTF-8", "CP1251");
    for (int byte = 0; byte < 256; ++byte) {
        if (byte < 0x80) {
            t.toUtf8[byte] = std::string(1, static_cast<char>(byte));
            continue;
        }
        if (cd == reinterpret_cast<iconv_t>(-1)) continue;
        char in = static_cast<char>(byte);
        char out[8];
        char* inPtr = &in;
        char* outPtr = out;
        size_t inLeft = 1;
        size_t outLeft = sizeof out;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1)) continue;
        std::string utf8(out, outPtr);
        t.toUtf8[byte] = utf8;
        t.fromCodePoint.emplace(decodeUtf8(utf8), static_cast<char>(byte));
    }
    if (cd != reinterpret_cast<iconv_t>(-1)) iconv_close(cd);
    return t;
}

const Tables& tables() {
    static const Tables t = buildTables();
    return t;
}

// Length of the UTF-8 sequence starting at s[i], or 0 when it is malformed.
size_t sequenceLength(std::string_view s, size_t i, uint32_t* codePoint) {
    const auto lead = static_cast<unsigned char>(s[i]);
    size_t len = 0;
    uint32_t cp = 0;
    if (lead < 0x80) {
        *codePoint = lead;
        return 1;
    } else if ((lead & 0xE0) == 0xC0) {
        len = 2;
        cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        len = 3;
        cp = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        len = 4;
        cp = lead & 0x07;
    } else {
        return 0;
    }
    if (i + len > s.size()) return 0;
    for (size_t k = 1; k < len; ++k) {
        const auto c = static_cast<unsigned char>(s[i + k]);
        if ((c & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (c & 0x3F);
    }
    *codePoint = cp;
    return len;
}

}  // namespace

std::string cp1251ToUtf8(std::string_view text) {
    const Tables& t = tables();
    std::string out;
    out.reserve(text.size() * 2);
    for (char c : text) out += t.toUtf8[static_cast<unsigned char>(c)];
    return out;
}

std::string utf8ToCp1251(std::string_view text) {
    const Tables& t = tables();
    std::string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        uint32_t cp = 0;
        const size_t len = sequenceLength(text, i, &cp);
        if (len == 0) {
            ++i;  // skip the stray byte and resynchronise
            continue;
        }
        i += len;
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (auto it = t.fromCodePoint.find(cp); it != t.fromCodePoint.end()) {
            out += it->second;
        }
    }
    return out;
}

}  // namespace platform
