// The font file for a face on Windows: the game ships the DejaVu Sans files it draws with
// on Linux (fonts/ beside the program), so text looks the same, pixel for pixel, on every
// computer. Every face the game asks for is drawn with them, as fontconfig does on Linux.
#include "platform/files.hpp"
#include "platform/fonts.hpp"

namespace platform {

FontFile matchFontFile(const char* /*face*/, bool bold, bool /*italic*/) {
    FontFile result;
    const std::string folder = programFolder();
    if (folder.empty()) return result;
    const std::string path = folder + (bold ? "/fonts/DejaVuSans-Bold.ttf" : "/fonts/DejaVuSans.ttf");
    if (!fileExists(path)) return result;
    result.path = path;
    result.bold = bold;
    return result;
}

}  // namespace platform
