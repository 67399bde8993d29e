// The inside of an edit box, shared by its editing and drawing code. Internal to platform/.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/edit_box.hpp"
#include "platform/fonts.hpp"

namespace platform {

struct EditBox::State {
    // One line as shown: [start, end) of text. A soft line ends where the box wrapped it
    // (the spaces at the wrap hang at its end); a hard one before a line break or at the
    // end of the text.
    struct Line {
        size_t start = 0;
        size_t end = 0;
        bool soft = false;
    };

    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool multiLine = false;
    FontPtr font;

    std::string text;  // Windows-1251; a line break is one '\n' here, CR LF outside
    size_t caret = 0;
    size_t anchor = 0;            // the other end of the selection
    bool caretAtLineEnd = false;  // caret on a soft break shows at the end of the upper line
    int preferredX = -1;          // column kept by Up and Down
    int scrollX = 0;              // single-line: pixels scrolled to the left
    size_t firstLine = 0;         // multi-line: first line shown
    size_t limit = 0;
    uint32_t activity = 0;  // the caret blink restarts at each edit or move
    std::vector<Line> lines;

    Rect inner() const { return Rect{x + 2, y + 2, x + width - 2, y + height - 2}; }
    int lineHeight() const { return font ? font->cellHeight() : 16; }
    int textLeft() const { return inner().left + 2; }
    int textWidthAvailable() const { return inner().right - 2 - textLeft(); }
    int textTop() const;
    int lineTop(size_t line) const;
    size_t visibleLines() const;

    std::string utf8(size_t from, size_t to) const;
    int widthOf(size_t from, size_t to) const;
    size_t selectionStart() const { return caret < anchor ? caret : anchor; }
    size_t selectionEnd() const { return caret < anchor ? anchor : caret; }

    void relayout();
    size_t lineOfCaret() const;
    size_t lineOf(size_t index) const;
    // Caret position for a point; *atLineEnd tells a point past the end of a soft line.
    size_t indexAt(int px, int py, bool* atLineEnd) const;
    size_t indexInLine(size_t line, int x, bool* atLineEnd) const;
    void ensureCaretVisible();

private:
    void wrapParagraph(size_t from, size_t to);
};

}  // namespace platform
