// Font matching and sizing. The game asks for fonts by cell height, the way the desktop
// API it was designed for does, so the point size is not what matters: we search for
// the resolution at which the face's ascent + descent is exactly that many pixels.
#include "platform/fonts.hpp"

#include <map>
#include <tuple>

namespace platform {
namespace {

bool ensureTtf() {
    static const bool ok = TTF_WasInit() > 0 || TTF_Init() == 0;
    return ok;
}

uint64_t nextSerial() {
    static uint64_t serial = 0;
    return ++serial;
}

// Opens the file so that TTF_FontHeight equals height when any resolution achieves it,
// else the closest height not above it (or the smallest above it for tiny requests).
TTF_Font* openAtCellHeight(const FontFile& file, int height) {
    constexpr unsigned kMinDpi = 8;
    constexpr unsigned kMaxDpi = 600;
    // Nominal size = requested height in points; only the resolution varies.
    TTF_Font* font = TTF_OpenFontIndexDPI(file.path.c_str(), height, file.index, 72, 72);
    if (!font) return nullptr;
    auto heightAt = [&](unsigned dpi) {
        TTF_SetFontSizeDPI(font, height, dpi, dpi);
        return TTF_FontHeight(font);
    };
    // Smallest dpi whose cell reaches the height: the cell grows with the dpi.
    unsigned lo = kMinDpi;
    unsigned hi = kMaxDpi;
    while (lo < hi) {
        const unsigned mid = (lo + hi) / 2;
        if (heightAt(mid) >= height) {
            hi = mid;
        } else {
            lo = mid + 1;
        }
    }
    unsigned dpi = lo;
    if (heightAt(dpi) > height && dpi > kMinDpi) --dpi;  // no exact fit: stay below
    heightAt(dpi);
    return font;
}

}  // namespace

Font::Font(TTF_Font* ttf, int cellHeight) : ttf_(ttf), cellHeight_(cellHeight), serial_(nextSerial()) {}

Font::~Font() {
    if (ttf_ && TTF_WasInit()) TTF_CloseFont(ttf_);
}

int Font::textWidth(const std::string& utf8) const {
    if (utf8.empty()) return 0;
    int w = 0;
    int h = 0;
    if (TTF_SizeUTF8(ttf_, utf8.c_str(), &w, &h) != 0) return 0;
    return w;
}

FontPtr openFont(const char* face, int height, int weight, bool italic) {
    if (height <= 0 || !ensureTtf()) return nullptr;
    const bool bold = weight >= 600;
    using Key = std::tuple<std::string, int, bool, bool>;
    static std::map<Key, FontPtr> cache;
    const Key key{face ? face : "", height, bold, italic};
    if (auto it = cache.find(key); it != cache.end()) return it->second;

    const FontFile file = matchFontFile(face, bold, italic);
    if (file.path.empty()) return nullptr;
    TTF_Font* ttf = openAtCellHeight(file, height);
    if (!ttf) return nullptr;
    // A family without the bold or italic face gets a synthesised one.
    int style = TTF_STYLE_NORMAL;
    if (bold && !file.bold) style |= TTF_STYLE_BOLD;
    if (italic && !file.italic) style |= TTF_STYLE_ITALIC;
    TTF_SetFontStyle(ttf, style);
    auto font = std::make_shared<Font>(ttf, TTF_FontHeight(ttf));
    cache.emplace(key, font);
    return font;
}

}  // namespace platform
