// Focus, activation, capture, enabling, showing, moving and sizing.
#include "wm_fixture.h"

using namespace wmtest;
using Lines = std::vector<std::string>;

namespace {
class Focus : public WindowTest {};
}  // namespace

TEST_F(Focus, ShowingATopLevelWindowActivatesAndFocusesIt) {
    HWND a = makeTop("a", 0, 30, 100, 100, 0);
    rec().take();
    ShowWindow(a, SW_SHOW);
    EXPECT_EQ(rec().take(), (Lines{"a:WM_SHOWWINDOW(1)", "a:WM_ACTIVATE(1,0)", "a:WM_SETFOCUS(0)"}));
    EXPECT_EQ(GetActiveWindow(), a);
    EXPECT_EQ(GetForegroundWindow(), a);
    EXPECT_EQ(GetFocus(), a);
}

TEST_F(Focus, ActivationMovesBetweenWindowsWithTheOtherWindowNamed) {
    HWND a = makeTop("a", 0, 30, 100, 100);
    HWND b = makeTop("b", 0, 30, 100, 100);
    rec().take();
    EXPECT_EQ(SetActiveWindow(a), b);
    EXPECT_EQ(rec().take(), (Lines{"b:WM_ACTIVATE(0,a)", "a:WM_ACTIVATE(1,b)", "b:WM_KILLFOCUS(a)",
                                   "a:WM_SETFOCUS(b)"}));
    EXPECT_TRUE(SetForegroundWindow(b));
    EXPECT_EQ(GetForegroundWindow(), b);
    EXPECT_EQ(GetWindow(b, GW_HWNDNEXT), a);  // in front of a now
}

TEST_F(Focus, SetFocusOnAChildNamesTheOtherWindow) {
    HWND top = makeTop("top", 0, 30, 100, 100);
    HWND c1 = makeChild(top, "c1", 1, 0, 0, 10, 10);
    HWND c2 = makeChild(top, "c2", 2, 20, 0, 10, 10);
    rec().take();
    EXPECT_EQ(SetFocus(c1), top);
    EXPECT_EQ(SetFocus(c2), c1);
    EXPECT_EQ(rec().take(), (Lines{"top:WM_KILLFOCUS(c1)", "c1:WM_SETFOCUS(top)", "c1:WM_KILLFOCUS(c2)",
                                   "c2:WM_SETFOCUS(c1)"}));
    EXPECT_EQ(SetFocus(nullptr), c2);
    EXPECT_EQ(GetFocus(), nullptr);
}

TEST_F(Focus, FocusInAnInactiveWindowActivatesItFirst) {
    HWND a = makeTop("a", 0, 30, 100, 100);
    HWND ca = makeChild(a, "ca", 1, 0, 0, 10, 10);
    makeTop("b", 0, 30, 100, 100);
    rec().take();
    SetFocus(ca);
    EXPECT_EQ(rec().take(), (Lines{"b:WM_ACTIVATE(0,a)", "a:WM_ACTIVATE(1,b)", "b:WM_KILLFOCUS(a)",
                                   "a:WM_SETFOCUS(b)", "a:WM_KILLFOCUS(ca)", "ca:WM_SETFOCUS(a)"}));
    EXPECT_EQ(GetActiveWindow(), a);
}

TEST_F(Focus, DisablingTakesFocusAwayAndSendsEnable) {
    HWND top = makeTop("top", 0, 30, 100, 100);
    HWND c = makeChild(top, "c", 1, 0, 0, 10, 10);
    SetFocus(c);
    rec().take();
    EXPECT_FALSE(EnableWindow(c, FALSE));  // was enabled
    EXPECT_EQ(rec().take(), (Lines{"c:WM_KILLFOCUS(0)", "c:WM_ENABLE(0)"}));
    EXPECT_FALSE(IsWindowEnabled(c));
    EXPECT_TRUE(EnableWindow(c, FALSE));  // already disabled: nothing sent
    EXPECT_TRUE(rec().take().empty());
    EXPECT_TRUE(EnableWindow(c, TRUE));
    EXPECT_EQ(rec().take(), (Lines{"c:WM_ENABLE(1)"}));
}

TEST_F(Focus, APopupThatIsNeverActiveLeavesTheFocusWithTheDisabledOwnersControl) {
    HWND owner = makeTop("owner", 0, 30, 100, 100);
    HWND c = makeChild(owner, "c", 1, 0, 0, 10, 10);
    SetFocus(c);
    // As a modal tip is shown: the owner disabled, the popup shown and
    // clicked; neither takes the focus from the owner's control.
    EnableWindow(owner, FALSE);
    HWND tip = CreateWindowExW(WS_EX_TOPMOST | WS_EX_NOACTIVATE, u"rec", u"", WS_POPUP, 0, 30, 50, 20, owner,
                               nullptr, nullptr, nullptr);
    rec().take();
    SetWindowPos(tip, HWND_TOPMOST, 0, 30, 50, 20, SWP_SHOWWINDOW);
    ShowWindow(tip, SW_SHOWNORMAL);
    device::penDown(5, 35);
    device::penUp(5, 35);
    device::runUntilIdle();
    EXPECT_EQ(GetActiveWindow(), owner);
    EXPECT_EQ(GetFocus(), c);
    for (const std::string& line : rec().take()) EXPECT_EQ(line.find("FOCUS"), std::string::npos) << line;
}

TEST_F(Focus, DestroyingTheActiveWindowActivatesItsOwner) {
    HWND owner = makeTop("owner", 0, 30, 100, 100);
    rec().pending = "popup";
    HWND popup = CreateWindowExW(0, u"rec", u"", WS_POPUP | WS_VISIBLE, 0, 30, 10, 10, owner, nullptr, nullptr,
                                 nullptr);
    EXPECT_EQ(GetActiveWindow(), popup);
    rec().take();
    DestroyWindow(popup);
    EXPECT_EQ(rec().take(), (Lines{"popup:WM_ACTIVATE(0,owner)", "owner:WM_ACTIVATE(1,popup)",
                                   "popup:WM_KILLFOCUS(owner)", "owner:WM_SETFOCUS(popup)", "popup:WM_DESTROY",
                                   "popup:WM_NCDESTROY"}));
    EXPECT_EQ(GetActiveWindow(), owner);
}

TEST_F(Focus, HidingTheOnlyWindowLeavesNoActiveWindow) {
    HWND a = makeTop("a", 0, 30, 100, 100);
    rec().take();
    ShowWindow(a, SW_HIDE);
    EXPECT_EQ(rec().take(), (Lines{"a:WM_SHOWWINDOW(0)", "a:WM_ACTIVATE(0,0)", "a:WM_KILLFOCUS(0)"}));
    EXPECT_EQ(GetActiveWindow(), nullptr);
    EXPECT_EQ(GetFocus(), nullptr);
}

TEST_F(Focus, CaptureChangesAreAnnounced) {
    HWND top = makeTop("top", 0, 30, 100, 100);
    HWND c = makeChild(top, "c", 1, 0, 0, 10, 10);
    rec().take();
    EXPECT_EQ(SetCapture(top), nullptr);
    EXPECT_EQ(SetCapture(c), top);
    EXPECT_EQ(GetCapture(), c);
    EXPECT_TRUE(ReleaseCapture());
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(rec().take(), (Lines{"top:WM_CAPTURECHANGED", "c:WM_CAPTURECHANGED"}));
    SetCapture(c);
    DestroyWindow(c);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(Focus, MoveAndSizeSendOnlyWhatChanged) {
    HWND top = makeTop("top", 0, 30, 200, 200);
    HWND c = makeChild(top, "c", 1, 10, 10, 50, 50);
    rec().withParams = true;
    rec().take();
    MoveWindow(c, 20, 10, 50, 50, TRUE);
    EXPECT_EQ(rec().take(), (Lines{"c:WM_MOVE(20,10)"}));
    SetWindowPos(c, nullptr, 0, 0, 60, 30, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(rec().take(), (Lines{"c:WM_SIZE(60,30)"}));
    SetWindowPos(c, nullptr, 0, 0, 60, 30, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_TRUE(rec().take().empty());
    RECT r;
    GetWindowRect(c, &r);
    EXPECT_EQ(r.left, 20);
    EXPECT_EQ(r.top, 40);  // 30 for the parent + 10
    EXPECT_EQ(r.right, 80);
}

TEST_F(Focus, ShowWindowReportsThePreviousState) {
    HWND top = makeTop("top", 0, 30, 100, 100);
    HWND c = makeChild(top, "c", 1, 0, 0, 10, 10, 0);
    EXPECT_FALSE(ShowWindow(c, SW_SHOW));
    EXPECT_TRUE(ShowWindow(c, SW_SHOW));
    EXPECT_TRUE(IsWindowVisible(c));
    ShowWindow(top, SW_HIDE);
    EXPECT_FALSE(IsWindowVisible(c));  // hidden with its parent
    EXPECT_TRUE(GetWindowLongW(c, GWL_STYLE) & WS_VISIBLE);
}

TEST_F(Focus, BorderAndScrollBarsShrinkTheClientArea) {
    HWND top = makeTop("top", 0, 30, 200, 200);
    HWND c = makeChild(top, "c", 1, 10, 10, 100, 80, WS_VISIBLE | WS_BORDER | WS_VSCROLL);
    RECT rc;
    GetClientRect(c, &rc);
    EXPECT_EQ(rc.right, 100 - 2 - GetSystemMetrics(SM_CXVSCROLL));
    EXPECT_EQ(rc.bottom, 78);
    POINT p{0, 0};
    ClientToScreen(c, &p);
    EXPECT_EQ(p.x, 11);
    EXPECT_EQ(p.y, 41);
    ScreenToClient(top, &p);
    EXPECT_EQ(p.x, 11);
    EXPECT_EQ(p.y, 11);
    POINT pts[2] = {{0, 0}, {5, 5}};
    MapWindowPoints(c, top, pts, 2);
    EXPECT_EQ(pts[1].x, 16);
    EXPECT_EQ(pts[1].y, 16);
}

TEST_F(Focus, ScrollInfoShowsAndHidesTheBar) {
    HWND top = makeTop("top", 0, 30, 200, 200);
    HWND c = makeChild(top, "c", 1, 0, 0, 100, 100);
    rec().take();
    SCROLLINFO si{sizeof(si), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 99, 20, 95, 0};
    EXPECT_EQ(SetScrollInfo(c, SB_VERT, &si, TRUE), 80);  // the position stops a page before the end
    EXPECT_TRUE(GetWindowLongW(c, GWL_STYLE) & WS_VSCROLL);
    EXPECT_EQ(rec().take(), (Lines{"c:WM_SIZE"}));
    si.nPage = 100;
    si.fMask = SIF_PAGE;
    SetScrollInfo(c, SB_VERT, &si, TRUE);
    EXPECT_FALSE(GetWindowLongW(c, GWL_STYLE) & WS_VSCROLL);
    EXPECT_EQ(GetScrollPos(c, SB_VERT), 0);
    int lo = -1, hi = -1;
    EXPECT_TRUE(GetScrollRange(c, SB_VERT, &lo, &hi));
    EXPECT_EQ(lo, 0);
    EXPECT_EQ(hi, 99);
    EXPECT_EQ(SetScrollInfo(c, 7, &si, TRUE), 0);  // no such bar
}

TEST_F(Focus, WindowFromPointFindsTheTopmostDeepestWindow) {
    HWND top = makeTop("top", 0, 30, 200, 200);
    HWND c = makeChild(top, "c", 1, 10, 10, 50, 50);
    HWND hidden = makeChild(top, "h", 2, 100, 10, 50, 50, 0);
    EXPECT_EQ(WindowFromPoint(POINT{15, 45}), c);
    EXPECT_EQ(WindowFromPoint(POINT{110, 45}), top);  // hidden children don't count
    EXPECT_EQ(ChildWindowFromPoint(top, POINT{110, 15}), hidden);
    EXPECT_EQ(ChildWindowFromPoint(top, POINT{5, 5}), top);
    EXPECT_EQ(ChildWindowFromPoint(top, POINT{500, 5}), nullptr);
}
