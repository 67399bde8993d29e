// Breaking a Windows-1251 text into the lines drawText shows: explicit breaks (CR LF, LF
// or CR) and, with word wrapping, breaks at spaces. Pure; the measure is passed in.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

struct TextLine {
    std::string utf8;
    int width = 0;
};

struct TextLayout {
    std::vector<TextLine> lines;
    int widest = 0;
};

// Width in pixels of a UTF-8 string.
using MeasureText = std::function<int(const std::string& utf8)>;

// singleLine ignores the breaks (and word wrapping). With wordBreak a line ends at the
// last space that keeps it within wrapWidth; a word wider than that stays alone on its
// line. A break at the very end of the text starts no further line; an empty text has
// no lines. With endEllipsis every line wider than wrapWidth is shortened to end in "…"
// within it.
TextLayout layoutText(std::string_view cp1251, bool wordBreak, bool singleLine, int wrapWidth,
                      const MeasureText& measure, bool endEllipsis = false);

}  // namespace platform
