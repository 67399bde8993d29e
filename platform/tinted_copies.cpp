// Baking a constant tint into a copy of a picture (see TintedCopies).
#include "platform/sdl_graphics.hpp"

namespace platform {

namespace {

// Renders base with argb, without blending, into a new transparent picture: the copy's
// texels are the modulated texels, which plain blending then puts on the screen as SDL's
// modulated blending would have.
SDL_Texture* bake(SDL_Renderer* renderer, SDL_Texture* base, int w, int h, uint32_t argb) {
    if (w <= 0 || h <= 0) return nullptr;
    SDL_Texture* copy =
        SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET, w, h);
    if (!copy) return nullptr;
    SDL_Texture* previous = SDL_GetRenderTarget(renderer);
    if (SDL_SetRenderTarget(renderer, copy) != 0) {
        SDL_DestroyTexture(copy);
        return nullptr;
    }
    SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_NONE);
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 0);
    SDL_RenderClear(renderer);
    SDL_SetTextureBlendMode(base, SDL_BLENDMODE_NONE);
    SDL_SetTextureColorMod(base, (argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF);
    SDL_SetTextureAlphaMod(base, (argb >> 24) & 0xFF);
    const SDL_Rect whole{0, 0, w, h};
    const bool ok = SDL_RenderCopy(renderer, base, &whole, &whole) == 0;
    SDL_SetTextureBlendMode(base, SDL_BLENDMODE_BLEND);
    SDL_SetRenderTarget(renderer, previous);
    if (!ok) {
        SDL_DestroyTexture(copy);
        return nullptr;
    }
    return copy;
}

}  // namespace

SDL_Texture* TintedCopies::find(SDL_Renderer* renderer, SDL_Texture* base, int w, int h, uint32_t argb,
                                uint64_t now, uint64_t* id) {
    for (Slot& s : slots_) {
        if (s.lastUse != 0 && s.argb == argb) {
            s.lastUse = now;
            *id = s.id;
            return s.copy;
        }
    }
    // A new tint takes the slot used longest ago, an empty one first. A picture that
    // cannot be copied keeps its slot empty-handed and is drawn modulated.
    Slot* slot = &slots_[0];
    for (Slot& s : slots_) {
        if (s.lastUse < slot->lastUse) slot = &s;
    }
    if (slot->copy) SDL_DestroyTexture(slot->copy);
    *slot = Slot{argb, now, bake(renderer, base, w, h, argb), newTextureId()};
    *id = slot->id;
    return slot->copy;
}

bool TintedCopies::wouldReplace(uint32_t argb) const {
    for (const Slot& s : slots_) {
        if (s.lastUse == 0 || s.argb == argb) return false;
    }
    return true;
}

void TintedCopies::release() {
    for (Slot& s : slots_) {
        if (s.copy) SDL_DestroyTexture(s.copy);
        s = Slot{};
    }
}

}  // namespace platform
