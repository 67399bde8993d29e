// Fonts in the browser: the page carries DejaVu Sans and its bold face, the faces the
// desktop's font matching picks on Debian for every face the game asks for.
#include "platform/fonts.hpp"

namespace platform {

FontFile matchFontFile(const char*, bool bold, bool) {
    FontFile file;
    file.path = bold ? "/ferrolin/fonts/DejaVuSans-Bold.ttf" : "/ferrolin/fonts/DejaVuSans.ttf";
    file.bold = bold;
    return file;
}

}  // namespace platform
