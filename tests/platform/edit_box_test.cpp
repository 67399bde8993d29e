// Edit boxes: typing, editing keys, selection, the clipboard, limits, wrapping and drawing.
#include "platform/edit_box.hpp"
#include "platform/system.hpp"
#include "tests/platform/platform_fixture.hpp"

namespace {

using namespace platform;

constexpr bool kNoCtrl = false;
constexpr bool kNoShift = false;

void press(EditBox& box, Key key, bool ctrl = false, bool shift = false) {
    EXPECT_TRUE(box.keyDown(key, ctrl, shift)) << "key " << static_cast<int>(key);
}

TEST(EditBox, KeepsWindows1251AndDropsWhatTheCodePageLacks) {
    EditBox box(0, 0, 300, 24, false, "");
    box.focus();
    box.typeText("\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82");  // "Привет"
    box.typeText(" \xE4\xB8\xAD\xF0\x9F\x98\x80\t!");                  // CJK, emoji, tab
    EXPECT_EQ(box.text(), "\xCF\xF0\xE8\xE2\xE5\xF2 !");
    EXPECT_TRUE(box.hasFocus());
    EXPECT_EQ(focusedEditBox(), &box);
}

TEST(EditBox, MultiLineTextUsesCrLfOutsideAndSingleLineHasNoBreaks) {
    EditBox multi(0, 0, 300, 100, true, "one\r\ntwo\nthree\rfour");
    EXPECT_EQ(multi.text(), "one\r\ntwo\r\nthree\r\nfour");
    multi.focus();
    press(multi, Key::End, true);
    press(multi, Key::Enter);
    multi.typeText("five");
    EXPECT_EQ(multi.text(), "one\r\ntwo\r\nthree\r\nfour\r\nfive");
    // Backspace takes a whole line break.
    for (int i = 0; i < 5; ++i) press(multi, Key::Backspace);
    EXPECT_EQ(multi.text(), "one\r\ntwo\r\nthree\r\nfour");

    EditBox single(0, 200, 300, 24, false, "a\r\nb");
    EXPECT_EQ(single.text(), "ab");
    single.focus();
    EXPECT_FALSE(single.keyDown(Key::Enter, kNoCtrl, kNoShift));
    single.typeText("x\r\ny");
    EXPECT_EQ(single.text(), "xyab");
}

TEST(EditBox, CaretMovesAndEditsWhereItStands) {
    EditBox box(0, 0, 300, 24, false, "abcdef");
    box.focus();  // the caret starts at 0
    press(box, Key::Delete);
    EXPECT_EQ(box.text(), "bcdef");
    press(box, Key::Backspace);  // nothing before the caret
    EXPECT_EQ(box.text(), "bcdef");
    press(box, Key::Right);
    press(box, Key::Right);
    box.typeText("X");
    EXPECT_EQ(box.text(), "bcXdef");
    press(box, Key::End);
    press(box, Key::Backspace);
    press(box, Key::Left);
    press(box, Key::Delete);
    EXPECT_EQ(box.text(), "bcXd");
    press(box, Key::Home);
    box.typeText(">");
    EXPECT_EQ(box.text(), ">bcXd");
    // Single-line Up and Down act as Left and Right.
    press(box, Key::Down);
    box.typeText("|");
    EXPECT_EQ(box.text(), ">b|cXd");
    EXPECT_FALSE(box.keyDown(Key::Escape, kNoCtrl, kNoShift));
}

TEST(EditBox, ShiftSelectsAndTypingReplacesTheSelection) {
    EditBox box(0, 0, 300, 24, false, "hello world");
    box.focus();
    press(box, Key::Right, kNoCtrl, true);
    press(box, Key::Right, kNoCtrl, true);
    box.typeText("J");
    EXPECT_EQ(box.text(), "Jllo world");
    press(box, Key::End, kNoCtrl, true);  // select to the end
    press(box, Key::Left);                // collapses to the selection's start
    box.typeText("-");
    EXPECT_EQ(box.text(), "J-llo world");
    press(box, Key::Right, true);      // word jump: past "llo "
    press(box, Key::Backspace, true);  // deletes back to the word's start
    EXPECT_EQ(box.text(), "world");
    box.selectAll();
    box.typeText("new");
    EXPECT_EQ(box.text(), "new");
    press(box, Key::A, true);
    press(box, Key::Delete);
    EXPECT_EQ(box.text(), "");
}

TEST(EditBox, ClipboardCopyCutAndPaste) {
    EditBox multi(0, 0, 300, 100, true, "line one\r\nline two");
    multi.focus();
    press(multi, Key::A, true);
    press(multi, Key::C, true);
    press(multi, Key::End, true);
    press(multi, Key::Enter);
    press(multi, Key::V, true);
    EXPECT_EQ(multi.text(), "line one\r\nline two\r\nline one\r\nline two");
    multi.selectAll();
    press(multi, Key::X, true);
    EXPECT_EQ(multi.text(), "");

    // A single line takes what the clipboard holds up to its first break.
    EditBox single(0, 200, 300, 24, false, "");
    single.focus();
    press(single, Key::V, true);
    EXPECT_EQ(single.text(), "line one");
    single.selectAll();
    press(single, Key::Insert, true);  // Ctrl+Insert copies
    press(single, Key::End);
    press(single, Key::Insert, false, true);  // Shift+Insert pastes
    EXPECT_EQ(single.text(), "line oneline one");
    EXPECT_FALSE(single.keyDown(Key::V, kNoCtrl, kNoShift));  // a plain letter is not a command
}

TEST(EditBox, LimitStopsTypingAndPastingButNotSetText) {
    EditBox box(0, 0, 300, 100, true, "");
    box.setLimit(6);
    box.focus();
    box.typeText("abcd");
    press(box, Key::Enter);  // CR LF costs two: "abcd\r\n" is six
    box.typeText("e");
    EXPECT_EQ(box.text(), "abcd\r\n");
    press(box, Key::Backspace);
    box.typeText("efgh");
    EXPECT_EQ(box.text(), "abcdef");
    box.setText("longer than six");
    EXPECT_EQ(box.text(), "longer than six");
    // Replacing a selection frees its room first.
    box.selectAll();
    box.typeText("0123456789");
    EXPECT_EQ(box.text(), "012345");
}

TEST(EditBox, ClickPutsTheCaretAtTheNearestCharacter) {
    EditBox box(100, 100, 300, 24, false, "abcdef");
    box.mouseDown(50, 110);  // left of the text
    EXPECT_TRUE(box.hasFocus());
    box.typeText("<");
    box.mouseDown(399, 110);  // beyond its end
    box.typeText(">");
    EXPECT_EQ(box.text(), "<abcdef>");
    box.mouseDown(104, 110);
    box.mouseDrag(399, 110);
    box.typeText("=");
    EXPECT_EQ(box.text(), "=");
}

TEST(EditBox, WrappedLinesAreVisualLinesForHomeEndUpAndDown) {
    // About twelve characters fit on a line of this narrow box.
    EditBox box(0, 0, 110, 200, true, "");
    box.focus();
    box.typeText("aaaa bbbb cccc dddd eeee ffff");
    press(box, Key::Home, true);
    press(box, Key::End);
    box.typeText("|");
    const std::string text = box.text();
    const size_t bar = text.find('|');
    ASSERT_NE(bar, std::string::npos);
    EXPECT_GT(bar, 0u);
    EXPECT_LT(bar, 20u);  // the end of the first visual line, not of the paragraph
    EXPECT_EQ(text.find("\r\n"), std::string::npos);  // wrapping adds no breaks
    press(box, Key::Backspace);
    press(box, Key::Home, true);
    press(box, Key::Down);
    box.typeText("^");
    const size_t caret = box.text().find('^');
    EXPECT_GT(caret, 4u);
    press(box, Key::Up);  // back to the same column of the first line
    box.typeText("v");
    EXPECT_LE(box.text().find('v'), 2u);
}

TEST(EditBox, MultiLineBoxScrollsToTheCaretAndClicksCountFromTheFirstLineShown) {
    EditBox box(0, 0, 300, 60, true, "");  // about three lines show
    box.focus();
    for (int i = 0; i < 10; ++i) {
        box.typeText("line" + std::to_string(i));
        press(box, Key::Enter);
    }
    box.mouseDown(6, 6);  // the top line shown, not the first line of the text
    box.typeText("X");
    const std::string text = box.text();
    EXPECT_NE(text.find("\r\nXline"), std::string::npos);
    EXPECT_GT(text.find('X'), text.find("line5"));
    press(box, Key::Home, true);  // back to the top scrolls up again
    box.mouseDown(6, 6);
    box.typeText("Y");
    EXPECT_EQ(box.text().find('Y'), 0u);
}

TEST(EditBox, BoxesAreFoundTopmostFirstAndForgetFocusWhenDestroyed) {
    auto lower = std::make_unique<EditBox>(0, 0, 100, 100, true, "");
    {
        EditBox upper(50, 50, 100, 100, false, "");
        EXPECT_EQ(editBoxAt(60, 60), &upper);
        EXPECT_EQ(editBoxAt(10, 10), lower.get());
        EXPECT_EQ(editBoxAt(200, 200), nullptr);
        EXPECT_EQ(upper.rect().right, 150);
        upper.focus();
        EXPECT_FALSE(lower->hasFocus());
    }
    EXPECT_EQ(focusedEditBox(), nullptr);
    EXPECT_EQ(editBoxAt(60, 60), lower.get());
}

class EditBoxDrawing : public ptest::SurfaceTest {};

TEST_F(EditBoxDrawing, SunkenWhiteFieldBlueSelectionAndBlinkingCaret) {
    useVirtualClock(5000);
    EditBox box(100, 100, 200, 24, false, "WWW");
    g->clear(0xFF000000);
    box.draw(*g, tickCount());
    EXPECT_EQ(g->pixel(150, 110), 0xFFFFFFFFu);
    EXPECT_EQ(g->pixel(150, 100), 0xFFA0A0A0u);  // outer shadow
    EXPECT_EQ(g->pixel(150, 101), 0xFF696969u);  // inner shadow
    EXPECT_EQ(g->pixel(150, 123), 0xFFFFFFFFu);  // outer light
    EXPECT_EQ(g->pixel(299, 110), 0xFFFFFFFFu);

    // Unfocused, the selection is hidden; focused, it shows in blue.
    box.selectAll();
    auto countBlue = [&] {
        int blue = 0;
        for (int x = 102; x < 160; ++x) blue += g->pixel(x, 110) == 0xFF0078D7u;
        return blue;
    };
    box.draw(*g, tickCount());
    EXPECT_EQ(countBlue(), 0);
    box.focus();
    box.draw(*g, tickCount());
    EXPECT_GT(countBlue(), 5);

    // The caret after the text shows for 500 ms, then hides for 500 ms.
    press(box, Key::End);
    auto caretColumnDark = [&] {
        for (int x = 110; x < 200; ++x) {
            bool column = true;
            for (int y = 108; y < 116 && column; ++y) column = g->pixel(x, y) == 0xFF000000u;
            if (column && g->pixel(x + 3, 110) == 0xFFFFFFFFu) return true;
        }
        return false;
    };
    g->clear(0xFF000000);
    box.draw(*g, tickCount() + 100);
    EXPECT_TRUE(caretColumnDark());
    g->clear(0xFF000000);
    box.draw(*g, tickCount() + 600);
    EXPECT_FALSE(caretColumnDark());
    useVirtualClock(100000);
}

TEST_F(EditBoxDrawing, PresentDrawsBoxesTheFrameLeftOut) {
    EditBox box(10, 10, 100, 24, false, "");
    g->clear(0xFF000000);
    g->present();
    EXPECT_EQ(g->pixel(50, 20), 0xFFFFFFFFu);
    // Drawn by the frame itself: present does not draw them again.
    g->clear(0xFF000000);
    drawEditBoxes(*g);
    g->fillRect(40, 15, 60, 25, 0xFFFF0000);
    g->present();
    EXPECT_EQ(g->pixel(50, 20), 0xFFFF0000u);
}

TEST_F(EditBoxDrawing, LongTextScrollsToKeepTheCaretInside) {
    EditBox box(0, 0, 120, 24, false, "");
    box.focus();
    box.typeText(std::string(60, 'W') + "i");
    g->clear(0xFF000000);
    box.draw(*g, tickCount());
    // The end of the text is in view: its last character, a narrow "i", sits near the
    // right edge, which would be covered by Ws if the box had not scrolled.
    int dark = 0;
    for (int x = 4; x < 116; ++x) dark += (g->pixel(x, 12) & 0xFF) < 0x80;
    EXPECT_GT(dark, 0);
    press(box, Key::Home);
    press(box, Key::End);
    EXPECT_EQ(box.text().size(), 61u);
}

}  // namespace
