// The SDL implementation behind Graphics, shared by the window and the headless surface.
// Internal to platform/ (edit boxes draw through it).
#pragma once

#include <SDL2/SDL.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/fonts.hpp"
#include "platform/graphics.hpp"
#include "platform/lru_cache.hpp"
#include "platform/text_layout.hpp"

namespace platform {

// What textures need to know about the renderer that made them: the renderer is gone
// (and with it every texture it made) once the pointer is null.
struct RenderContext {
    SDL_Renderer* renderer = nullptr;
};

class Texture {
public:
    Texture(std::shared_ptr<RenderContext> context, SDL_Texture* texture, int width, int height);
    ~Texture();
    Texture(const Texture&) = delete;
    Texture& operator=(const Texture&) = delete;

    const std::shared_ptr<RenderContext> context;
    SDL_Texture* const texture;
    const int width;
    const int height;
};

class SdlGraphics final : public Graphics {
public:
    // Takes ownership of all four (window, surface and target may be null).
    SdlGraphics(SDL_Window* window, SDL_Renderer* renderer, SDL_Surface* surface,
                SDL_Texture* target);
    ~SdlGraphics() override;

    std::string rendererName() const override;
    void clear(uint32_t argb) override;
    void clearRect(int left, int top, int right, int bottom, uint32_t argb) override;
    void fillRect(int left, int top, int right, int bottom, uint32_t argb) override;
    void drawOutline(int left, int top, int right, int bottom, uint32_t argb) override;
    void drawBevel(int left, int top, int right, int bottom, uint32_t topLeft,
                   uint32_t bottomRight) override;
    TexturePtr loadTexture(const std::string& path, int* width, int* height) override;
    TexturePtr loadTextureFromMemory(const std::vector<uint8_t>& file, int* width,
                                     int* height) override;
    void drawTexture(const Texture& texture, int x, int y, const Rect* src, uint32_t argb) override;
    FontPtr createFont(const char* face, int height, int weight, bool italic) override;
    int drawText(Font& font, const char* text, int length, Rect* rect, unsigned format,
                 uint32_t argb) override;
    void present() override;
    uint32_t pixel(int x, int y) const override;
    bool savePng(const std::string& path) const override;

    // One UTF-8 line through the rendered-line cache, its top-left at (x, y), optionally
    // clipped to a rectangle.
    void drawUtf8Line(Font& font, const std::string& utf8, int x, int y, uint32_t argb,
                      const Rect* clip);
    // Blended fill limited to a clip rectangle.
    void fillRectClipped(int left, int top, int right, int bottom, uint32_t argb, const Rect& clip);
    // Rendered lines currently cached (tests check the bound).
    size_t cachedLineCount() const { return lines_.size(); }

private:
    struct RenderedLine {
        SDL_Texture* texture = nullptr;
        int width = 0;
        int height = 0;
    };

    void setDrawColour(uint32_t argb, SDL_BlendMode mode);
    void strip(int left, int top, int right, int bottom, uint32_t topLeft, uint32_t bottomRight);
    const TextLayout& layoutFor(Font& font, std::string_view text, unsigned format, int width);
    RenderedLine* renderedLine(Font& font, const std::string& utf8);
    // The current frame as an RGB888 surface the caller frees.
    SDL_Surface* readFrame() const;

    SDL_Window* window_;
    SDL_Renderer* renderer_;
    SDL_Surface* surface_;
    SDL_Texture* target_;
    std::shared_ptr<RenderContext> context_;
    LruCache<RenderedLine> lines_;
    LruCache<TextLayout> layouts_;
};

}  // namespace platform
