#include "platform/text_layout.hpp"

#include "base/cp1251.hpp"

namespace platform {

using base::cp1251::toUtf8;

namespace {

void addLine(TextLayout& layout, std::string_view cp1251, const MeasureText& measure) {
    TextLine line;
    line.utf8 = toUtf8(cp1251);
    line.width = line.utf8.empty() ? 0 : measure(line.utf8);
    if (line.width > layout.widest) layout.widest = line.width;
    layout.lines.push_back(std::move(line));
}

// Greedy wrap of one paragraph: words are taken while the line still fits; the spaces
// at a break belong to neither line.
void wrapParagraph(TextLayout& layout, std::string_view para, int wrapWidth,
                   const MeasureText& measure) {
    if (para.empty()) {
        addLine(layout, para, measure);
        return;
    }
    size_t pos = 0;
    while (pos < para.size()) {
        size_t lineEnd = pos;
        size_t scan = pos;
        while (scan < para.size()) {
            // The next word ends at the first space after at least one non-space.
            size_t wordEnd = scan;
            while (wordEnd < para.size() && para[wordEnd] == ' ') ++wordEnd;
            while (wordEnd < para.size() && para[wordEnd] != ' ') ++wordEnd;
            const bool first = lineEnd == pos;
            if (!first && measure(toUtf8(para.substr(pos, wordEnd - pos))) > wrapWidth) break;
            lineEnd = wordEnd;
            scan = wordEnd;
        }
        addLine(layout, para.substr(pos, lineEnd - pos), measure);
        pos = lineEnd;
        while (pos < para.size() && para[pos] == ' ') ++pos;
    }
}

const char kEllipsis[] = "\xE2\x80\xA6";

// The longest start of the line that fits with the ellipsis after it (spaces before the
// ellipsis dropped); the ellipsis alone when nothing fits.
TextLine shortened(std::string_view cp1251, int width, const MeasureText& measure) {
    auto withEllipsis = [&](size_t length) {
        std::string_view kept = cp1251.substr(0, length);
        while (!kept.empty() && kept.back() == ' ') kept.remove_suffix(1);
        return toUtf8(kept) + kEllipsis;
    };
    size_t low = 0, high = cp1251.size();  // low always fits
    while (low < high) {
        const size_t mid = (low + high + 1) / 2;
        if (measure(withEllipsis(mid)) <= width) {
            low = mid;
        } else {
            high = mid - 1;
        }
    }
    TextLine line;
    line.utf8 = withEllipsis(low);
    line.width = measure(line.utf8);
    return line;
}

void shortenLines(TextLayout& layout, int width, const MeasureText& measure) {
    // The lines keep no cp1251 copy; converting back is exact for what the code page has.
    layout.widest = 0;
    for (TextLine& line : layout.lines) {
        if (line.width > width) line = shortened(base::cp1251::fromUtf8(line.utf8), width, measure);
        if (line.width > layout.widest) layout.widest = line.width;
    }
}

TextLayout layoutLines(std::string_view text, bool wordBreak, bool singleLine, int wrapWidth,
                       const MeasureText& measure) {
    TextLayout layout;
    if (text.empty()) return layout;
    if (singleLine) {
        std::string joined;
        for (char c : text) {
            if (c != '\r' && c != '\n') joined += c;
        }
        addLine(layout, joined, measure);
        return layout;
    }
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = start;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
        const std::string_view para = text.substr(start, end - start);
        if (end == text.size() && para.empty() && start > 0) break;  // trailing break
        if (wordBreak) {
            wrapParagraph(layout, para, wrapWidth, measure);
        } else {
            addLine(layout, para, measure);
        }
        if (end == text.size()) break;
        start = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
    }
    return layout;
}

}  // namespace

TextLayout layoutText(std::string_view text, bool wordBreak, bool singleLine, int wrapWidth,
                      const MeasureText& measure, bool endEllipsis) {
    TextLayout layout = layoutLines(text, wordBreak, singleLine, wrapWidth, measure);
    if (endEllipsis) shortenLines(layout, wrapWidth, measure);
    return layout;
}

}  // namespace platform
