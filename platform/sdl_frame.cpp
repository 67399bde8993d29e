// How a frame reaches the renderer and the window. The window is usually exactly the
// logical screen, so frames are drawn straight into it; only a larger desktop needs the
// target texture and its one scaled copy per frame.
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

}  // namespace

void SdlGraphics::submit(const DrawCall& call) {
    // The frame starts with a clear that the opaque background then hides entirely.
    if (clearPending_) {
        clearPending_ = false;
        if (!coversScreen(call)) execute(pendingClear_);
    }
    if (call.kind == DrawCall::Clear) {
        pendingClear_ = call;
        clearPending_ = true;
        return;
    }
    execute(call);
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
            SDL_SetTextureColorMod(call.texture, channel(argb, 16), channel(argb, 8),
                                   channel(argb, 0));
            SDL_SetTextureAlphaMod(call.texture, channel(argb, 24));
            SDL_RenderCopy(renderer_, call.texture, &call.from, &call.to);
            break;
        case DrawCall::Present:
            break;
    }
}

void SdlGraphics::finishDrawing() {
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
    if (SDL_GetRenderTarget(renderer_) != next) SDL_SetRenderTarget(renderer_, next);
}

void SdlGraphics::present() {
    drawEditBoxesIfPending(*this);
    finishDrawing();
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

}  // namespace platform
