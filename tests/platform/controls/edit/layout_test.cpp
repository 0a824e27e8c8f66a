// Line layout through messages: wrapping at the width less the margins, the
// line queries on wrapped text, positions and hit tests agreeing, scrolling
// to the caret and the scroll bar's values.
#include "edit_fixture.h"

#include "platform/controls/common/scroll_bar.h"

using namespace edittest;

namespace {

class Layout : public EditTest {
protected:
    int lineCount() { return (int)send(EM_GETLINECOUNT); }
    int lineIndex(int line) { return (int)send(EM_LINEINDEX, (WPARAM)line); }
    int lineLength(int index) { return (int)send(EM_LINELENGTH, (WPARAM)index); }
    std::u16string line(int n) {
        WCHAR buffer[200] = {0};
        *reinterpret_cast<WORD*>(buffer) = 199;
        int got = (int)send(EM_GETLINE, (WPARAM)n, (LPARAM)buffer);
        return std::u16string(buffer, (size_t)got);
    }
    int lineHeight() {
        send(EM_SETSEL, 0, 0);
        return posOf((int)send(EM_LINEINDEX, 1)).y - posOf(0).y;
    }
};

TEST_F(Layout, HardBreaksMakeLinesAndTheQueriesAgree) {
    make(ES_MULTILINE | WS_VSCROLL, 10, 10, 200, 100, u"Milk\r\nBread rolls\r\n\r\nEggs");
    EXPECT_EQ(lineCount(), 4);
    EXPECT_EQ(lineIndex(0), 0);
    EXPECT_EQ(lineIndex(1), 6);
    EXPECT_EQ(lineIndex(2), 19);
    EXPECT_EQ(lineIndex(3), 21);
    EXPECT_EQ(lineIndex(4), -1);
    EXPECT_EQ(lineLength(6), 11);
    EXPECT_EQ(lineLength(19), 0);
    EXPECT_EQ(line(1), u"Bread rolls");
    EXPECT_EQ(line(3), u"Eggs");
    EXPECT_EQ(line(9), u"");
    EXPECT_EQ(send(EM_LINEFROMCHAR, 8), 1);
    EXPECT_EQ(send(EM_LINEFROMCHAR, 4), 0);  // the break belongs to its line
    EXPECT_EQ(send(EM_LINEFROMCHAR, 100), 3);
    send(EM_SETSEL, 22, 22);
    EXPECT_EQ(send(EM_LINEFROMCHAR, (WPARAM)-1), 3);
    EXPECT_EQ(send(EM_LINEINDEX, (WPARAM)-1), 21);
    // -1: the unselected characters on the lines the selection touches.
    send(EM_SETSEL, 2, 8);
    EXPECT_EQ(lineLength(-1), 2 + 9);
    EXPECT_EQ(send(EM_LINEFROMCHAR, (WPARAM)-1), 0);
}

TEST_F(Layout, WordsWrapAtTheWidthLessTheMargins) {
    make(ES_MULTILINE | WS_VSCROLL, 10, 10, 200, 120);
    std::u16string words = u"one two three four five six seven eight nine ten eleven twelve";
    setText(words);
    int wide = lineCount();
    ASSERT_GT(wide, 1);
    // Every line but the last ends after a blank: words are never split.
    for (int i = 0; i + 1 < wide; ++i) {
        std::u16string l = line(i);
        ASSERT_FALSE(l.empty());
        EXPECT_EQ(l.back(), u' ') << i;
    }
    std::u16string joined;
    for (int i = 0; i < wide; ++i) joined += line(i);
    EXPECT_EQ(joined, words);
    // Wider margins leave less room: more lines.
    send(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(40, 40));
    EXPECT_EQ(send(EM_GETMARGINS), MAKELONG(40, 40));
    EXPECT_GT(lineCount(), wide);
    // Each line's last character still lies inside the right margin.
    RECT rc;
    GetClientRect(edit, &rc);
    for (int i = 0; i < lineCount(); ++i) {
        int start = lineIndex(i);
        std::u16string l = line(i);
        int last = start + (int)l.size() - 1;
        while (last > start && words[(size_t)last] == u' ') --last;
        EXPECT_LT(posOf(last).x, rc.right - 40) << i;
        EXPECT_GE(posOf(start).x, 40) << i;
    }
}

TEST_F(Layout, AWordLongerThanTheLineIsSplit) {
    make(ES_MULTILINE, 10, 10, 60, 100);
    setText(std::u16string(80, u'w'));
    EXPECT_GT(lineCount(), 2);
    int total = 0;
    for (int i = 0; i < lineCount(); ++i) total += (int)line(i).size();
    EXPECT_EQ(total, 80);
}

TEST_F(Layout, ResizingRewraps) {
    make(ES_MULTILINE, 10, 10, 200, 100, u"alpha beta gamma delta epsilon zeta eta theta");
    int before = lineCount();
    MoveWindow(edit, 10, 10, 80, 100, TRUE);
    device::runUntilIdle();
    EXPECT_GT(lineCount(), before);
}

TEST_F(Layout, PositionsAndHitTestsAgree) {
    make(ES_MULTILINE, 10, 10, 150, 100, u"Shopping list\r\nMilk and honey");
    for (int i : {0, 3, 8, 15, 20, 28}) {
        POINT p = posOf(i);
        LRESULT r = send(EM_CHARFROMPOS, 0, MAKELPARAM(p.x, p.y + 2));
        EXPECT_EQ(LOWORD(r), i) << i;
        EXPECT_EQ(HIWORD(r), i < 15 ? 0 : 1) << i;
    }
    EXPECT_EQ(send(EM_POSFROMCHAR, 29), -1);  // past the last character
    EXPECT_EQ(posOf(15).y - posOf(0).y, posOf(16).y - posOf(1).y);
    EXPECT_GT(posOf(15).y, posOf(0).y);
    // Left of the text and below the last line land on the nearest place.
    EXPECT_EQ(LOWORD(send(EM_CHARFROMPOS, 0, MAKELPARAM(0, 1))), 0);
    EXPECT_EQ(LOWORD(send(EM_CHARFROMPOS, 0, MAKELPARAM(140, 90))), 29);
}

TEST_F(Layout, AlignmentStylesMoveTheText) {
    make(ES_CENTER | ES_MULTILINE, 10, 10, 150, 40, u"mid");
    int centred = posOf(0).x;
    DestroyWindow(edit);
    make(ES_RIGHT | ES_MULTILINE, 10, 10, 150, 40, u"mid");
    int right = posOf(0).x;
    DestroyWindow(edit);
    make(ES_MULTILINE, 10, 10, 150, 40, u"mid");
    int left = posOf(0).x;
    EXPECT_LT(left, centred);
    EXPECT_LT(centred, right);
}

using Scrolling = Layout;

TEST_F(Scrolling, TypingAtTheBottomScrollsTheCaretIntoView) {
    make(ES_MULTILINE | WS_VSCROLL, 10, 10, 150, 50);
    SetFocus(edit);
    for (int i = 0; i < 10; ++i) type(u"line\r");
    EXPECT_EQ(lineCount(), 11);
    int first = (int)send(EM_GETFIRSTVISIBLELINE);
    EXPECT_GT(first, 0);
    POINT caret = posOf(lineIndex(10) - 2);  // the last "line" is visible
    RECT rc;
    GetClientRect(edit, &rc);
    EXPECT_GE(caret.y, 0);
    EXPECT_LT(caret.y, rc.bottom);
    // The bar shows the lines, the page and the first visible line.
    SCROLLINFO si{sizeof(si), SIF_ALL, 0, 0, 0, 0, 0};
    ASSERT_TRUE(GetScrollInfo(edit, SB_VERT, &si));
    EXPECT_EQ(si.nMin, 0);
    EXPECT_EQ(si.nMax, 10);
    EXPECT_EQ(si.nPos, first);
    EXPECT_EQ((int)si.nPage, 11 - first);
}

TEST_F(Scrolling, ScrollMessagesMoveByLinesAndPagesAndNotify) {
    std::u16string many;
    for (int i = 0; i < 20; ++i) many += u"row\r\n";
    make(ES_MULTILINE | WS_VSCROLL, 10, 10, 150, 60, many.c_str());
    EXPECT_EQ(send(EM_GETFIRSTVISIBLELINE), 0);
    LRESULT r = send(EM_SCROLL, SB_LINEDOWN);
    EXPECT_EQ(HIWORD(r), TRUE);
    EXPECT_EQ((short)LOWORD(r), 1);
    EXPECT_EQ(send(EM_GETFIRSTVISIBLELINE), 1);
    EXPECT_EQ(parent().take(), Lines{"VSCROLL"});
    send(EM_LINESCROLL, 0, 5);
    EXPECT_EQ(send(EM_GETFIRSTVISIBLELINE), 6);
    send(WM_VSCROLL, SB_PAGEUP);
    EXPECT_LT(send(EM_GETFIRSTVISIBLELINE), 6);
    send(WM_VSCROLL, SB_BOTTOM);
    int bottom = (int)send(EM_GETFIRSTVISIBLELINE);
    send(WM_VSCROLL, SB_LINEDOWN);  // already at the end
    EXPECT_EQ(send(EM_GETFIRSTVISIBLELINE), bottom);
    EXPECT_EQ(GetScrollPos(edit, SB_VERT), bottom);
    send(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 3));
    EXPECT_EQ(send(EM_GETFIRSTVISIBLELINE), 3);
    send(WM_VSCROLL, SB_TOP);
    EXPECT_EQ(send(EM_GETFIRSTVISIBLELINE), 0);
    // A caret far below comes into view on request.
    send(EM_SETSEL, (WPARAM)lineIndex(18), (LPARAM)lineIndex(18));
    send(EM_SCROLLCARET);
    EXPECT_GT(send(EM_GETFIRSTVISIBLELINE), 10);
    // Single-line edits don't scroll by lines.
    DestroyWindow(edit);
    make(ES_AUTOHSCROLL);
    EXPECT_EQ(send(EM_SCROLL, SB_LINEDOWN), FALSE);
    EXPECT_EQ(send(EM_LINESCROLL, 0, 1), FALSE);
}

// The pen on the bar's arrows scrolls a long note one line at a time, and
// the parent hears of it as it does for the keys.
TEST_F(Scrolling, ThePenOnTheArrowsScrollsByLines) {
    device::registerScrollBars();
    std::u16string many;
    for (int i = 0; i < 20; ++i) many += u"row\r\n";
    make(ES_MULTILINE | WS_VSCROLL, 10, 10, 150, 60, many.c_str());
    parent().take();
    RECT bar = device::scrollBarRect(edit, SB_VERT);
    ASSERT_FALSE(IsRectEmpty(&bar));
    RECT win;
    GetWindowRect(edit, &win);
    int x = win.left + (bar.left + bar.right) / 2;
    for (int y : {win.top + bar.bottom - 2, win.top + bar.bottom - 2, win.top + bar.top + 2}) {
        device::penDown(x, y);
        device::penUp(x, y);
        device::runUntilIdle();
    }
    EXPECT_EQ(send(EM_GETFIRSTVISIBLELINE), 1);
    EXPECT_EQ(GetScrollPos(edit, SB_VERT), 1);
    EXPECT_EQ(parent().take(), (Lines{"VSCROLL", "VSCROLL", "VSCROLL"}));
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(Scrolling, ASingleLineScrollsSidewaysToTheCaret) {
    make(ES_AUTOHSCROLL, 10, 10, 60, 20);
    SetFocus(edit);
    type(u"a rather long label for a small field");
    RECT rc;
    GetClientRect(edit, &rc);
    DWORD s = 0;
    send(EM_GETSEL, (WPARAM)&s, 0);
    EXPECT_EQ(s, 37u);
    EXPECT_GT(send(EM_GETFIRSTVISIBLELINE), 0);  // the first visible character
    key(VK_HOME);
    EXPECT_EQ(send(EM_GETFIRSTVISIBLELINE), 0);
}

TEST_F(Scrolling, WithoutAutoScrollASingleLineTakesOnlyWhatFits) {
    make(0, 10, 10, 40, 20);
    SetFocus(edit);
    type(u"wwwwwwwwwwwwwwwwwwww");
    std::u16string got = text();
    EXPECT_GT(got.size(), 0u);
    EXPECT_LT(got.size(), 20u);
    Lines log = parent().take();
    EXPECT_NE(std::find(log.begin(), log.end(), "MAXTEXT"), log.end());
}

}  // namespace
