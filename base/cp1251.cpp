#include "base/cp1251.hpp"

namespace base::cp1251 {

namespace {

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

std::optional<std::string> convert(std::string_view utf8, bool exact) {
    std::string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        const Utf8Sequence sequence = decodeUtf8(utf8, i);
        // A broken sequence loses one byte, so that the text after it still reads.
        i += sequence.length > 0 ? sequence.length : 1;
        const int byte = sequence.length > 0 ? byteFor(sequence.codePoint) : -1;
        if (byte >= 0) {
            out += static_cast<char>(byte);
        } else if (exact) {
            return std::nullopt;
        }
    }
    return out;
}

}  // namespace

std::string fromUtf8(std::string_view utf8) { return *convert(utf8, false); }

std::optional<std::string> fromUtf8Exact(std::string_view utf8) { return convert(utf8, true); }

std::string toUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size() * 2);
    for (const char c : text) {
        const char32_t cp = codePoint(static_cast<unsigned char>(c));
        if (cp != 0 || c == '\0') appendUtf8(out, cp);
    }
    return out;
}

}  // namespace base::cp1251
