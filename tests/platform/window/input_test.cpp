// Pen and key routing: the window under the pen, capture, double taps,
// disabled windows, activation by a tap, and the pen-down record.
#include "wm_fixture.h"

using namespace wmtest;
using Lines = std::vector<std::string>;

namespace {

class Input : public WindowTest {
protected:
    void tap(int x, int y) {
        device::penDown(x, y);
        device::penUp(x, y);
        device::runUntilIdle();
    }
};

}  // namespace

TEST_F(Input, PenEventsGoToTheWindowUnderThePenInClientCoordinates) {
    HWND top = makeTop("top", 0, 30, 200, 200);
    makeChild(top, "c", 1, 10, 10, 50, 50, WS_VISIBLE | WS_BORDER);
    rec().withParams = true;
    device::runUntilIdle();
    rec().take();
    device::penDown(15, 45);
    device::penMove(20, 50);
    device::penUp(100, 100);
    device::runUntilIdle();
    EXPECT_EQ(rec().take(), (Lines{"c:WM_LBUTTONDOWN(4,4)", "c:WM_MOUSEMOVE(9,9)", "top:WM_LBUTTONUP(100,70)"}));
}

TEST_F(Input, CaptureGetsEverythingEvenOutsideIt) {
    HWND top = makeTop("top", 0, 30, 200, 200);
    HWND c = makeChild(top, "c", 1, 10, 10, 50, 50);
    rec().withParams = true;
    device::runUntilIdle();
    SetCapture(c);
    rec().take();
    device::penDown(150, 150);
    device::penUp(5, 35);
    device::runUntilIdle();
    EXPECT_EQ(rec().take(), (Lines{"c:WM_LBUTTONDOWN(140,110)", "c:WM_LBUTTONUP(-5,-5)"}));
}

TEST_F(Input, ASecondQuickTapIsADoubleTapOnlyForDoubleClickClasses) {
    rec().pending = "dbl";
    HWND dbl = CreateWindowExW(0, u"recdbl", u"", WS_POPUP | WS_VISIBLE, 0, 30, 100, 100, nullptr, nullptr, nullptr,
                               nullptr);
    HWND plain = makeTop("plain", 120, 30, 100, 100);
    device::runUntilIdle();
    SetForegroundWindow(dbl);
    device::runUntilIdle();
    rec().take();
    tap(10, 40);
    device::advanceClock(300);
    tap(12, 42);
    tap(12, 42);  // a third tap starts over
    EXPECT_EQ(rec().take(), (Lines{"dbl:WM_LBUTTONDOWN", "dbl:WM_LBUTTONUP", "dbl:WM_LBUTTONDBLCLK",
                                   "dbl:WM_LBUTTONUP", "dbl:WM_LBUTTONDOWN", "dbl:WM_LBUTTONUP"}));
    device::advanceClock(600);  // too slow
    tap(12, 42);
    EXPECT_EQ(rec().take(), (Lines{"dbl:WM_LBUTTONDOWN", "dbl:WM_LBUTTONUP"}));
    tap(40, 42);  // too far
    EXPECT_EQ(rec().take(), (Lines{"dbl:WM_LBUTTONDOWN", "dbl:WM_LBUTTONUP"}));
    SetForegroundWindow(plain);
    device::runUntilIdle();
    rec().take();
    tap(130, 40);
    tap(130, 40);
    EXPECT_EQ(rec().take(), (Lines{"plain:WM_LBUTTONDOWN", "plain:WM_LBUTTONUP", "plain:WM_LBUTTONDOWN",
                                   "plain:WM_LBUTTONUP"}));
}

TEST_F(Input, APenDownOnADisabledWindowDoesNothing) {
    HWND top = makeTop("top", 0, 30, 200, 200);
    HWND c = makeChild(top, "c", 1, 10, 10, 50, 50);
    EnableWindow(c, FALSE);
    device::runUntilIdle();
    rec().take();
    tap(15, 45);
    EXPECT_TRUE(rec().take().empty());
    EnableWindow(top, FALSE);
    rec().take();
    tap(150, 150);
    EXPECT_TRUE(rec().take().empty());
}

TEST_F(Input, ATapOnAnInactiveWindowActivatesIt) {
    HWND a = makeTop("a", 0, 30, 100, 100);
    makeTop("b", 120, 30, 100, 100);
    device::runUntilIdle();
    rec().take();
    device::penDown(10, 40);
    device::runUntilIdle();
    EXPECT_EQ(rec().take(), (Lines{"b:WM_ACTIVATE(0,a)", "a:WM_ACTIVATE(2,b)", "b:WM_KILLFOCUS(a)",
                                   "a:WM_SETFOCUS(b)", "a:WM_LBUTTONDOWN"}));
    EXPECT_EQ(GetActiveWindow(), a);
    device::PenDownInfo pen = device::lastPenDown();
    EXPECT_TRUE(pen.down);
    EXPECT_EQ(pen.target, a);
    EXPECT_EQ(pen.screenPt.x, 10);
    device::penUp(10, 40);
    device::runUntilIdle();
    EXPECT_FALSE(device::lastPenDown().down);
}

TEST_F(Input, APenDownOnTheFrameIsANonClientMessage) {
    HWND top = makeTop("top", 0, 30, 200, 200);
    HWND c = makeChild(top, "c", 1, 10, 10, 60, 60, WS_VISIBLE | WS_BORDER | WS_VSCROLL);
    device::runUntilIdle();
    rec().take();
    RECT wr;
    GetWindowRect(c, &wr);
    tap(wr.right - 3, wr.top + 20);
    Lines got = rec().take();
    ASSERT_FALSE(got.empty());
    EXPECT_EQ(got[0], "c:WM_NCLBUTTONDOWN");
    EXPECT_EQ(SendMessageW(c, WM_NCHITTEST, 0, MAKELPARAM(wr.right - 3, wr.top + 20)), HTVSCROLL);
    EXPECT_EQ(SendMessageW(c, WM_NCHITTEST, 0, MAKELPARAM(wr.left, wr.top + 20)), HTBORDER);
    EXPECT_EQ(SendMessageW(c, WM_NCHITTEST, 0, MAKELPARAM(wr.left + 5, wr.top + 5)), HTCLIENT);
}

TEST_F(Input, KeysGoToTheActiveWindowWhenNothingHasFocus) {
    HWND a = makeTop("a", 0, 30, 100, 100);
    SetFocus(nullptr);
    device::runUntilIdle();
    rec().take();
    device::keyDown(VK_F1);
    device::runUntilIdle();
    EXPECT_EQ(rec().take(), (Lines{"a:WM_KEYDOWN(112)"}));
    (void)a;
}
