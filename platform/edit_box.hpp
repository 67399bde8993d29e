// A text box drawn over the game screen, standing in for the desktop's edit control:
// single-line or multi-line, with caret, selection, typing through the desktop's text
// input (any keyboard layout), Backspace, Delete, arrows, Home, End, Enter (multi-line),
// clipboard copy/paste (Ctrl+C / Ctrl+V / Ctrl+X, Ctrl+A selects all) and a click that
// sets the caret. Text is kept in Windows-1251; characters that code page lacks are dropped.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "platform/events.hpp"
#include "platform/types.hpp"

namespace platform {

class Graphics;

class EditBox {
public:
    // Registers the box; boxes are drawn by drawEditBoxes() over everything else.
    EditBox(int x, int y, int width, int height, bool multiLine, const std::string& text);
    ~EditBox();
    EditBox(const EditBox&) = delete;
    EditBox& operator=(const EditBox&) = delete;

    // Windows-1251; line breaks of a multi-line box are CR LF.
    std::string text() const;
    void setText(const std::string& text);
    void selectAll();
    // Gives this box the keyboard focus (and starts the desktop's text input).
    void focus();
    bool hasFocus() const;
    Rect rect() const;

    // Input, called by the message loop (or by tests and scripts):
    // UTF-8 text typed by the user.
    void typeText(const std::string& utf8);
    // A key; ctrl/shift modifiers for shortcuts and selection. Returns true when the box
    // used the key.
    bool keyDown(Key key, bool ctrl, bool shift);
    // A press at logical (x, y) inside the box puts the caret there (and focuses it).
    void mouseDown(int x, int y);
    // A move with the button still down after mouseDown: selects from the press to (x, y).
    void mouseDrag(int x, int y);
    // Longest text() in bytes (CR LF counts two) that typing and pasting may produce;
    // 0 = no limit. setText is not cut.
    void setLimit(size_t bytes);

    void draw(Graphics& graphics, uint32_t tick) const;
    // When the caret blinks next after `since` (it blinks only while the box has the focus).
    uint32_t nextBlink(uint32_t since) const;

    struct State;

private:
    State* state_;
};

// The box with the keyboard focus, or null.
EditBox* focusedEditBox();
// The topmost box containing the point, or null (the message loop gives such presses to
// the box instead of the game).
EditBox* editBoxAt(int x, int y);
// Draws every live box, in creation order; called at the end of each frame. A frame
// that has not called it gets its boxes drawn by Graphics::present.
void drawEditBoxes(Graphics& graphics);
// Goes up with every change the boxes show (text, caret, selection, focus, a box made or
// gone): the game's frame is out of date when it differs from the one it was drawn with.
uint64_t editBoxChanges();
// When the focused box's caret blinks next after `since`; none without a focused box.
std::optional<uint32_t> nextCaretBlink(uint32_t since);

}  // namespace platform
