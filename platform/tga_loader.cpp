// SDL_image does the decoding; we check the file first so that only complete pictures of
// sane size reach it (it happily reads past the end of a short RLE stream), and fix up
// what it leaves out: right-to-left rows and 32-bit files whose fourth byte is not alpha.
#include "platform/tga_loader.hpp"

#include <SDL2/SDL_image.h>

#include <algorithm>

namespace platform {
namespace {

struct TgaHeader {
    unsigned idLength = 0;
    unsigned colourMapType = 0;
    unsigned imageType = 0;
    unsigned colourMapLength = 0;
    unsigned colourMapEntryBits = 0;
    unsigned width = 0;
    unsigned height = 0;
    unsigned bitsPerPixel = 0;
    unsigned descriptor = 0;
};

constexpr size_t kHeaderSize = 18;
constexpr unsigned kRightToLeft = 0x10;

unsigned word(const std::vector<uint8_t>& d, size_t at) { return d[at] | (d[at + 1] << 8); }

bool readHeader(const std::vector<uint8_t>& d, TgaHeader* h) {
    if (d.size() < kHeaderSize) return false;
    h->idLength = d[0];
    h->colourMapType = d[1];
    h->imageType = d[2];
    h->colourMapLength = word(d, 5);
    h->colourMapEntryBits = d[7];
    h->width = word(d, 12);
    h->height = word(d, 14);
    h->bitsPerPixel = d[16];
    h->descriptor = d[17];
    return true;
}

bool depthSupported(const TgaHeader& h) {
    switch (h.imageType & 7) {
        case 1:  // colour-mapped
            return h.colourMapType == 1 && h.bitsPerPixel == 8 &&
                   (h.colourMapEntryBits == 15 || h.colourMapEntryBits == 16 ||
                    h.colourMapEntryBits == 24 || h.colourMapEntryBits == 32);
        case 2:  // true colour
            return h.bitsPerPixel == 15 || h.bitsPerPixel == 16 || h.bitsPerPixel == 24 ||
                   h.bitsPerPixel == 32;
        case 3:  // grey
            return h.bitsPerPixel == 8;
        default:
            return false;
    }
}

// True when the pixel data after `offset` holds all width * height pixels.
bool pixelDataComplete(const std::vector<uint8_t>& d, size_t offset, const TgaHeader& h) {
    const size_t bytesPerPixel = (h.bitsPerPixel + 7) / 8;
    const size_t pixels = static_cast<size_t>(h.width) * h.height;
    if (!(h.imageType & 8)) return offset + pixels * bytesPerPixel <= d.size();
    size_t seen = 0;
    size_t at = offset;
    while (seen < pixels) {
        if (at >= d.size()) return false;
        const uint8_t packet = d[at++];
        const size_t count = (packet & 0x7F) + 1;
        at += (packet & 0x80) ? bytesPerPixel : count * bytesPerPixel;
        if (at > d.size()) return false;
        seen += count;
    }
    return true;
}

void mirrorRows(SDL_Surface* s) {
    for (int y = 0; y < s->h; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(s->pixels) + y * s->pitch);
        std::reverse(row, row + s->w);
    }
}

void forceOpaque(SDL_Surface* s) {
    for (int y = 0; y < s->h; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(s->pixels) + y * s->pitch);
        for (int x = 0; x < s->w; ++x) row[x] |= 0xFF000000u;
    }
}

}  // namespace

void applyColourKey(SDL_Surface* s) {
    for (int y = 0; y < s->h; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(s->pixels) + y * s->pitch);
        for (int x = 0; x < s->w; ++x) {
            if (row[x] == kColourKey) row[x] = 0;
        }
    }
}

SDL_Surface* decodeTga(const std::vector<uint8_t>& file) {
    TgaHeader h;
    if (!readHeader(file, &h) || !depthSupported(h)) return nullptr;
    if (h.width == 0 || h.height == 0 || h.width > kMaxTextureSide || h.height > kMaxTextureSide) {
        return nullptr;
    }
    const size_t mapBytes =
        h.colourMapType ? static_cast<size_t>(h.colourMapLength) * ((h.colourMapEntryBits + 7) / 8) : 0;
    if (!pixelDataComplete(file, kHeaderSize + h.idLength + mapBytes, h)) return nullptr;

    std::vector<uint8_t> data = file;
    const bool rightToLeft = (h.descriptor & kRightToLeft) != 0;
    data[17] = static_cast<uint8_t>(h.descriptor & ~kRightToLeft);

    SDL_RWops* rw = SDL_RWFromConstMem(data.data(), static_cast<int>(data.size()));
    if (!rw) return nullptr;
    SDL_Surface* decoded = IMG_LoadTyped_RW(rw, 1, "TGA");
    if (!decoded) return nullptr;
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(decoded, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(decoded);
    if (!argb) return nullptr;
    if (SDL_MUSTLOCK(argb)) SDL_LockSurface(argb);
    if (rightToLeft) mirrorRows(argb);
    // Without attribute bits the fourth byte of a 32-bit texel is padding, not alpha.
    if ((h.imageType & 7) == 2 && h.bitsPerPixel == 32 && (h.descriptor & 0x0F) == 0) {
        forceOpaque(argb);
    }
    applyColourKey(argb);
    if (SDL_MUSTLOCK(argb)) SDL_UnlockSurface(argb);
    return argb;
}

}  // namespace platform
