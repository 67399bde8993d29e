// The drawing surface on SDL's renderer. Headless runs draw with the software renderer
// straight into a memory surface; the window draws into a 1024x768 target texture that
// present() scales onto the desktop, so both produce the same pixels and the frame can
// always be read back.
#include <SDL2/SDL_image.h>
#include <SDL2/SDL_ttf.h>

#include <algorithm>
#include <cstring>

#include "platform/edit_box.hpp"
#include "platform/files.hpp"
#include "platform/platform_internal.hpp"
#include "platform/sdl_graphics.hpp"
#include "platform/tga_loader.hpp"

namespace platform {
namespace {

constexpr const char* kWindowClass = "ferrolin";

void initImageAndText() {
    static const bool done = [] {
        IMG_Init(IMG_INIT_PNG);
        if (!TTF_WasInit()) TTF_Init();
        return true;
    }();
    (void)done;
}

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

// SDL's stand-ins for a display keep their frames in memory where nobody sees them.
bool showsWindows(const char* videoDriver) {
    if (!videoDriver) return false;
    for (const char* unseen : {"offscreen", "dummy", "evdev"}) {
        if (std::strcmp(videoDriver, unseen) == 0) return false;
    }
    return true;
}

// Whether the renderer is OpenGL drawn by the processor (Mesa's llvmpipe or softpipe,
// the old "Software Rasterizer"). Its context is current right after it was made.
bool rasterisesOnProcessor(SDL_Renderer* renderer) {
    SDL_RendererInfo info{};
    if (SDL_GetRendererInfo(renderer, &info) != 0 || !info.name) return false;
    if (std::strncmp(info.name, "opengl", 6) != 0) return false;
    using GetString = const unsigned char* (*)(unsigned);
    auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    if (!getString) return false;
    constexpr unsigned kGlRenderer = 0x1F01;
    const auto* name = reinterpret_cast<const char*>(getString(kGlRenderer));
    if (!name) return false;
    for (const char* emulated : {"llvmpipe", "softpipe", "Software Rasterizer", "SWR"}) {
        if (std::strstr(name, emulated)) return true;
    }
    return false;
}

// Whether every texel of an ARGB8888 surface is fully opaque.
bool isOpaque(SDL_Surface* surface) {
    if (surface->format->format != SDL_PIXELFORMAT_ARGB8888) return false;
    if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) return false;
    bool opaque = true;
    for (int y = 0; y < surface->h && opaque; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(
            static_cast<const uint8_t*>(surface->pixels) + static_cast<ptrdiff_t>(y) * surface->pitch);
        for (int x = 0; x < surface->w; ++x) {
            if ((row[x] >> 24) != 0xFF) {
                opaque = false;
                break;
            }
        }
    }
    if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
    return opaque;
}

// Never destroyed at exit: when the display goes away, Xlib ends the process with exit(),
// and closing the window then would wait forever on the dead connection. A normal end
// releases the surface in the game's shutdown.
std::unique_ptr<Graphics>& currentGraphics() {
    static auto* instance = new std::unique_ptr<Graphics>();
    return *instance;
}

}  // namespace

// ---- textures ------------------------------------------------------------------------

Texture::Texture(std::shared_ptr<RenderContext> ctx, SDL_Texture* tex, int w, int h, bool solid)
    : context(std::move(ctx)), texture(tex), width(w), height(h), opaque(solid) {}

Texture::~Texture() {
    if (!context->renderer) return;
    context->graphics->settle();
    tints.release();
    SDL_DestroyTexture(texture);
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
      lines_(1024,
             [](RenderedLine& line) {
                 line.tints.release();
                 SDL_DestroyTexture(line.texture);
             }),
      layouts_(256) {
    context_->renderer = renderer;
    context_->graphics = this;
    SDL_RendererInfo info{};
    bakeTints_ = SDL_GetRendererInfo(renderer_, &info) == 0 && (info.flags & SDL_RENDERER_SOFTWARE) != 0;
    // The software renderer's targets keep their pixels from frame to frame; other
    // renderers' window buffers need not, and they draw fast enough anyway.
    cacheFrames_ = bakeTints_;
    if (window_) setMainWindow(window_);
    chooseTarget();
    clear(0);
}

SdlGraphics::~SdlGraphics() {
    mode_ = FrameMode::Drawing;  // nothing held back is drawn any more
    lines_.clear();
    if (layers_) SDL_DestroyTexture(layers_);
    // The software renderer tears down a window that was resized while drawing into the
    // target by leaking a little; drawing into the window again first avoids it.
    if (target_) SDL_SetRenderTarget(renderer_, nullptr);
    if (target_) SDL_DestroyTexture(target_);
    // Destroying the renderer frees every texture it made, including those still held
    // by pictures; mark them dead so their handles no longer touch them.
    context_->renderer = nullptr;
    context_->graphics = nullptr;
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
    // The message loop reads touches itself; mouse events made of them would press twice.
    SDL_SetHint(SDL_HINT_TOUCH_MOUSE_EVENTS, "0");
    // The desktop matches the window to its menu entry (StartupWMClass) by this class,
    // whatever the executable is called. SDL reads it from the environment only.
    SDL_setenv("SDL_VIDEO_X11_WMCLASS", kWindowClass, 0);
    SDL_setenv("SDL_VIDEO_WAYLAND_WMCLASS", kWindowClass, 0);
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return fail(0);
    // Without a display SDL falls back to drivers that draw into memory: the game would
    // run on unseen, never to be closed.
    if (const char* driver = SDL_GetCurrentVideoDriver(); !showsWindows(driver)) {
        const std::string name = driver ? driver : "?";
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        SDL_SetError("no display to show the window on (video driver \"%s\")", name.c_str());
        return fail(0);
    }
    initImageAndText();
    // SDL would show a software renderer's frames through a hidden OpenGL renderer, which
    // on a machine without a graphics driver costs more than drawing them. X11 shows them
    // from shared memory instead. (Other systems may have no such way: leave them be.)
    const char* video = SDL_GetCurrentVideoDriver();
    if (video && std::strcmp(video, "x11") == 0) SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
#ifdef __EMSCRIPTEN__
    // The page scales the 1024x768 canvas to the browser's window itself (letterboxed, or
    // full screen from its button), so the frame stays the very pixels drawn.
    constexpr Uint32 kWindowFlags = SDL_WINDOW_SHOWN;
#else
    constexpr Uint32 kWindowFlags = SDL_WINDOW_FULLSCREEN_DESKTOP | SDL_WINDOW_SHOWN;
#endif
    SDL_Window* window = SDL_CreateWindow("Ferrolin", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                                          kScreenWidth, kScreenHeight, kWindowFlags);
    if (!window) return fail(1);
    watchTouches();
    // A renderer the user asked for (SDL_RENDER_DRIVER) is always tried and kept.
    const char* asked = SDL_GetHint(SDL_HINT_RENDER_DRIVER);
    const bool userChose = asked && *asked;
    SDL_Renderer* renderer = nullptr;
    if (userChose || graphicsProcessorPresent("/dev")) {
        renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_TARGETTEXTURE);
    }
    // OpenGL emulated by the processor is no acceleration: there SDL's software renderer
    // draws the same frames for a quarter of the processor time.
    if (renderer && !userChose && rasterisesOnProcessor(renderer)) {
        SDL_DestroyRenderer(renderer);
        renderer = nullptr;
    }
    if (!renderer) renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
    if (!renderer) {
        auto result = fail(2);
        SDL_DestroyWindow(window);
        return result;
    }
    SDL_RenderSetLogicalSize(renderer, kScreenWidth, kScreenHeight);
    return std::make_unique<SdlGraphics>(window, renderer, nullptr, nullptr);
}

std::string SdlGraphics::rendererName() const {
    SDL_RendererInfo info{};
    if (SDL_GetRendererInfo(renderer_, &info) != 0 || !info.name) return "unknown";
    return info.name;
}

// ---- primitives ----------------------------------------------------------------------

void SdlGraphics::renderClear(uint32_t argb) {
    submit(DrawCall{DrawCall::Clear, SDL_BLENDMODE_NONE, argb, nullptr, {}, {}});
}

void SdlGraphics::renderFill(const SDL_Rect& rect, uint32_t argb, SDL_BlendMode mode) {
    submit(DrawCall{DrawCall::Fill, mode, argb, nullptr, {}, rect});
}

void SdlGraphics::renderCopy(SDL_Texture* texture, uint64_t id, TintedCopies& tints, int width,
                             int height, bool opaque, const SDL_Rect& from, const SDL_Rect& to,
                             uint32_t argb) {
    ++draws_;
    if (bakeTints_ && argb != 0xFFFFFFFFu) {
        if (tints.wouldReplace(argb)) settle();
        uint64_t copyId = 0;
        if (SDL_Texture* copy = tints.find(renderer_, texture, width, height, argb, draws_, &copyId)) {
            texture = copy;
            id = copyId;
            opaque = opaque && (argb >> 24) == 0xFF;
            argb = 0xFFFFFFFFu;
        }
    }
    const SDL_BlendMode blend =
        opaque && (argb >> 24) == 0xFF ? SDL_BLENDMODE_NONE : SDL_BLENDMODE_BLEND;
    submit(DrawCall{DrawCall::Copy, blend, argb, texture, from, to, id});
}

void SdlGraphics::clear(uint32_t argb) { renderClear(argb | 0xFF000000u); }

void SdlGraphics::clearRect(int left, int top, int right, int bottom, uint32_t argb) {
    const SDL_Rect r = cornersToRect(left, top, right, bottom);
    if (r.w <= 0 || r.h <= 0) return;
    renderFill(r, argb | 0xFF000000u, SDL_BLENDMODE_NONE);
}

void SdlGraphics::fillRect(int left, int top, int right, int bottom, uint32_t argb) {
    const SDL_Rect r = cornersToRect(left, top, right, bottom);
    if (r.w <= 0 || r.h <= 0) return;
    renderFill(r, argb, SDL_BLENDMODE_BLEND);
}

void SdlGraphics::fillRectClipped(int left, int top, int right, int bottom, uint32_t argb,
                                  const Rect& clip) {
    fillRect(std::max(left, clip.left), std::max(top, clip.top), std::min(right, clip.right),
             std::min(bottom, clip.bottom), argb);
}

void SdlGraphics::strip(int l, int t, int r, int b, uint32_t topLeft, uint32_t bottomRight) {
    const SDL_Rect rects[] = {segment(l, r, t, true), segment(b, t, l, false), segment(t, b, r, false),
                              segment(r, l, b, true)};
    for (int i = 0; i < 4; ++i) {
        if (rects[i].w > 0 && rects[i].h > 0) {
            renderFill(rects[i], i < 2 ? topLeft : bottomRight, SDL_BLENDMODE_BLEND);
        }
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
    // A picture at the largest size, uncompressed with a colour map, and nothing more.
    constexpr size_t kMaxFileBytes =
        static_cast<size_t>(kMaxTextureSide) * kMaxTextureSide * 4 + 65536 + 1024;
    const auto bytes = readFile(path, kMaxFileBytes);
    if (!bytes) return nullptr;
    std::optional<SharedPictures::Known> known = pictures_.find(*bytes);
    if (!known) {
        known.emplace();
        if (SDL_Surface* surface = decodeTga(*bytes)) {
            known->texture = textureFrom(surface, &known->width, &known->height);
            // A renderer out of memory says nothing about the file: try it again next time.
            if (!known->texture) return nullptr;
        }
        pictures_.remember(*bytes, known->texture, known->width, known->height);
    }
    if (known->texture) {
        if (width) *width = known->width;
        if (height) *height = known->height;
    }
    return known->texture;
}

TexturePtr SdlGraphics::loadTextureFromMemory(const std::vector<uint8_t>& file, int* width,
                                              int* height) {
    SDL_Surface* surface = decodeTga(file);
    return surface ? textureFrom(surface, width, height) : nullptr;
}

TexturePtr SdlGraphics::textureFrom(SDL_Surface* surface, int* width, int* height) {
    SDL_Texture* texture = SDL_CreateTextureFromSurface(renderer_, surface);
    const int w = surface->w;
    const int h = surface->h;
    const bool opaque = isOpaque(surface);
    SDL_FreeSurface(surface);
    if (!texture) return nullptr;
    SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND);
    if (width) *width = w;
    if (height) *height = h;
    return std::make_shared<Texture>(context_, texture, w, h, opaque);
}

void SdlGraphics::drawTexture(const Texture& texture, int x, int y, const Rect* src, uint32_t argb) {
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
    renderCopy(texture.texture, texture.id, texture.tints, texture.width, texture.height, texture.opaque,
               from, SDL_Rect{dx, dy, from.w, from.h}, argb);
}

// ---- frames --------------------------------------------------------------------------

uint32_t SdlGraphics::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= kScreenWidth || y >= kScreenHeight) return 0xFF000000u;
    const_cast<SdlGraphics*>(this)->finishDrawing();
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
    const_cast<SdlGraphics*>(this)->finishDrawing();
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
