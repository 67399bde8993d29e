// Where the text of an edit box goes: line wrapping, caret and point lookups, scrolling.
#include <algorithm>

#include "base/cp1251.hpp"
#include "platform/edit_box_state.hpp"

namespace platform {

using base::cp1251::toUtf8;

int EditBox::State::textTop() const {
    const Rect in = inner();
    if (multiLine) return in.top + 1;
    return in.top + std::max(0, (in.bottom - in.top - lineHeight()) / 2);
}

int EditBox::State::lineTop(size_t line) const {
    return textTop() + (static_cast<int>(line) - static_cast<int>(firstLine)) * lineHeight();
}

size_t EditBox::State::visibleLines() const {
    const int rows = (inner().bottom - textTop()) / lineHeight();
    return rows > 1 ? static_cast<size_t>(rows) : 1;
}

std::string EditBox::State::utf8(size_t from, size_t to) const {
    return toUtf8(std::string_view(text).substr(from, to - from));
}

int EditBox::State::widthOf(size_t from, size_t to) const {
    if (!font || to <= from) return 0;
    return font->textWidth(utf8(from, to));
}

void EditBox::State::relayout() {
    lines.clear();
    if (!multiLine) {
        lines.push_back(Line{0, text.size(), false});
        return;
    }
    size_t from = 0;
    for (;;) {
        const size_t br = text.find('\n', from);
        const size_t to = br == std::string::npos ? text.size() : br;
        wrapParagraph(from, to);
        if (br == std::string::npos) break;
        from = br + 1;
    }
}

// Words move to the next line as a whole; a word longer than the box breaks where it
// reaches the edge.
void EditBox::State::wrapParagraph(size_t from, size_t to) {
    const int wrap = std::max(1, textWidthAvailable());
    size_t pos = from;
    if (pos == to) {
        lines.push_back(Line{from, to, false});
        return;
    }
    while (pos < to) {
        if (widthOf(pos, to) <= wrap) {
            lines.push_back(Line{pos, to, false});
            return;
        }
        // Longest prefix that fits (at least one character): widths grow with length.
        size_t fit = pos + 1;
        size_t lo = pos + 2;
        size_t hi = to - 1;
        while (lo <= hi) {
            const size_t mid = lo + (hi - lo) / 2;
            if (widthOf(pos, mid) <= wrap) {
                fit = mid;
                lo = mid + 1;
            } else {
                hi = mid - 1;
            }
        }
        size_t brk = fit;
        if (text[fit] == ' ') {
            while (brk < to && text[brk] == ' ') ++brk;
        } else {
            size_t i = fit;
            while (i > pos && text[i - 1] != ' ') --i;
            if (i > pos) brk = i;
        }
        if (brk >= to) {
            lines.push_back(Line{pos, to, false});
            return;
        }
        lines.push_back(Line{pos, brk, true});
        pos = brk;
    }
}

size_t EditBox::State::lineOf(size_t index) const {
    // The last line starting at or before the index.
    auto it = std::upper_bound(lines.begin(), lines.end(), index,
                               [](size_t i, const Line& line) { return i < line.start; });
    return it == lines.begin() ? 0 : static_cast<size_t>(it - lines.begin()) - 1;
}

size_t EditBox::State::lineOfCaret() const {
    const size_t line = lineOf(caret);
    if (caretAtLineEnd && line > 0 && lines[line - 1].soft && lines[line - 1].end == caret) {
        return line - 1;
    }
    return line;
}

size_t EditBox::State::indexInLine(size_t lineIndex, int px, bool* atLineEnd) const {
    const Line& line = lines[lineIndex];
    // Largest k whose prefix ends at or before the point, then the nearer of k and k + 1.
    size_t k = line.start;
    size_t lo = line.start + 1;
    size_t hi = line.end;
    while (lo <= hi) {
        const size_t mid = lo + (hi - lo) / 2;
        if (widthOf(line.start, mid) <= px) {
            k = mid;
            lo = mid + 1;
        } else {
            hi = mid - 1;
        }
    }
    if (k < line.end) {
        const int left = widthOf(line.start, k);
        const int right = widthOf(line.start, k + 1);
        if (px - left > right - px) ++k;
    }
    if (atLineEnd) *atLineEnd = line.soft && k == line.end;
    return k;
}

size_t EditBox::State::indexAt(int px, int py, bool* atLineEnd) const {
    size_t line = 0;
    if (multiLine) {
        const int row = py < textTop() ? -1 : (py - textTop()) / lineHeight();
        const long long wanted = static_cast<long long>(firstLine) + row;
        line = static_cast<size_t>(
            std::clamp<long long>(wanted, 0, static_cast<long long>(lines.size()) - 1));
    }
    return indexInLine(line, px - textLeft() + scrollX, atLineEnd);
}

void EditBox::State::ensureCaretVisible() {
    if (multiLine) {
        const size_t shown = visibleLines();
        const size_t line = lineOfCaret();
        if (line < firstLine) firstLine = line;
        if (line >= firstLine + shown) firstLine = line - shown + 1;
        const size_t lastFirst = lines.size() > shown ? lines.size() - shown : 0;
        firstLine = std::min(firstLine, lastFirst);
        return;
    }
    const int room = std::max(1, textWidthAvailable());
    // No blank space after the end of the text once it has been scrolled.
    scrollX = std::max(0, std::min(scrollX, widthOf(0, text.size()) - room + 1));
    const int caretX = widthOf(0, caret);
    if (caretX < scrollX) scrollX = std::max(0, caretX - room / 3);
    if (caretX > scrollX + room - 1) scrollX = caretX - room + 1;
}

}  // namespace platform
