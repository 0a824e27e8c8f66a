// What the edit draws: the parent's colours, the password mask, the caret
// and the selection.
#include "edit_fixture.h"

using namespace edittest;

namespace {

class Paint : public EditTest {
protected:
    RECT client() {
        RECT rc;
        GetClientRect(edit, &rc);
        return rc;
    }
    COLORREF at(int x, int y) {
        POINT p{x, y};
        ClientToScreen(edit, &p);
        return screenPixel(p.x, p.y);
    }
    // The pixels of the edit's client area, row by row.
    std::vector<COLORREF> pixels() {
        std::vector<COLORREF> out;
        RECT rc = client();
        for (int y = rc.top; y < rc.bottom; ++y)
            for (int x = rc.left; x < rc.right; ++x) out.push_back(at(x, y));
        return out;
    }
};

TEST_F(Paint, ColoursComeFromTheParentsAnswer) {
    HBRUSH yellow = CreateSolidBrush(RGB(255, 255, 0x6A));
    parent().colorBrush = yellow;
    parent().textColor = RGB(0, 0, 0x96);
    parent().transparent = true;
    make(ES_MULTILINE | WS_BORDER, 10, 10, 150, 40, u"Note text");
    device::runUntilIdle();
    EXPECT_GT(parent().colorRequests, 0);
    EXPECT_EQ(parent().lastColorMessage, (UINT)WM_CTLCOLOREDIT);
    RECT rc = client();
    EXPECT_EQ(at(rc.right - 3, rc.bottom - 3), RGB(255, 255, 0x6A));
    // Some of the text is drawn in the text colour itself.
    int dark = 0;
    for (COLORREF c : pixels())
        if (GetRValue(c) < 0x40 && GetGValue(c) < 0x40 && GetBValue(c) > 0x60) ++dark;
    EXPECT_GT(dark, 5);
    DeleteObject(yellow);
}

TEST_F(Paint, ReadOnlyAndDisabledEditsAskForStaticColours) {
    make(ES_AUTOHSCROLL | ES_READONLY, 10, 10, 150, 20, u"fixed");
    device::runUntilIdle();
    EXPECT_EQ(parent().lastColorMessage, (UINT)WM_CTLCOLORSTATIC);
    DestroyWindow(edit);
    make(ES_AUTOHSCROLL, 10, 10, 150, 20, u"off");
    EnableWindow(edit, FALSE);
    InvalidateRect(edit, nullptr, TRUE);
    device::runUntilIdle();
    EXPECT_EQ(parent().lastColorMessage, (UINT)WM_CTLCOLORSTATIC);
}

TEST_F(Paint, PasswordsShowOnlyTheMask) {
    make(ES_PASSWORD | ES_AUTOHSCROLL, 10, 10, 150, 20, u"abcdef");
    std::vector<COLORREF> first = pixels();
    setText(u"zyxwvu");
    device::runUntilIdle();
    EXPECT_EQ(pixels(), first);  // same length, same picture
    EXPECT_EQ(text(), u"zyxwvu");
    send(EM_SETPASSWORDCHAR, 0);
    device::runUntilIdle();
    EXPECT_NE(pixels(), first);
}

TEST_F(Paint, TheCaretShowsOnlyWithTheFocus) {
    make(ES_AUTOHSCROLL, 10, 10, 150, 20, u"");
    RECT rc = client();
    COLORREF paper = at(rc.right - 2, rc.bottom - 2);
    EXPECT_EQ(inkIn(edit, rc, paper), 0);
    SetFocus(edit);
    device::runUntilIdle();
    EXPECT_GT(inkIn(edit, rc, paper), 5);
    SetFocus(top);
    device::runUntilIdle();
    EXPECT_EQ(inkIn(edit, rc, paper), 0);
}

TEST_F(Paint, TheSelectionIsHighlightedWhileFocused) {
    make(ES_AUTOHSCROLL, 10, 10, 150, 20, u"selected words");
    send(EM_SETSEL, 0, -1);
    device::runUntilIdle();
    COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    auto count = [&] {
        int n = 0;
        for (COLORREF c : pixels())
            if (c == highlight) ++n;
        return n;
    };
    EXPECT_EQ(count(), 0);
    SetFocus(edit);
    device::runUntilIdle();
    EXPECT_GT(count(), 50);
}

TEST_F(Paint, ScrolledTextDrawsTheLinesInView) {
    std::u16string many;
    for (int i = 0; i < 12; ++i) many += u"row\r\n";
    many += u"last";
    make(ES_MULTILINE | WS_VSCROLL, 10, 10, 150, 50, many.c_str());
    std::vector<COLORREF> topView = pixels();
    send(WM_VSCROLL, SB_BOTTOM);
    device::runUntilIdle();
    EXPECT_NE(pixels(), topView);
    EXPECT_EQ(posOf(0).y < 0, true);
}

}  // namespace
