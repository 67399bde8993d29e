// Drawing resources every item shares: the three fonts, the cursors, pictures with their
// file-name variants, the untextured primitives and text drawing.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/types.hpp"

namespace ui {

using platform::TextFormat;

using platform::FontPtr;
using platform::Rect;
using platform::TexturePtr;

// The three text sizes of every screen, made once at start-up (the shell holds them).
struct Fonts {
    FontPtr small;   // "Verdana" 16, 600: buttons, lists, statement, hints
    FontPtr large;   // "Verdana" 26, 700: the task title, the move count
    FontPtr medium;  // "Verdana" 22, 600: popup messages
};

// Makes the live shell's three fonts; false when any is missing. They go with the shell.
bool createFonts();

FontPtr createFont(const char* face, int height, int weight, bool italic);

// A picture from a file; on success stores the source size into width/height when given.
TexturePtr loadTexture(const std::string& path, int* width, int* height);
// "textures/boat.tga" + "_small" -> "textures/boat_small.tga"; no dot: suffix appended.
std::string variantName(const std::string& path, const char* suffix);

void drawTexture(const TexturePtr& texture, int x, int y, const Rect* src, uint32_t colour);

void drawOutline(int left, int top, int right, int bottom, uint32_t colour);
void fillRect(int left, int top, int right, int bottom, uint32_t colour);
void drawBevel(int left, int top, int right, int bottom, uint32_t topLeft, uint32_t bottomRight);
void clearRect(int left, int top, int right, int bottom, uint32_t colour);

// Windows-1251 text laid out as `format` says; returns the height drawn. With TextFormat::CalcRect the
// rectangle's right and bottom are set and nothing is drawn.
int drawText(const FontPtr& font, const char* text, Rect* rect, platform::TextFormat format,
             uint32_t colour);
int drawText(const FontPtr& font, const char* text, Rect rect, platform::TextFormat format,
             uint32_t colour);
// A text's outline or shadow: drawn like any text, but it only lies behind the text
// it sets off (a flag of drawText's format, never passed on to the drawing surface).
constexpr platform::TextFormat kTextBacking = static_cast<platform::TextFormat>(0x80000000u);
// The text in its colour over an outline of one pixel in `outline`, at the same alpha:
// readable on any background, the water's light blue as well as a yellow selection.
int drawOutlinedText(const FontPtr& font, const char* text, Rect rect, platform::TextFormat format,
                     uint32_t colour, uint32_t outline = 0xFF000000);

// The shell's watcher of every text drawn (measuring is not drawing); ferrolin-script
// reads what the screen says with it and measures its contrast. A text it answers false
// for is measured but not drawn.
using TextObserver = std::function<bool(const FontPtr& font, const char* text, const Rect& rect,
                                        platform::TextFormat format, uint32_t colour)>;

// The hint box asked for in the current frame (null when none) and its rectangle.
const char* currentHint(Rect* rect);

// The pale yellow of the texts on the wood panel and under the banks, and of the bevels'
// light edges.
constexpr uint32_t kPaleYellow = 0xFFFFFFCC;
// The dark plate a text stands on where neither the wood nor the water lies behind it, and
// its edge.
constexpr uint32_t kPlateColour = 0xE0283440;
constexpr uint32_t kPlateEdge = 0xFF8A6A40;

enum class CursorKind { Arrow, Hand, Drag };
void setCursor(CursorKind cursor);

}  // namespace ui
