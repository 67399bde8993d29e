// Fonts of the platform layer: a face matched through fontconfig, opened at the size
// whose cell (ascent + descent) is the requested height. Internal to platform/.
#pragma once

#include <SDL2/SDL_ttf.h>

#include <cstdint>
#include <string>

#include "platform/types.hpp"

namespace platform {

class Font {
public:
    Font(TTF_Font* ttf, int cellHeight);
    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    TTF_Font* ttf() const { return ttf_; }
    int cellHeight() const { return cellHeight_; }
    // Unique for the life of the process, so caches can key on it.
    uint64_t serial() const { return serial_; }
    // Advance width of a UTF-8 string in pixels.
    int textWidth(const std::string& utf8) const;

private:
    TTF_Font* ttf_;
    int cellHeight_;
    uint64_t serial_;
};

// Shared per (face, height, bold, italic); fonts stay open for the life of the process.
// Null when fontconfig finds no file or the file cannot be opened.
FontPtr openFont(const char* face, int height, int weight, bool italic);

// The file fontconfig picks for the face, with the face index inside it; empty when none.
struct FontFile {
    std::string path;
    int index = 0;
    bool bold = false;    // the file's own weight is bold
    bool italic = false;  // the file's own slant is italic or oblique
};
FontFile matchFontFile(const char* face, bool bold, bool italic);

}  // namespace platform
