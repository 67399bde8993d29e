// Text on the drawing surface. Texts are laid out once per (font, flags, width, text) and
// each line is rasterised once, in white, then tinted at draw time: the game redraws
// every text every 10 ms, and rasterising is by far the dearest step.
#include <SDL2/SDL_ttf.h>

#include <algorithm>
#include <cstring>

#include "platform/sdl_graphics.hpp"

namespace platform {
namespace {

// The key is built in a buffer that lives with the surface: once it has grown, looking
// up the texts of a frame allocates nothing.
const std::string& cacheKey(std::string& key, uint64_t serial, std::string_view text, int flags = 0,
                            int width = 0) {
    key.assign(reinterpret_cast<const char*>(&serial), sizeof serial);
    key.append(reinterpret_cast<const char*>(&flags), sizeof flags);
    key.append(reinterpret_cast<const char*>(&width), sizeof width);
    key.append(text);
    return key;
}

}  // namespace

FontPtr SdlGraphics::createFont(const char* face, int height, int weight, bool italic) {
    return openFont(face, height, weight, italic);
}

const TextLayout& SdlGraphics::layoutFor(Font& font, std::string_view text, TextFormat format,
                                         int width) {
    const bool singleLine = has(format, TextFormat::SingleLine);
    const bool wordBreak = has(format, TextFormat::WordBreak) && !singleLine;
    const bool ellipsis = has(format, TextFormat::EndEllipsis);
    const int flags = (singleLine ? 1 : 0) | (wordBreak ? 2 : 0) | (ellipsis ? 4 : 0);
    // The width only matters when wrapping or shortening.
    const std::string& key =
        cacheKey(key_, font.serial(), text, flags, wordBreak || ellipsis ? width : 0);
    if (TextLayout* cached = layouts_.find(key)) return *cached;
    auto measure = [&font](const std::string& utf8) { return font.textWidth(utf8); };
    return layouts_.insert(key, layoutText(text, wordBreak, singleLine, width, measure, ellipsis));
}

SdlGraphics::RenderedLine* SdlGraphics::renderedLine(Font& font, const std::string& utf8) {
    const std::string& key = cacheKey(key_, font.serial(), utf8);
    if (RenderedLine* cached = lines_.find(key)) return cached;
    if (lines_.full()) settle();  // the line that makes room may be one the frame still draws
    SDL_Surface* surface =
        TTF_RenderUTF8_Blended(font.ttf(), utf8.c_str(), SDL_Color{255, 255, 255, 255});
    if (!surface) return nullptr;
    RenderedLine line;
    line.texture = SDL_CreateTextureFromSurface(renderer_, surface);
    line.width = surface->w;
    line.height = surface->h;
    line.id = newTextureId();
    SDL_FreeSurface(surface);
    if (!line.texture) return nullptr;
    SDL_SetTextureBlendMode(line.texture, SDL_BLENDMODE_BLEND);
    return &lines_.insert(key, std::move(line));
}

void SdlGraphics::drawUtf8Line(Font& font, const std::string& utf8, int x, int y, uint32_t argb,
                               const Rect* clip) {
    if (utf8.empty() || (argb >> 24) == 0) return;
    RenderedLine* line = renderedLine(font, utf8);
    if (!line) return;
    SDL_Rect from{0, 0, line->width, line->height};
    SDL_Rect to{x, y, line->width, line->height};
    if (clip) {
        // Clip by hand: an empty clip rectangle means "draw nothing" here, which SDL's
        // own clipping does not promise on every renderer.
        const SDL_Rect c{clip->left, clip->top, clip->right - clip->left, clip->bottom - clip->top};
        SDL_Rect visible;
        if (c.w <= 0 || c.h <= 0 || !SDL_IntersectRect(&to, &c, &visible)) return;
        from = SDL_Rect{visible.x - x, visible.y - y, visible.w, visible.h};
        to = visible;
    }
    renderCopy(line->texture, line->id, line->tints, line->width, line->height, false, from, to, argb);
}

int SdlGraphics::drawText(Font& font, const char* text, int length, Rect* rect, TextFormat format,
                          uint32_t argb) {
    if (!text || !rect) return 0;
    const size_t size = length < 0 ? std::strlen(text) : strnlen(text, static_cast<size_t>(length));
    const TextLayout& layout =
        layoutFor(font, std::string_view(text, size), format, rect->right - rect->left);
    const int lineHeight = font.cellHeight();
    const int total = static_cast<int>(layout.lines.size()) * lineHeight;
    if (has(format, TextFormat::CalcRect)) {
        rect->right = rect->left + layout.widest;
        rect->bottom = rect->top + total;
        return total;
    }
    int y = rect->top;
    if (has(format, TextFormat::VCenter)) {
        y = rect->top + (rect->bottom - rect->top - total) / 2;
    } else if (has(format, TextFormat::Bottom)) {
        y = rect->bottom - total;
    }
    const Rect* clip = has(format, TextFormat::NoClip) ? nullptr : rect;
    for (const TextLine& line : layout.lines) {
        int x = rect->left;
        if (has(format, TextFormat::Center)) {
            x = rect->left + (rect->right - rect->left - line.width) / 2;
        } else if (has(format, TextFormat::Right)) {
            x = rect->right - line.width;
        }
        drawUtf8Line(font, line.utf8, x, y, argb, clip);
        y += lineHeight;
    }
    return total;
}

}  // namespace platform
