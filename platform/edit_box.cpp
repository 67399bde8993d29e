// Editing in the game's text boxes: the registry of boxes, focus, typing, keys,
// selection and the clipboard.
#include <SDL2/SDL.h>

#include <algorithm>

#include "base/cp1251.hpp"
#include "platform/edit_box_state.hpp"
#include "platform/platform_internal.hpp"
#include "platform/system.hpp"

namespace platform {

using base::cp1251::fromUtf8;
using base::cp1251::toUtf8;

namespace {

std::vector<EditBox*>& registry() {
    static std::vector<EditBox*> boxes;
    return boxes;
}

EditBox* focused = nullptr;

// Without a desktop the clipboard lives here, so copy and paste still work in tests.
std::string& localClipboard() {
    static std::string text;
    return text;
}

void setClipboard(const std::string& utf8) {
    localClipboard() = utf8;
    if (desktopAvailable()) SDL_SetClipboardText(utf8.c_str());
}

std::string clipboard() {
    if (desktopAvailable() && SDL_HasClipboardText()) {
        char* text = SDL_GetClipboardText();
        std::string result = text ? text : "";
        SDL_free(text);
        return result;
    }
    return localClipboard();
}

// Line breaks of any convention become the single '\n' kept inside the box.
std::string normaliseBreaks(const std::string& s) {
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\r') {
            out += '\n';
            if (i + 1 < s.size() && s[i + 1] == '\n') ++i;
        } else {
            out += s[i];
        }
    }
    return out;
}

// What may be typed: printable characters and, in a multi-line box, line breaks.
std::string keepTypable(const std::string& cp1251, bool multiLine) {
    std::string out;
    for (char c : cp1251) {
        const auto u = static_cast<unsigned char>(c);
        if ((c == '\n' && multiLine) || (u >= 0x20 && u != 0x7F)) out += c;
    }
    return out;
}

// Bytes the text takes outside the box, where a line break is CR LF.
size_t outsideSize(std::string_view s) {
    return s.size() + static_cast<size_t>(std::count(s.begin(), s.end(), '\n'));
}

bool isSpace(char c) { return c == ' ' || c == '\n'; }

// The text as the world outside the box sees it: line breaks are CR LF.
std::string outside(std::string_view inside) {
    std::string out;
    out.reserve(outsideSize(inside));
    for (char c : inside) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

// Counts every change a box shows: the game draws a frame when it moved on.
uint64_t changes = 0;

}  // namespace

uint64_t editBoxChanges() { return changes; }

EditBox::EditBox(int x, int y, int width, int height, bool multiLine, const std::string& text)
    : state_(new State) {
    state_->x = x;
    state_->y = y;
    state_->width = width;
    state_->height = height;
    state_->multiLine = multiLine;
    state_->font = openFont("DejaVu Sans", 16, 400, false);
    registry().push_back(this);
    setText(text);
}

EditBox::~EditBox() {
    auto& boxes = registry();
    boxes.erase(std::remove(boxes.begin(), boxes.end(), this), boxes.end());
    if (focused == this) {
        focused = nullptr;
        if (desktopAvailable()) SDL_StopTextInput();
    }
    forgetEditBox(this);
    delete state_;
    ++changes;
}

std::string EditBox::text() const { return outside(state_->text); }

void EditBox::setText(const std::string& text) {
    State& s = *state_;
    s.text = normaliseBreaks(text);
    if (!s.multiLine) s.text.erase(std::remove(s.text.begin(), s.text.end(), '\n'), s.text.end());
    s.caret = s.anchor = 0;
    s.caretAtLineEnd = false;
    s.preferredX = -1;
    s.scrollX = 0;
    s.firstLine = 0;
    s.relayout();
    ++changes;
}

void EditBox::selectAll() {
    State& s = *state_;
    s.anchor = 0;
    s.caret = s.text.size();
    s.caretAtLineEnd = false;
    s.ensureCaretVisible();
    ++changes;
}

void EditBox::focus() {
    focused = this;
    state_->activity = tickCount();
    ++changes;
    if (desktopAvailable()) {
        SDL_Rect area{state_->x, state_->y, state_->width, state_->height};
        SDL_SetTextInputRect(&area);
        SDL_StartTextInput();
    }
}

bool EditBox::hasFocus() const { return focused == this; }

Rect EditBox::rect() const {
    return Rect{state_->x, state_->y, state_->x + state_->width, state_->y + state_->height};
}

void EditBox::setLimit(size_t bytes) { state_->limit = bytes; }

namespace {

void moveCaret(EditBox::State& s, size_t to, bool extend, bool atLineEnd = false) {
    s.caret = std::min(to, s.text.size());
    if (!extend) s.anchor = s.caret;
    s.caretAtLineEnd = atLineEnd;
    s.activity = tickCount();
    ++changes;
    s.ensureCaretVisible();
}

void replaceSelection(EditBox::State& s, std::string insert) {
    ++changes;
    const size_t from = s.selectionStart();
    const size_t to = s.selectionEnd();
    if (s.limit > 0) {
        const size_t kept =
            outsideSize(s.text) - outsideSize(std::string_view(s.text).substr(from, to - from));
        size_t room = s.limit > kept ? s.limit - kept : 0;
        size_t take = 0;
        for (; take < insert.size(); ++take) {
            const size_t cost = insert[take] == '\n' ? 2 : 1;
            if (cost > room) break;
            room -= cost;
        }
        insert.resize(take);
    }
    if (insert.empty() && from == to) return;
    s.text.replace(from, to - from, insert);
    s.relayout();
    s.preferredX = -1;
    moveCaret(s, from + insert.size(), false);
}

size_t wordLeft(const std::string& t, size_t i) {
    while (i > 0 && isSpace(t[i - 1])) --i;
    while (i > 0 && !isSpace(t[i - 1])) --i;
    return i;
}

size_t wordRight(const std::string& t, size_t i) {
    while (i < t.size() && !isSpace(t[i])) ++i;
    while (i < t.size() && isSpace(t[i])) ++i;
    return i;
}

void copySelection(const EditBox::State& s) {
    const size_t from = s.selectionStart();
    const size_t to = s.selectionEnd();
    if (from < to) setClipboard(toUtf8(outside(std::string_view(s.text).substr(from, to - from))));
}

void paste(EditBox::State& s) {
    std::string text = normaliseBreaks(fromUtf8(clipboard()));
    // A single line takes the clipboard up to its first line break.
    if (!s.multiLine) text = text.substr(0, text.find('\n'));
    replaceSelection(s, keepTypable(text, s.multiLine));
}

}  // namespace

void EditBox::typeText(const std::string& utf8) {
    const std::string typed = keepTypable(normaliseBreaks(fromUtf8(utf8)), state_->multiLine);
    if (!typed.empty()) replaceSelection(*state_, typed);
}

bool EditBox::keyDown(Key key, bool ctrl, bool shift) {
    State& s = *state_;
    const bool hasSelection = s.caret != s.anchor;
    const size_t line = s.lineOfCaret();
    auto vertical = [&](int direction) {
        if (!s.multiLine) {
            moveCaret(s, direction < 0 ? (s.caret > 0 ? s.caret - 1 : 0) : s.caret + 1, shift);
            return;
        }
        const long long target = static_cast<long long>(line) + direction;
        if (target < 0 || target >= static_cast<long long>(s.lines.size())) return;
        const int x = s.preferredX >= 0 ? s.preferredX : s.widthOf(s.lines[line].start, s.caret);
        bool atEnd = false;
        const size_t index = s.indexInLine(static_cast<size_t>(target), x, &atEnd);
        moveCaret(s, index, shift, atEnd);
        s.preferredX = x;
    };
    if (key != Key::Up && key != Key::Down) s.preferredX = -1;
    switch (key) {
        case Key::Left:
            if (ctrl) {
                moveCaret(s, wordLeft(s.text, s.caret), shift);
            } else if (hasSelection && !shift) {
                moveCaret(s, s.selectionStart(), false);
            } else {
                moveCaret(s, s.caret > 0 ? s.caret - 1 : 0, shift);
            }
            return true;
        case Key::Right:
            if (ctrl) {
                moveCaret(s, wordRight(s.text, s.caret), shift);
            } else if (hasSelection && !shift) {
                moveCaret(s, s.selectionEnd(), false);
            } else {
                moveCaret(s, s.caret + 1, shift);
            }
            return true;
        case Key::Up:
            vertical(-1);
            return true;
        case Key::Down:
            vertical(1);
            return true;
        case Key::Home:
            moveCaret(s, ctrl ? 0 : s.lines[line].start, shift);
            return true;
        case Key::End:
            if (ctrl) {
                moveCaret(s, s.text.size(), shift);
            } else {
                moveCaret(s, s.lines[line].end, shift, s.lines[line].soft);
            }
            return true;
        case Key::Backspace:
            if (!hasSelection && s.caret > 0) s.anchor = ctrl ? wordLeft(s.text, s.caret) : s.caret - 1;
            replaceSelection(s, {});
            return true;
        case Key::Delete:
            if (shift && hasSelection) copySelection(s);
            if (!hasSelection && s.caret < s.text.size()) {
                s.anchor = ctrl ? wordRight(s.text, s.caret) : s.caret + 1;
            }
            replaceSelection(s, {});
            return true;
        case Key::Enter:
            if (!s.multiLine) return false;
            replaceSelection(s, "\n");
            return true;
        case Key::Insert:
            if (ctrl) {
                copySelection(s);
                return true;
            }
            if (shift) {
                paste(s);
                return true;
            }
            return false;
        default:
            break;
    }
    if (!ctrl) return false;
    switch (key) {
        case Key::A:
            selectAll();
            return true;
        case Key::C:
            copySelection(s);
            return true;
        case Key::X:
            copySelection(s);
            replaceSelection(s, {});
            return true;
        case Key::V:
            paste(s);
            return true;
        default:
            return false;
    }
}

void EditBox::mouseDown(int x, int y) {
    if (!hasFocus()) focus();
    bool atEnd = false;
    const size_t index = state_->indexAt(x, y, &atEnd);
    state_->preferredX = -1;
    moveCaret(*state_, index, false, atEnd);
}

void EditBox::mouseDrag(int x, int y) {
    bool atEnd = false;
    const size_t index = state_->indexAt(x, y, &atEnd);
    moveCaret(*state_, index, true, atEnd);
}

EditBox* focusedEditBox() { return focused; }

EditBox* editBoxAt(int x, int y) {
    const auto& boxes = registry();
    for (auto it = boxes.rbegin(); it != boxes.rend(); ++it) {
        const Rect r = (*it)->rect();
        if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return *it;
    }
    return nullptr;
}

namespace {
bool boxesDrawn = false;
}  // namespace

void drawEditBoxes(Graphics& graphics) {
    const uint32_t now = tickCount();
    for (EditBox* box : registry()) box->draw(graphics, now);
    boxesDrawn = true;
}

void drawEditBoxesIfPending(Graphics& graphics) {
    if (!boxesDrawn) drawEditBoxes(graphics);
    boxesDrawn = false;
}

}  // namespace platform
