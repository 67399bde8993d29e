// TGA pictures to ARGB8888 surfaces with the game's colour key applied. Internal to
// platform/.
#pragma once

#include <SDL2/SDL.h>

#include <cstdint>
#include <vector>

namespace platform {

// Largest picture side accepted: twice the screen is more than any picture of the game
// needs, and a damaged or hostile file cannot make us allocate much more (16 MB).
constexpr int kMaxTextureSide = 2048;

// Opaque texels of this RGB become transparent black.
constexpr uint32_t kColourKey = 0xFF164000;

// Decodes a whole TGA file; null when the data is not a complete TGA picture we can read.
// The caller frees the surface.
SDL_Surface* decodeTga(const std::vector<uint8_t>& file);

// Replaces every texel equal to kColourKey by 0x00000000 (ARGB8888 surface).
void applyColourKey(SDL_Surface* surface);

}  // namespace platform
