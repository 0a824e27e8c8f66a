// Scrolling: the scroll bars' values, WM_VSCROLL/WM_HSCROLL codes, bringing
// items into view, the first visible item, and rows that come and go.
#include "tv_fixture.h"

#include "platform/controls/common/scroll_bar.h"
#include "platform/window/input.h"
#include "platform/window/window_system.h"

using namespace tvtest;

namespace {

class Scroll : public TreeTest {
protected:
    void SetUp() override {
        TreeTest::SetUp();
        makeTree(TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT, 0, 0, 200, 100);
        for (int i = 0; i < 50; ++i) items.push_back(add(TVI_ROOT, "item " + std::to_string(i)));
        device::runUntilIdle();
        h = (int)send(TVM_GETITEMHEIGHT);
        shown = 100 / h;
    }
    SCROLLINFO info(int bar) {
        SCROLLINFO si{sizeof(si), SIF_ALL, 0, 0, 0, 0, 0};
        GetScrollInfo(tree, bar, &si);
        return si;
    }
    HTREEITEM first() { return (HTREEITEM)send(TVM_GETNEXTITEM, TVGN_FIRSTVISIBLE); }
    std::vector<HTREEITEM> items;
    int h = 0, shown = 0;
};

TEST_F(Scroll, TheVerticalBarCountsRowsAndShowsAPageOfThem) {
    EXPECT_TRUE(GetWindowLongW(tree, GWL_STYLE) & WS_VSCROLL);
    SCROLLINFO si = info(SB_VERT);
    EXPECT_EQ(si.nMin, 0);
    EXPECT_EQ(si.nMax, 49);
    EXPECT_EQ((int)si.nPage, shown);
    EXPECT_EQ(si.nPos, 0);
    EXPECT_EQ(send(TVM_GETVISIBLECOUNT), shown);
    EXPECT_FALSE(GetWindowLongW(tree, GWL_STYLE) & WS_HSCROLL);
}

// The wheel reaches the window under the pointer, focus or not: three rows a
// notch, back up with a turn the other way; under the tree's parent (no
// control of its own to scroll) nothing moves.
TEST_F(Scroll, TheWheelUnderThePointerScrollsThreeRowsANotch) {
    RECT r{};
    GetWindowRect(tree, &r);
    device::wheel(r.left + 20, r.top + 20, -2);
    device::runUntilIdle();
    EXPECT_EQ(first(), items[6]);
    device::wheel(r.left + 20, r.top + 20, 1);
    device::runUntilIdle();
    EXPECT_EQ(first(), items[3]);
    device::wheel(r.right + 5, r.bottom + 5, -1);
    device::runUntilIdle();
    EXPECT_EQ(first(), items[3]);
}

TEST_F(Scroll, ScrollCodesMoveTheFirstVisibleRow) {
    send(WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(first(), items[1]);
    EXPECT_EQ(GetScrollPos(tree, SB_VERT), 1);
    EXPECT_EQ(itemRect(items[0], false).top, -h);  // above the window, still a rectangle
    send(WM_VSCROLL, SB_PAGEDOWN);
    EXPECT_EQ(first(), items[1 + shown]);
    send(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 10));
    EXPECT_EQ(first(), items[10]);
    send(WM_VSCROLL, SB_BOTTOM);
    EXPECT_EQ(first(), items[50 - shown]);  // the last page stays full
    send(WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(first(), items[50 - shown]);
    send(WM_VSCROLL, SB_PAGEUP);
    EXPECT_EQ(first(), items[50 - 2 * shown]);
    send(WM_VSCROLL, SB_TOP);
    EXPECT_EQ(first(), items[0]);
    send(WM_VSCROLL, SB_LINEUP);
    EXPECT_EQ(first(), items[0]);
}

TEST_F(Scroll, EnsureVisibleAndFirstVisibleBringItemsIntoView) {
    EXPECT_TRUE(send(TVM_ENSUREVISIBLE, 0, (LPARAM)items[30]));
    EXPECT_EQ(first(), items[30 - shown + 1]);  // just enough: it is the last full row
    EXPECT_FALSE(send(TVM_ENSUREVISIBLE, 0, (LPARAM)items[30]));  // already there
    EXPECT_TRUE(send(TVM_SELECTITEM, TVGN_FIRSTVISIBLE, (LPARAM)items[20]));
    EXPECT_EQ(first(), items[20]);
    send(TVM_SELECTITEM, TVGN_FIRSTVISIBLE, (LPARAM)items[48]);
    EXPECT_EQ(first(), items[50 - shown]);
    // Selecting scrolls the selection into view.
    send(TVM_SELECTITEM, TVGN_CARET, (LPARAM)items[2]);
    EXPECT_EQ(first(), items[2]);
    SetFocus(tree);
    device::keyDown(VK_END);
    device::runUntilIdle();
    EXPECT_EQ((HTREEITEM)send(TVM_GETNEXTITEM, TVGN_CARET), items[49]);
    EXPECT_EQ(first(), items[50 - shown]);
}

TEST_F(Scroll, TheFirstVisibleItemStaysWhileRowsComeAndGo) {
    send(TVM_SELECTITEM, TVGN_FIRSTVISIBLE, (LPARAM)items[10]);
    add(TVI_ROOT, "new first", 0, TVI_FIRST);
    EXPECT_EQ(first(), items[10]);
    // Its branch closing moves the view to the branch.
    HTREEITEM child = add(items[12], "child");
    send(TVM_EXPAND, TVE_EXPAND, (LPARAM)items[12]);
    send(TVM_SELECTITEM, TVGN_FIRSTVISIBLE, (LPARAM)child);
    EXPECT_EQ(first(), child);
    send(TVM_EXPAND, TVE_COLLAPSE, (LPARAM)items[12]);
    EXPECT_EQ(first(), items[12]);
    // Deleting it moves the view to what came before.
    send(TVM_DELETEITEM, 0, (LPARAM)items[12]);
    EXPECT_EQ(first(), items[11]);
    send(TVM_DELETEITEM, 0, (LPARAM)TVI_ROOT);
    device::runUntilIdle();
    EXPECT_EQ(first(), nullptr);
    EXPECT_FALSE(GetWindowLongW(tree, GWL_STYLE) & WS_VSCROLL);
}

TEST_F(Scroll, ALongLabelGetsAHorizontalBarAndOnlyTheUserScrollsSideways) {
    HTREEITEM wide = add(TVI_ROOT, "a label much too wide for this small window, really", 0, TVI_FIRST);
    device::runUntilIdle();
    EXPECT_TRUE(GetWindowLongW(tree, GWL_STYLE) & WS_HSCROLL);
    RECT before = itemRect(wide, true);
    send(WM_HSCROLL, SB_LINERIGHT);
    EXPECT_EQ(GetScrollPos(tree, SB_HORZ), (int)send(TVM_GETINDENT));
    EXPECT_EQ(itemRect(wide, true).left, before.left - send(TVM_GETINDENT));
    send(WM_HSCROLL, SB_LEFT);
    EXPECT_EQ(GetScrollPos(tree, SB_HORZ), 0);
    // Selecting or revealing the wide item leaves the lines and buttons at
    // the left edge in view; a sideways position the user chose stays.
    send(TVM_SELECTITEM, TVGN_CARET, (LPARAM)wide);
    send(TVM_ENSUREVISIBLE, 0, (LPARAM)wide);
    EXPECT_EQ(GetScrollPos(tree, SB_HORZ), 0);
    send(WM_HSCROLL, SB_LINERIGHT);
    send(TVM_SELECTITEM, TVGN_CARET, (LPARAM)items[0]);
    EXPECT_EQ(GetScrollPos(tree, SB_HORZ), (int)send(TVM_GETINDENT));
}

// The pen on the bar's down arrow scrolls the tree by one row: the tree view
// leaves the press to DefWindowProcW, which hands it to the bar code.
TEST_F(Scroll, ThePenOnTheDownArrowScrollsOneRow) {
    device::registerScrollBars();
    RECT bar = device::scrollBarRect(tree, SB_VERT);
    ASSERT_FALSE(IsRectEmpty(&bar));
    RECT win;
    GetWindowRect(tree, &win);
    int x = win.left + (bar.left + bar.right) / 2, y = win.top + bar.bottom - 2;
    // Down and up are queued together: a pen left on the arrow would repeat
    // for as long as the virtual clock runs.
    device::penDown(x, y);
    device::penUp(x, y);
    device::runUntilIdle();
    EXPECT_EQ(first(), items[1]);
    EXPECT_EQ(info(SB_VERT).nPos, 1);
    EXPECT_EQ(GetCapture(), nullptr);
}

}  // namespace
