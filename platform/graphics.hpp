// The drawing surface of the game: a 1024x768 logical screen with pictures, text and
// untextured primitives. One implementation serves the real window and the headless
// memory surface used by tests and ferrolin-script; only the target differs.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/types.hpp"

namespace platform {

// Size of the source image the texture was made from.
int textureWidth(const Texture& texture);
int textureHeight(const Texture& texture);

class Graphics {
public:
    virtual ~Graphics() = default;

    // A 1024x768 memory surface drawn by the software renderer; needs no display.
    static std::unique_ptr<Graphics> createHeadless();

    // A borderless desktop-sized window showing the logical screen scaled and
    // letterboxed. Tries an accelerated renderer, then the software one; vsync off.
    // On failure returns null and puts the library's reason into *error.
    // failedStep tells which step failed: 0 the video system, 1 the window, 2 the renderer.
    static std::unique_ptr<Graphics> createWindowed(std::string* error, int* failedStep);

    // The name of the graphics system really in use ("OpenGL", "software", ...).
    virtual std::string rendererName() const = 0;

    // Whole target to a colour, without blending.
    virtual void clear(uint32_t argb) = 0;
    // Writes the colour into the rectangle without blending (the screen wipe).
    virtual void clearRect(int left, int top, int right, int bottom, uint32_t argb) = 0;
    // Blended primitives in corner coordinates.
    virtual void fillRect(int left, int top, int right, int bottom, uint32_t argb) = 0;
    // Line strip through (l,t) (r,t) (r,b) (l,b) (l,t).
    virtual void drawOutline(int left, int top, int right, int bottom, uint32_t argb) = 0;
    // Top and left edges in the first colour, right and bottom in the second.
    virtual void drawBevel(int left, int top, int right, int bottom, uint32_t topLeft,
                           uint32_t bottomRight) = 0;

    // Loads a TGA picture (uncompressed or RLE; 8/16/24/32-bit; colour-mapped or grey;
    // either row order). Texels of opaque RGB(0x16,0x40,0x00) become transparent black.
    // On success stores the source image size into *width and *height (when given);
    // on failure returns null and leaves them untouched. Sides above 2048 are refused.
    // Loads of the same bytes while their picture is held share one texture; bytes that
    // made no picture are not decoded again.
    virtual TexturePtr loadTexture(const std::string& path, int* width, int* height) = 0;
    // The same from the bytes of a whole TGA file already in memory.
    virtual TexturePtr loadTextureFromMemory(const std::vector<uint8_t>& file, int* width,
                                             int* height) = 0;

    // Draws the texture (or its part src, in texture pixels) with its top-left at (x, y),
    // multiplied by the ARGB colour.
    virtual void drawTexture(const Texture& texture, int x, int y, const Rect* src, uint32_t argb) = 0;

    // A font by face (matched through fontconfig), cell height in pixels, weight
    // (>= 600 picks bold) and italic. Null when no font can be found.
    virtual FontPtr createFont(const char* face, int height, int weight, bool italic) = 0;

    // Draws Windows-1251 text (length -1: up to the zero byte) in the rectangle with the
    // format's flags. With TextFormat::CalcRect nothing is drawn and rect->right/bottom are set to
    // the size the text needs. Returns the height of the text drawn.
    // Rendered lines are cached, so an unchanged text is not rasterised again.
    virtual int drawText(Font& font, const char* text, int length, Rect* rect, TextFormat format,
                         uint32_t argb) = 0;

    // Shows the finished frame (the headless surface keeps it for reading back), first
    // drawing the edit boxes if the frame has not.
    virtual void present() = 0;
    // Whether the frame presented last differs from the one before it (a renderer that
    // cannot tell answers true).
    virtual bool lastFrameChanged() const { return true; }
    // The window changed size or showed again what was covered: the next frame is drawn
    // whole, since what it holds may be gone.
    virtual void windowChanged() {}

    // Reads back one pixel of the current frame as 0xAARRGGBB (alpha always 0xFF).
    virtual uint32_t pixel(int x, int y) const = 0;
    // Writes the current frame as PNG.
    virtual bool savePng(const std::string& path) const = 0;
};

// The one drawing surface of the process; set at start-up (or by a test). Asked for
// before any was set, it makes a headless one.
Graphics& graphics();
void setGraphics(std::unique_ptr<Graphics> graphics);
bool hasGraphics();

}  // namespace platform
