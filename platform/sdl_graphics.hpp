// The SDL implementation behind Graphics, shared by the window and the headless surface.
// Internal to platform/ (edit boxes draw through it).
#pragma once

#include <SDL2/SDL.h>

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/fonts.hpp"
#include "platform/graphics.hpp"
#include "platform/lru_cache.hpp"
#include "platform/shared_pictures.hpp"
#include "platform/text_layout.hpp"

namespace platform {

// What textures need to know about the renderer that made them: the renderer is gone
// (and with it every texture it made) once the pointer is null.
class SdlGraphics;
struct RenderContext {
    SDL_Renderer* renderer = nullptr;
    SdlGraphics* graphics = nullptr;
};

// A number no other picture of the process ever had: a frame's calls are compared by it,
// since a freed texture's address may come back for another picture.
uint64_t newTextureId();

// Copies of one picture with a tint baked into the texels. SDL's software blitter blends
// a modulated picture several times slower than a plain one, and most tints stay the
// same frame after frame (the translucent wood panel, tinted characters, coloured text),
// so each tint is applied once, into a copy, and the copy is blended plainly. Every tint
// goes this way, even one that changes every frame (fades cost a copy per frame): the
// two ways of blending round differently, and a picture must not change by a shade
// when its tint has been used a while.
class TintedCopies {
public:
    TintedCopies() = default;
    TintedCopies(TintedCopies&& other) noexcept : slots_(other.slots_) { other.slots_ = {}; }
    TintedCopies& operator=(TintedCopies&&) = delete;
    ~TintedCopies() = default;  // the owner releases: only it knows whether the renderer lives

    // The copy of base (w x h) with argb baked in, and its id; null when it cannot be made.
    SDL_Texture* find(SDL_Renderer* renderer, SDL_Texture* base, int w, int h, uint32_t argb,
                      uint64_t now, uint64_t* id);
    // Whether find(argb) would have to free a copy to make room.
    bool wouldReplace(uint32_t argb) const;
    void release();

private:
    struct Slot {
        uint32_t argb = 0;
        uint64_t lastUse = 0;  // 0: empty
        SDL_Texture* copy = nullptr;
        uint64_t id = 0;
    };
    // Enough for a picture many characters share, each in its own palette colour.
    std::array<Slot, 8> slots_{};
};

class Texture {
public:
    // opaque: no texel is translucent, so drawn at full alpha it needs no blending.
    Texture(std::shared_ptr<RenderContext> context, SDL_Texture* texture, int width, int height,
            bool opaque = false);
    ~Texture();
    Texture(const Texture&) = delete;
    Texture& operator=(const Texture&) = delete;

    const std::shared_ptr<RenderContext> context;
    SDL_Texture* const texture;
    const int width;
    const int height;
    const bool opaque;
    const uint64_t id = newTextureId();
    mutable TintedCopies tints;
};

// One SDL drawing call as the renderer received it. Benchmarks log a frame's calls and
// replay them with bare SDL to learn what our own drawing code adds on top.
struct DrawCall {
    enum Kind : uint8_t { Clear, Fill, Copy, Present };
    Kind kind = Clear;
    SDL_BlendMode blend = SDL_BLENDMODE_NONE;  // Clear and Fill
    uint32_t argb = 0;                         // draw colour, or the texture's modulation
    SDL_Texture* texture = nullptr;            // Copy
    SDL_Rect from{};                           // Copy
    SDL_Rect to{};                             // Fill and Copy
    uint64_t id = 0;                           // Copy: the picture's newTextureId()

    // The same call on the same picture: it leaves the same pixels.
    bool operator==(const DrawCall& o) const {
        return kind == o.kind && blend == o.blend && argb == o.argb && id == o.id &&
               SDL_RectEquals(&from, &o.from) && SDL_RectEquals(&to, &o.to);
    }
};

// What the composition cache did, over every drawing surface of the process.
struct FrameStats {
    uint64_t reused = 0;      // frames equal to the one before: nothing drawn
    uint64_t fromLayers = 0;  // frames drawn over the cached lower layers
    uint64_t checked = 0;
    uint64_t mismatched = 0;
};
FrameStats& frameStats();
// With checking on, every frame the cache composed is drawn again from scratch and
// compared (tests run whole tours this way).
void setFrameCheck(bool on);

class DrawLog {
public:
    virtual ~DrawLog() = default;
    virtual void add(const DrawCall& call) = 0;
};

class SdlGraphics final : public Graphics {
public:
    // Takes ownership of all four (window, surface and target may be null).
    SdlGraphics(SDL_Window* window, SDL_Renderer* renderer, SDL_Surface* surface, SDL_Texture* target);
    ~SdlGraphics() override;

    std::string rendererName() const override;
    void clear(uint32_t argb) override;
    void clearRect(int left, int top, int right, int bottom, uint32_t argb) override;
    void fillRect(int left, int top, int right, int bottom, uint32_t argb) override;
    void drawOutline(int left, int top, int right, int bottom, uint32_t argb) override;
    void drawBevel(int left, int top, int right, int bottom, uint32_t topLeft,
                   uint32_t bottomRight) override;
    TexturePtr loadTexture(const std::string& path, int* width, int* height) override;
    TexturePtr loadTextureFromMemory(const std::vector<uint8_t>& file, int* width, int* height) override;
    void drawTexture(const Texture& texture, int x, int y, const Rect* src, uint32_t argb) override;
    FontPtr createFont(const char* face, int height, int weight, bool italic) override;
    int drawText(Font& font, const char* text, int length, Rect* rect, TextFormat format,
                 uint32_t argb) override;
    void present() override;
    bool lastFrameChanged() const override { return frameChanged_; }
    void windowChanged() override;
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

    // While a log is set, every call that reaches the renderer is reported to it (and
    // every frame is drawn in full).
    void setDrawLog(DrawLog* log) { log_ = log; }
    SDL_Renderer* renderer() const { return renderer_; }

    // Carries out the calls held back so far; needed before a picture they use is freed.
    void settle();

    // Composition cache on or off (on by default where the target keeps its pixels).
    void setFrameCache(bool on);

private:
    struct RenderedLine {
        SDL_Texture* texture = nullptr;
        int width = 0;
        int height = 0;
        uint64_t id = 0;
        TintedCopies tints;
    };

    // How the calls of the current frame are handled.
    enum class FrameMode : uint8_t {
        Fresh,      // no call yet
        Recording,  // held back: the frame may turn out equal to the last one, or to its lower layers
        Drawing,    // carried out as they come
    };

    // Takes the surface; on success stores its size when asked.
    TexturePtr textureFrom(SDL_Surface* surface, int* width, int* height);
    // Every drawing call goes through these three, and from them through submit.
    void renderClear(uint32_t argb);
    void renderFill(const SDL_Rect& rect, uint32_t argb, SDL_BlendMode mode);
    // A picture drawn with argb: its baked copy when there is one (argb is then white).
    // opaque pictures at full alpha are copied without blending.
    void renderCopy(SDL_Texture* texture, uint64_t id, TintedCopies& tints, int width, int height,
                    bool opaque, const SDL_Rect& from, const SDL_Rect& to, uint32_t argb);
    void strip(int left, int top, int right, int bottom, uint32_t topLeft, uint32_t bottomRight);
    // Takes one call of the frame; a clear waits to see whether the next call covers it.
    void submit(const DrawCall& call);
    void execute(const DrawCall& call);
    // Carries out what the frame still holds back, so that the target shows all of it.
    void finishDrawing();
    // Brings the target from the last frame (or the cached layers) to the recorded frame.
    void compose();
    void run(size_t from, size_t to);
    void saveLayers(size_t count);
    void restoreLayers();
    void checkFrame();
    // The target no longer shows the last frame, and the cached layers may not fit it.
    void forgetFrames();
    // Where the next frame is drawn: straight into the window when it is exactly the
    // logical screen (or a target texture cannot be made), else into the target texture
    // that present() scales onto the window.
    void chooseTarget();
    bool drawingToTarget() const;
    const TextLayout& layoutFor(Font& font, std::string_view text, TextFormat format, int width);
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
    SharedPictures pictures_;
    DrawLog* log_ = nullptr;
    DrawCall pendingClear_{};
    bool clearPending_ = false;
    // The composition cache: this frame's calls and the last frame's, each kept only
    // from the last call that covered the whole screen, and the pixels of the last
    // frame's lower layers (the calls below the lowest one that changed).
    bool cacheFrames_ = false;
    FrameMode mode_ = FrameMode::Fresh;
    std::vector<DrawCall> frame_;
    std::vector<DrawCall> previous_;
    bool frameChanged_ = true;
    bool previousFromCover_ = false;
    bool targetHoldsPrevious_ = false;
    SDL_Texture* layers_ = nullptr;
    std::vector<DrawCall> layerCalls_;
    bool layersValid_ = false;
    int outputWidth_ = 0;
    int outputHeight_ = 0;

    // Only the software renderer pays for modulation; other renderers do it for free.
    bool bakeTints_ = false;
    uint64_t draws_ = 0;
    // Reused for cache look-ups, so that a frame's texts allocate nothing.
    std::string key_;
};

}  // namespace platform
