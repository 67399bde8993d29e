// The desktop's font matching: fontconfig names the file of a face, as the user's
// desktop would ("Verdana" is DejaVu Sans on Debian unless a real Verdana is installed).
#include <fontconfig/fontconfig.h>

#include "platform/fonts.hpp"

namespace platform {

FontFile matchFontFile(const char* face, bool bold, bool italic) {
    FontFile result;
    if (!FcInit()) return result;
    FcPattern* pattern = FcPatternCreate();
    if (!pattern) return result;
    if (face && *face) {
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(face));
    }
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult res = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &res);
    FcPatternDestroy(pattern);
    if (!match) return result;
    FcChar8* path = nullptr;
    if (FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch && path) {
        result.path = reinterpret_cast<const char*>(path);
        int index = 0;
        if (FcPatternGetInteger(match, FC_INDEX, 0, &index) == FcResultMatch) result.index = index;
        int weight = FC_WEIGHT_REGULAR;
        if (FcPatternGetInteger(match, FC_WEIGHT, 0, &weight) == FcResultMatch) {
            result.bold = weight >= FC_WEIGHT_DEMIBOLD;
        }
        int slant = FC_SLANT_ROMAN;
        if (FcPatternGetInteger(match, FC_SLANT, 0, &slant) == FcResultMatch) {
            result.italic = slant != FC_SLANT_ROMAN;
        }
    }
    FcPatternDestroy(match);
    return result;
}

}  // namespace platform

// fontconfig 2.14 loses a few bytes while parsing its configuration files, once per
// process. Builds with LeakSanitizer would report them for every program that draws
// text; the hook is never called in other builds.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
