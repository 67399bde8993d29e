// The drawing surface on SDL's renderer. Headless runs draw with the software renderer
// straight into a memory surface; the window draws into a 1024x768 target texture that
// present() scales onto the desktop, so both produce the same pixels and the frame can
// always be read back.
#include <SDL2/SDL_image.h>
#include <SDL2/SDL_ttf.h>

#include <algorithm>

#include "platform/edit_box.hpp"
#include "platform/files.hpp"
#include "platform/platform_internal.hpp"
#include "platform/sdl_graphics.hpp"
#include "platform/tga_loader.hpp"

namespace platform {
namespace {

void initImageAndText() {
    static const bool done = [] {
        IMG_Init(IMG_INIT_PNG);
        if (!TTF_WasInit()) TTF_Init();
        return true;
    }();
    (void)done;
}

uint8_t channel(uint32_t argb, int shift) { return static_cast<uint8_t>((argb >> shift) & 0xFF); }

// Pixels from a towards b on one row or column, a included, b excluded: how a line strip
// covers its segments, so that every corner of a closed strip is drawn exactly once.
SDL_Rect segment(int a, int b, int fixed, bool horizontal) {
    const int from = a < b ? a : b + 1;
    const int length = a < b ? b - a : a - b;
    return horizontal ? SDL_Rect{from, fixed, length, 1} : SDL_Rect{fixed, from, 1, length};
}

SDL_Rect cornersToRect(int left, int top, int right, int bottom) {
    if (right < left) std::swap(left, right);
    if (bottom < top) std::swap(top, bottom);
    return SDL_Rect{left, top, right - left, bottom - top};
}

std::unique_ptr<Graphics>& currentGraphics() {
    static std::unique_ptr<Graphics> instance;
    return instance;
}

}  // namespace

// ---- textures ------------------------------------------------------------------------

Texture::Texture(std::shared_ptr<RenderContext> ctx, SDL_Texture* tex, int w, int h)
    : context(std::move(ctx)), texture(tex), width(w), height(h) {}

Texture::~Texture() {
    if (context->renderer) SDL_DestroyTexture(texture);
}

int textureWidth(const Texture& texture) { return texture.width; }
int textureHeight(const Texture& texture) { return texture.height; }

// ---- construction --------------------------------------------------------------------

SdlGraphics::SdlGraphics(SDL_Window* window, SDL_Renderer* renderer, SDL_Surface* surface,
                         SDL_Texture* target)
    : window_(window),
      renderer_(renderer),
      surface_(surface),
      target_(target),
      context_(std::make_shared<RenderContext>()),
      lines_(1024, [](RenderedLine& line) { SDL_DestroyTexture(line.texture); }),
      layouts_(256) {
    context_->renderer = renderer;
    if (window_) setMainWindow(window_);
    if (target_) SDL_SetRenderTarget(renderer_, target_);
    clear(0);
}

SdlGraphics::~SdlGraphics() {
    lines_.clear();
    // Destroying the renderer frees every texture it made, including those still held
    // by pictures; mark them dead so their handles no longer touch them.
    context_->renderer = nullptr;
    SDL_DestroyRenderer(renderer_);
    if (surface_) SDL_FreeSurface(surface_);
    if (window_) {
        if (mainWindow() == window_) setMainWindow(nullptr);
        SDL_DestroyWindow(window_);
    }
}

std::unique_ptr<Graphics> Graphics::createHeadless() {
    initImageAndText();
    SDL_Surface* surface =
        SDL_CreateRGBSurfaceWithFormat(0, kScreenWidth, kScreenHeight, 32, SDL_PIXELFORMAT_RGB888);
    if (!surface) return nullptr;
    SDL_Renderer* renderer = SDL_CreateSoftwareRenderer(surface);
    if (!renderer) {
        SDL_FreeSurface(surface);
        return nullptr;
    }
    return std::make_unique<SdlGraphics>(nullptr, renderer, surface, nullptr);
}

std::unique_ptr<Graphics> Graphics::createWindowed(std::string* error, int* failedStep) {
    auto fail = [&](int step) -> std::unique_ptr<Graphics> {
        if (error) *error = SDL_GetError();
        if (failedStep) *failedStep = step;
        return nullptr;
    };
    SDL_SetHint(SDL_HINT_RENDER_VSYNC, "0");
    // The file chooser takes the focus; the game must stay on screen behind it.
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return fail(0);
    initImageAndText();
    SDL_Window* window = SDL_CreateWindow("Ferrolin", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                                          kScreenWidth, kScreenHeight,
                                          SDL_WINDOW_FULLSCREEN_DESKTOP | SDL_WINDOW_SHOWN);
    if (!window) return fail(1);
    SDL_Renderer* renderer =
        SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_TARGETTEXTURE);
    if (!renderer) renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
    if (!renderer) {
        auto result = fail(2);
        SDL_DestroyWindow(window);
        return result;
    }
    SDL_RenderSetLogicalSize(renderer, kScreenWidth, kScreenHeight);
    // Without a target texture everything is drawn straight to the window instead.
    SDL_Texture* target = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888,
                                            SDL_TEXTUREACCESS_TARGET, kScreenWidth, kScreenHeight);
    if (target) SDL_SetTextureScaleMode(target, SDL_ScaleModeLinear);
    return std::make_unique<SdlGraphics>(window, renderer, nullptr, target);
}

std::string SdlGraphics::rendererName() const {
    SDL_RendererInfo info{};
    if (SDL_GetRendererInfo(renderer_, &info) != 0 || !info.name) return "unknown";
    return info.name;
}

// ---- primitives ----------------------------------------------------------------------

void SdlGraphics::setDrawColour(uint32_t argb, SDL_BlendMode mode) {
    SDL_SetRenderDrawBlendMode(renderer_, mode);
    SDL_SetRenderDrawColor(renderer_, channel(argb, 16), channel(argb, 8), channel(argb, 0),
                           channel(argb, 24));
}

void SdlGraphics::clear(uint32_t argb) {
    setDrawColour(argb | 0xFF000000u, SDL_BLENDMODE_NONE);
    SDL_RenderClear(renderer_);
}

void SdlGraphics::clearRect(int left, int top, int right, int bottom, uint32_t argb) {
    const SDL_Rect r = cornersToRect(left, top, right, bottom);
    if (r.w <= 0 || r.h <= 0) return;
    setDrawColour(argb | 0xFF000000u, SDL_BLENDMODE_NONE);
    SDL_RenderFillRect(renderer_, &r);
}

void SdlGraphics::fillRect(int left, int top, int right, int bottom, uint32_t argb) {
    const SDL_Rect r = cornersToRect(left, top, right, bottom);
    if (r.w <= 0 || r.h <= 0) return;
    setDrawColour(argb, SDL_BLENDMODE_BLEND);
    SDL_RenderFillRect(renderer_, &r);
}

void SdlGraphics::fillRectClipped(int left, int top, int right, int bottom, uint32_t argb,
                                  const Rect& clip) {
    fillRect(std::max(left, clip.left), std::max(top, clip.top), std::min(right, clip.right),
             std::min(bottom, clip.bottom), argb);
}

void SdlGraphics::strip(int l, int t, int r, int b, uint32_t topLeft, uint32_t bottomRight) {
    const SDL_Rect first[] = {segment(l, r, t, true), segment(b, t, l, false)};
    const SDL_Rect second[] = {segment(t, b, r, false), segment(r, l, b, true)};
    setDrawColour(topLeft, SDL_BLENDMODE_BLEND);
    for (const SDL_Rect& rect : first) {
        if (rect.w > 0 && rect.h > 0) SDL_RenderFillRect(renderer_, &rect);
    }
    setDrawColour(bottomRight, SDL_BLENDMODE_BLEND);
    for (const SDL_Rect& rect : second) {
        if (rect.w > 0 && rect.h > 0) SDL_RenderFillRect(renderer_, &rect);
    }
}

void SdlGraphics::drawOutline(int left, int top, int right, int bottom, uint32_t argb) {
    strip(left, top, right, bottom, argb, argb);
}

void SdlGraphics::drawBevel(int left, int top, int right, int bottom, uint32_t topLeft,
                            uint32_t bottomRight) {
    strip(left, top, right, bottom, topLeft, bottomRight);
}

// ---- pictures ------------------------------------------------------------------------

TexturePtr SdlGraphics::loadTexture(const std::string& path, int* width, int* height) {
    constexpr size_t kMaxFileBytes =
        static_cast<size_t>(kMaxTextureSide) * kMaxTextureSide * 4 + 65536 + 1024;
    const auto bytes = readFile(path, kMaxFileBytes);
    if (!bytes) return nullptr;
    return loadTextureFromMemory(*bytes, width, height);
}

TexturePtr SdlGraphics::loadTextureFromMemory(const std::vector<uint8_t>& file, int* width,
                                              int* height) {
    SDL_Surface* surface = decodeTga(file);
    if (!surface) return nullptr;
    SDL_Texture* texture = SDL_CreateTextureFromSurface(renderer_, surface);
    const int w = surface->w;
    const int h = surface->h;
    SDL_FreeSurface(surface);
    if (!texture) return nullptr;
    SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND);
    if (width) *width = w;
    if (height) *height = h;
    return std::make_shared<Texture>(context_, texture, w, h);
}

void SdlGraphics::drawTexture(const Texture& texture, int x, int y, const Rect* src,
                              uint32_t argb) {
    if (texture.context != context_) return;  // made by a surface that is gone
    const SDL_Rect whole{0, 0, texture.width, texture.height};
    SDL_Rect from = whole;
    int dx = x;
    int dy = y;
    if (src) {
        // Clip the part to the picture ourselves: SDL would stretch a clipped part back
        // over the whole destination.
        const SDL_Rect asked = cornersToRect(src->left, src->top, src->right, src->bottom);
        if (!SDL_IntersectRect(&asked, &whole, &from)) return;
        dx += from.x - asked.x;
        dy += from.y - asked.y;
    }
    const SDL_Rect to{dx, dy, from.w, from.h};
    SDL_SetTextureColorMod(texture.texture, channel(argb, 16), channel(argb, 8), channel(argb, 0));
    SDL_SetTextureAlphaMod(texture.texture, channel(argb, 24));
    SDL_RenderCopy(renderer_, texture.texture, &from, &to);
}

// ---- frames --------------------------------------------------------------------------

void SdlGraphics::present() {
    drawEditBoxesIfPending(*this);
    if (!window_) {
        SDL_RenderFlush(renderer_);
        return;
    }
    if (!target_) {
        SDL_RenderPresent(renderer_);
        return;
    }
    SDL_SetRenderTarget(renderer_, nullptr);
    SDL_SetRenderDrawBlendMode(renderer_, SDL_BLENDMODE_NONE);
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
    SDL_SetTextureBlendMode(target_, SDL_BLENDMODE_NONE);
    SDL_RenderCopy(renderer_, target_, nullptr, nullptr);
    SDL_RenderPresent(renderer_);
    SDL_SetRenderTarget(renderer_, target_);
}

uint32_t SdlGraphics::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= kScreenWidth || y >= kScreenHeight) return 0xFF000000u;
    SDL_RenderFlush(renderer_);
    if (surface_) {
        const auto* row = static_cast<const uint8_t*>(surface_->pixels) + y * surface_->pitch;
        return reinterpret_cast<const uint32_t*>(row)[x] | 0xFF000000u;
    }
    uint32_t value = 0;
    const SDL_Rect one{x, y, 1, 1};
    SDL_RenderReadPixels(renderer_, &one, SDL_PIXELFORMAT_ARGB8888, &value, 4);
    return value | 0xFF000000u;
}

SDL_Surface* SdlGraphics::readFrame() const {
    SDL_RenderFlush(renderer_);
    SDL_Surface* frame =
        SDL_CreateRGBSurfaceWithFormat(0, kScreenWidth, kScreenHeight, 32, SDL_PIXELFORMAT_RGB888);
    if (!frame) return nullptr;
    const int ok = surface_ ? SDL_BlitSurface(surface_, nullptr, frame, nullptr)
                            : SDL_RenderReadPixels(renderer_, nullptr, SDL_PIXELFORMAT_RGB888,
                                                   frame->pixels, frame->pitch);
    if (ok != 0) {
        SDL_FreeSurface(frame);
        return nullptr;
    }
    return frame;
}

bool SdlGraphics::savePng(const std::string& path) const {
    SDL_Surface* frame = readFrame();
    if (!frame) return false;
    const bool ok = IMG_SavePNG(frame, path.c_str()) == 0;
    SDL_FreeSurface(frame);
    return ok;
}

// ---- the process-wide surface ----------------------------------------------------------

Graphics& graphics() {
    auto& instance = currentGraphics();
    // Code that draws before start-up made a surface (a test, a tool) gets a headless one.
    if (!instance) instance = Graphics::createHeadless();
    return *instance;
}

void setGraphics(std::unique_ptr<Graphics> graphics) { currentGraphics() = std::move(graphics); }

bool hasGraphics() { return currentGraphics() != nullptr; }

}  // namespace platform
