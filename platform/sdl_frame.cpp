// How a frame reaches the renderer and the window. The window is usually exactly the
// logical screen, so frames are drawn straight into it; only a larger desktop needs the
// target texture and its one scaled copy per frame.
//
// Every tick draws the whole frame, and mostly it is the frame before: the same calls
// with the same pictures at the same places. The calls of a frame that starts from
// nothing (a clear, or the opaque background) are therefore held back until the frame is
// presented and compared with the last frame's. An equal frame is already in the target;
// one that differs only from some call on is drawn over a saved copy of the layers below
// that call, which during an animation stays the same from frame to frame.
#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/edit_box.hpp"
#include "platform/platform_internal.hpp"
#include "platform/sdl_graphics.hpp"

namespace platform {
namespace {

uint8_t channel(uint32_t argb, int shift) { return static_cast<uint8_t>((argb >> shift) & 0xFF); }

// Whether the call alone decides every pixel of the screen, whatever was there before.
bool coversScreen(const DrawCall& call) {
    if (call.kind == DrawCall::Clear) return true;
    if (call.blend != SDL_BLENDMODE_NONE) return false;
    return call.to.x <= 0 && call.to.y <= 0 && call.to.x + call.to.w >= kScreenWidth &&
           call.to.y + call.to.h >= kScreenHeight;
}

bool checkingFrames = false;

}  // namespace

FrameStats& frameStats() {
    static FrameStats stats;
    return stats;
}

void setFrameCheck(bool on) { checkingFrames = on; }

uint64_t newTextureId() {
    static uint64_t last = 0;
    return ++last;
}

void SdlGraphics::setFrameCache(bool on) {
    settle();
    cacheFrames_ = on && bakeTints_;
}

void SdlGraphics::submit(const DrawCall& call) {
    const bool covers = coversScreen(call);
    if (mode_ == FrameMode::Fresh) {
        // Only a frame that starts from nothing is decided by its calls alone.
        mode_ = cacheFrames_ && !log_ && covers ? FrameMode::Recording : FrameMode::Drawing;
    }
    // Whatever a covering call hides never shows: the clear under the background.
    if (covers) frame_.clear();
    frame_.push_back(call);
    if (mode_ == FrameMode::Recording) return;
    if (clearPending_) {
        clearPending_ = false;
        if (!covers) execute(pendingClear_);
    }
    if (call.kind == DrawCall::Clear) {
        pendingClear_ = call;
        clearPending_ = true;
        return;
    }
    execute(call);
}

void SdlGraphics::run(size_t from, size_t to) {
    for (size_t i = from; i < to; ++i) execute(frame_[i]);
}

void SdlGraphics::compose() {
    mode_ = FrameMode::Drawing;
    const size_t n = frame_.size();
    size_t same = 0;
    if (previousFromCover_) {
        const size_t m = std::min(n, previous_.size());
        while (same < m && frame_[same] == previous_[same]) ++same;
    }
    if (targetHoldsPrevious_ && same == n && n == previous_.size()) {
        // A frame at rest is like the one before it: checking every eighth is enough.
        const uint64_t reused = ++frameStats().reused;
        if (checkingFrames && reused % 8 == 0) checkFrame();
        return;
    }
    const bool layersFit = layersValid_ && layerCalls_.size() <= same &&
                           std::equal(layerCalls_.begin(), layerCalls_.end(), frame_.begin());
    if (!(targetHoldsPrevious_ && same == previous_.size())) {
        size_t from = 0;
        if (layersFit) {
            restoreLayers();
            from = layerCalls_.size();
            ++frameStats().fromLayers;
        }
        run(from, same);
    }
    // Keep the layers below the first change: in an animation the next frame changes at
    // the same call again. Below two calls they cost as much to restore as to draw.
    if (same >= 2 && same < n && !(layersFit && layerCalls_.size() == same)) saveLayers(same);
    run(same, n);
    if (checkingFrames) checkFrame();
}

void SdlGraphics::settle() {
    if (mode_ == FrameMode::Recording) compose();
}

void SdlGraphics::execute(const DrawCall& call) {
    if (log_) log_->add(call);
    const uint32_t argb = call.argb;
    switch (call.kind) {
        case DrawCall::Clear:
            SDL_SetRenderDrawBlendMode(renderer_, SDL_BLENDMODE_NONE);
            SDL_SetRenderDrawColor(renderer_, channel(argb, 16), channel(argb, 8), channel(argb, 0),
                                   channel(argb, 24));
            SDL_RenderClear(renderer_);
            break;
        case DrawCall::Fill:
            SDL_SetRenderDrawBlendMode(renderer_, call.blend);
            SDL_SetRenderDrawColor(renderer_, channel(argb, 16), channel(argb, 8), channel(argb, 0),
                                   channel(argb, 24));
            SDL_RenderFillRect(renderer_, &call.to);
            break;
        case DrawCall::Copy:
            SDL_SetTextureBlendMode(call.texture, call.blend);
            SDL_SetTextureColorMod(call.texture, channel(argb, 16), channel(argb, 8), channel(argb, 0));
            SDL_SetTextureAlphaMod(call.texture, channel(argb, 24));
            SDL_RenderCopy(renderer_, call.texture, &call.from, &call.to);
            break;
        case DrawCall::Present:
            break;
    }
}

void SdlGraphics::finishDrawing() {
    settle();
    if (clearPending_) {
        clearPending_ = false;
        execute(pendingClear_);
    }
    SDL_RenderFlush(renderer_);
}

bool SdlGraphics::drawingToTarget() const {
    return target_ != nullptr && SDL_GetRenderTarget(renderer_) == target_;
}

void SdlGraphics::chooseTarget() {
    if (!window_) return;
    int w = 0;
    int h = 0;
    SDL_GetRendererOutputSize(renderer_, &w, &h);
    const bool exact = w == kScreenWidth && h == kScreenHeight;
    if (!exact && !target_) {
        target_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET,
                                    kScreenWidth, kScreenHeight);
        if (target_) {
            SDL_SetTextureScaleMode(target_, SDL_ScaleModeLinear);
            SDL_SetTextureBlendMode(target_, SDL_BLENDMODE_NONE);
        }
    }
    SDL_Texture* next = exact ? nullptr : target_;
    if (SDL_GetRenderTarget(renderer_) != next || w != outputWidth_ || h != outputHeight_) {
        // A new target, or a window surface made afresh for a new size.
        forgetFrames();
        outputWidth_ = w;
        outputHeight_ = h;
        SDL_SetRenderTarget(renderer_, next);
    }
}

void SdlGraphics::present() {
    drawEditBoxesIfPending(*this);
    finishDrawing();
    frameChanged_ = frame_ != previous_;
    previous_.swap(frame_);
    frame_.clear();
    previousFromCover_ = !previous_.empty() && coversScreen(previous_.front());
    targetHoldsPrevious_ = true;
    mode_ = FrameMode::Fresh;
    if (log_) log_->add(DrawCall{DrawCall::Present, SDL_BLENDMODE_NONE, 0, nullptr, {}, {}});
    if (!window_) return;
    if (drawingToTarget()) {
        SDL_SetRenderTarget(renderer_, nullptr);
        // Letterbox bars only where the scaled frame leaves some.
        int w = 0;
        int h = 0;
        SDL_GetRendererOutputSize(renderer_, &w, &h);
        if (static_cast<long>(w) * kScreenHeight != static_cast<long>(h) * kScreenWidth) {
            SDL_SetRenderDrawBlendMode(renderer_, SDL_BLENDMODE_NONE);
            SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
            SDL_RenderClear(renderer_);
        }
        SDL_RenderCopy(renderer_, target_, nullptr, nullptr);
    }
    SDL_RenderPresent(renderer_);
    chooseTarget();
}

void SdlGraphics::windowChanged() {
    forgetFrames();
    chooseTarget();
}

// ---- the cached layers ---------------------------------------------------------------

namespace {

// The pixel format of what the renderer draws into now.
uint32_t targetFormat(SDL_Renderer* renderer, SDL_Window* window, SDL_Surface* surface) {
    if (SDL_Texture* target = SDL_GetRenderTarget(renderer)) {
        uint32_t format = 0;
        SDL_QueryTexture(target, &format, nullptr, nullptr, nullptr);
        return format;
    }
    if (surface) return surface->format->format;
    SDL_Surface* windowSurface = window ? SDL_GetWindowSurface(window) : nullptr;
    return windowSurface ? windowSurface->format->format : uint32_t{SDL_PIXELFORMAT_UNKNOWN};
}

// Reads the target into a buffer of its own format: a plain copy.
bool readTarget(SDL_Renderer* renderer, uint32_t format, void* pixels, int pitch) {
    return SDL_RenderReadPixels(renderer, nullptr, format, pixels, pitch) == 0;
}

}  // namespace

void SdlGraphics::saveLayers(size_t count) {
    layersValid_ = false;
    const uint32_t format = targetFormat(renderer_, window_, surface_);
    if (format == SDL_PIXELFORMAT_UNKNOWN) return;
    if (!layers_) {
        layers_ = SDL_CreateTexture(renderer_, format, SDL_TEXTUREACCESS_STREAMING, kScreenWidth,
                                    kScreenHeight);
        if (!layers_) return;
    }
    void* pixels = nullptr;
    int pitch = 0;
    if (SDL_LockTexture(layers_, nullptr, &pixels, &pitch) != 0) return;
    const bool ok = readTarget(renderer_, format, pixels, pitch);
    SDL_UnlockTexture(layers_);
    if (!ok) return;
    layerCalls_.assign(frame_.begin(), frame_.begin() + static_cast<std::ptrdiff_t>(count));
    layersValid_ = true;
}

void SdlGraphics::restoreLayers() {
    SDL_SetTextureBlendMode(layers_, SDL_BLENDMODE_NONE);
    SDL_SetTextureColorMod(layers_, 255, 255, 255);
    SDL_SetTextureAlphaMod(layers_, 255);
    SDL_RenderCopy(renderer_, layers_, nullptr, nullptr);
}

void SdlGraphics::forgetFrames() {
    settle();
    targetHoldsPrevious_ = false;
    layersValid_ = false;
    // The next target may have another pixel format.
    if (layers_) SDL_DestroyTexture(layers_);
    layers_ = nullptr;
}

void SdlGraphics::checkFrame() {
    const uint32_t format = targetFormat(renderer_, window_, surface_);
    const int pitch = kScreenWidth * 4;
    std::vector<uint8_t> composed(static_cast<size_t>(pitch) * kScreenHeight);
    std::vector<uint8_t> drawn(composed.size());
    if (!readTarget(renderer_, format, composed.data(), pitch)) return;
    run(0, frame_.size());
    if (!readTarget(renderer_, format, drawn.data(), pitch)) return;
    ++frameStats().checked;
    if (composed == drawn) return;
    // The fourth byte is no colour in a target without alpha.
    const uint32_t colour = SDL_ISPIXELFORMAT_ALPHA(format) ? 0xFFFFFFFFu : 0x00FFFFFFu;
    for (size_t i = 0; i < composed.size(); i += 4) {
        uint32_t a = 0;
        uint32_t b = 0;
        std::memcpy(&a, &composed[i], 4);
        std::memcpy(&b, &drawn[i], 4);
        if ((a ^ b) & colour) {
            ++frameStats().mismatched;
            return;
        }
    }
}

}  // namespace platform
