// Pen and keys as a person uses them: taps place the caret, drags select,
// double taps pick words; caret keys with and without Shift; Enter and the
// dialog's claim on it.
#include "edit_fixture.h"

using namespace edittest;

namespace {

using Pen = EditTest;

TEST_F(Pen, ATapFocusesAndPlacesTheCaret) {
    make(ES_AUTOHSCROLL | WS_BORDER, 10, 10, 150, 20, u"Buy milk");
    POINT p = posOf(4);
    tap(p.x, p.y + 3);
    EXPECT_EQ(GetFocus(), edit);
    EXPECT_EQ(sel(), "4,4");
    EXPECT_EQ(parent().take(), Lines{"SETFOCUS"});
    type(u"oat ");
    EXPECT_EQ(text(), u"Buy oat milk");
}

TEST_F(Pen, DraggingSelectsFromWhereThePenWentDown) {
    make(ES_AUTOHSCROLL, 10, 10, 150, 20, u"Buy fresh milk");
    POINT a = posOf(4), b = posOf(9);
    penDownAt(a.x, a.y + 3);
    penMoveTo(b.x, b.y + 3);
    EXPECT_EQ(sel(), "4,9");
    penUpAt(b.x, b.y + 3);
    EXPECT_EQ(GetCapture(), nullptr);
    // Dragging back past the start selects the other way.
    POINT c = posOf(1);
    penDownAt(b.x, b.y + 3);
    penMoveTo(c.x, c.y + 3);
    penUpAt(c.x, c.y + 3);
    EXPECT_EQ(sel(), "1,9");
    type(u"X");
    EXPECT_EQ(text(), u"BX milk");
}

TEST_F(Pen, ADoubleTapSelectsAWordWithItsTrailingBlank) {
    make(ES_AUTOHSCROLL, 10, 10, 150, 20, u"Buy fresh milk");
    POINT p = posOf(6);
    tap(p.x, p.y + 3);
    tap(p.x, p.y + 3);
    EXPECT_EQ(sel(), "4,10");
    POINT q = posOf(12);
    device::advanceClock(2000);
    tap(q.x, q.y + 3);
    tap(q.x, q.y + 3);
    EXPECT_EQ(sel(), "10,14");
}

TEST_F(Pen, DraggingBelowAMultiLineEditScrollsAndSelects) {
    std::u16string many;
    for (int i = 0; i < 12; ++i) many += u"row\r\n";
    make(ES_MULTILINE | WS_VSCROLL, 10, 10, 150, 50, many.c_str());
    penDownAt(posOf(0).x, 3);
    for (int k = 0; k < 6; ++k) penMoveTo(20, 80);
    penUpAt(20, 80);
    EXPECT_GT(send(EM_GETFIRSTVISIBLELINE), 0);
    DWORD s = 0, e = 0;
    send(EM_GETSEL, (WPARAM)&s, (LPARAM)&e);
    EXPECT_EQ(s, 0u);
    EXPECT_GT(e, 10u);
}

using Keys = EditTest;

TEST_F(Keys, ArrowsHomeEndAndShiftSelection) {
    make(ES_AUTOHSCROLL, 10, 10, 150, 20, u"pears");
    SetFocus(edit);
    key(VK_END);
    EXPECT_EQ(sel(), "5,5");
    key(VK_LEFT, true);
    key(VK_LEFT, true);
    EXPECT_EQ(sel(), "3,5");
    key(VK_LEFT);  // collapses to the selection's start
    EXPECT_EQ(sel(), "3,3");
    key(VK_HOME, true);
    EXPECT_EQ(sel(), "0,3");
    key(VK_RIGHT);
    EXPECT_EQ(sel(), "3,3");
    key(VK_DELETE);
    EXPECT_EQ(text(), u"peas");
    key(VK_BACK);
    EXPECT_EQ(text(), u"pes");
    // Up and Down move along a single line.
    key(VK_UP);
    EXPECT_EQ(sel(), "1,1");
    key(VK_DOWN);
    EXPECT_EQ(sel(), "2,2");
}

TEST_F(Keys, UpAndDownKeepTheColumnAcrossLines) {
    make(ES_MULTILINE, 10, 10, 150, 80, u"abcdef\r\nab\r\nabcdef");
    SetFocus(edit);
    send(EM_SETSEL, 4, 4);
    key(VK_DOWN);
    EXPECT_EQ(sel(), "10,10");  // end of the short line
    key(VK_DOWN);
    int third = (int)send(EM_LINEINDEX, 2);
    DWORD s = 0;
    send(EM_GETSEL, (WPARAM)&s, 0);
    EXPECT_GE((int)s, third + 1);
    EXPECT_LE((int)s, third + 3);
    key(VK_END, false, true);
    EXPECT_EQ(sel(), "18,18");
    key(VK_HOME, true, true);
    EXPECT_EQ(sel(), "0,18");
}

TEST_F(Keys, CtrlArrowsJumpByWords) {
    make(ES_AUTOHSCROLL, 10, 10, 150, 20, u"one two three");
    SetFocus(edit);
    key(VK_RIGHT, false, true);
    EXPECT_EQ(sel(), "4,4");
    key(VK_RIGHT, false, true);
    EXPECT_EQ(sel(), "8,8");
    key(VK_LEFT, false, true);
    EXPECT_EQ(sel(), "4,4");
}

TEST_F(Keys, EnterBreaksTheLineOfAMultiLineEditOutsideDialogs) {
    make(ES_MULTILINE | WS_VSCROLL, 10, 10, 150, 80, u"ab");
    SetFocus(edit);
    send(EM_SETSEL, 1, 1);
    key(VK_RETURN);
    EXPECT_EQ(text(), u"a\r\nb");
    EXPECT_EQ(send(EM_GETLINECOUNT), 2);
    key(VK_BACK);
    EXPECT_EQ(text(), u"ab");
    // A single-line edit ignores Enter.
    DestroyWindow(edit);
    make(ES_AUTOHSCROLL, 10, 10, 150, 20, u"ab");
    SetFocus(edit);
    key(VK_RETURN);
    EXPECT_EQ(text(), u"ab");
}

TEST_F(Keys, InADialogEnterBelongsToTheDialogUnlessTheEditWantsIt) {
    make(ES_MULTILINE, 10, 10, 150, 80, u"ab");
    MSG m{edit, WM_KEYDOWN, VK_RETURN, 0, 0, {0, 0}};
    EXPECT_EQ(send(WM_GETDLGCODE, VK_RETURN, (LPARAM)&m),
              DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS | DLGC_WANTALLKEYS);
    SetFocus(edit);
    send(WM_CHAR, u'\r');
    EXPECT_EQ(text(), u"ab");
    SetWindowLongW(edit, GWL_STYLE, GetWindowLongW(edit, GWL_STYLE) | ES_WANTRETURN);
    send(WM_CHAR, u'\r');
    EXPECT_EQ(text(), u"\r\nab");
    // A single-line edit leaves every dialog key to the dialog.
    DestroyWindow(edit);
    make(ES_AUTOHSCROLL);
    EXPECT_EQ(send(WM_GETDLGCODE), DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS);
}

TEST_F(Keys, TabIsTypedIntoAMultiLineEditAndDrawnAsSpace) {
    make(ES_MULTILINE, 10, 10, 150, 80, u"a");
    SetFocus(edit);
    key(VK_END);
    key(VK_TAB);
    type(u"b");
    EXPECT_EQ(text(), u"a\tb");
    EXPECT_GT(posOf(2).x - posOf(1).x, posOf(1).x - posOf(0).x);
}

// A multi-line edit scrolls three lines a notch; a single line has nothing to
// scroll and hands the wheel on to its parent.
TEST_F(Keys, TheWheelScrollsAMultiLineEditAndPassesASingleLineOn) {
    make(ES_MULTILINE | WS_VSCROLL, 10, 10, 120, 40);
    std::u16string many;
    for (int i = 0; i < 20; ++i) many += u"line\r\n";
    setText(many);
    parent().take();
    send(WM_MOUSEWHEEL, MAKEWPARAM(0, (WORD)(short)-WHEEL_DELTA), 0);
    EXPECT_EQ(send(EM_GETFIRSTVISIBLELINE), 3);
    EXPECT_EQ(parent().take(), (Lines{"VSCROLL", "VSCROLL", "VSCROLL"}));  // its own, not the wheel
    DestroyWindow(edit);
    make(0);
    parent().take();
    send(WM_MOUSEWHEEL, MAKEWPARAM(0, (WORD)(short)-WHEEL_DELTA), 0);
    EXPECT_EQ(parent().take(), Lines{"WHEEL"});
}

}  // namespace
