// How readable the texts of the frame are: each text's colour against what is drawn
// behind it (its outline, shadow or plate, or else the picture), as the contrast ratio of
// the web's accessibility guidelines. ferrolin-script measures every screenshot with it.
#pragma once

#include <optional>
#include <string>

namespace app {

constexpr double kLeastContrast = 4.5;

// Contrast ratio of two opaque colours (0xRRGGBB), from 1 to 21.
double contrastRatio(uint32_t a, uint32_t b);

// Draws the frame twice, with and without the texts themselves, and answers the text
// (UTF-8) least readable against its background when it reaches less than kLeastContrast
// on a tenth or more of its pixels, with the ratio found; nothing when every text is
// readable. The frame left on the surface is the one without texts.
struct PoorText {
    std::string text;
    double ratio = 0;
};
std::optional<PoorText> leastReadableText();

}  // namespace app
