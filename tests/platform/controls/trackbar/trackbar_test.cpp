// The trackbar through its messages and through the pen and keys: range and
// position with clamping, ticks, the notifications a move sends its parent
// (codes, positions, order), and the custom-draw stages the colour picker
// uses to draw its own thumb.
#include "platform/controls/ctl_fixture.h"

#include "platform/controls/trackbar/trackbar_control.h"
#include "platform/system/device_clock.h"

using namespace ctltest;

namespace {

struct Heard {
    std::vector<std::string> moves;   // "h:code" or "h:code:pos" per WM_HSCROLL (v: for WM_VSCROLL)
    std::vector<std::string> stages;  // "stage/part" per NM_CUSTOMDRAW
    RECT thumbRect{};                 // nmcd.rc of the thumb stage
    LRESULT answerPrePaint = CDRF_DODEFAULT;
    LRESULT answerThumb = CDRF_DODEFAULT;
    HWND lParamSeen = nullptr;
};
Heard& heard() {
    static Heard h;
    return h;
}
WNDPROC parentBase = nullptr;

LRESULT CALLBACK listeningParent(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_HSCROLL || msg == WM_VSCROLL) {
        int code = LOWORD(wParam);
        std::string line = std::string(msg == WM_HSCROLL ? "h:" : "v:") + std::to_string(code);
        if (code == TB_THUMBTRACK || code == TB_THUMBPOSITION) line += ":" + std::to_string(HIWORD(wParam));
        heard().moves.push_back(line);
        heard().lParamSeen = (HWND)lParam;
        return 0;
    }
    if (msg == WM_NOTIFY) {
        auto* nm = reinterpret_cast<NMCUSTOMDRAW*>(lParam);
        if (nm->hdr.code != NM_CUSTOMDRAW) return 0;
        heard().stages.push_back(std::to_string(nm->dwDrawStage) + "/" + std::to_string(nm->dwItemSpec));
        if (nm->dwDrawStage == CDDS_PREPAINT) return heard().answerPrePaint;
        if (nm->dwDrawStage == CDDS_ITEMPREPAINT && nm->dwItemSpec == TBCD_THUMB) {
            heard().thumbRect = nm->rc;
            if (heard().answerThumb & CDRF_SKIPDEFAULT) {
                // The colour picker's thumb: a light rectangle framed in black.
                RECT r = nm->rc;
                --r.right;
                --r.bottom;
                HBRUSH light = CreateSolidBrush(RGB(0xFA, 0xFA, 0xFA));
                FillRect(nm->hdc, &r, light);
                FrameRect(nm->hdc, &r, (HBRUSH)GetStockObject(BLACK_BRUSH));
                DeleteObject(light);
            }
            return heard().answerThumb;
        }
        return CDRF_DODEFAULT;
    }
    return CallWindowProcW(parentBase, hwnd, msg, wParam, lParam);
}

class Trackbar : public ControlTest {
protected:
    void SetUp() override {
        ControlTest::SetUp();
        heard() = Heard{};
        ASSERT_TRUE(device::registerTrackbarControl());
        parentBase = (WNDPROC)SetWindowLongW(top, GWL_WNDPROC, (LONG_PTR)listeningParent);
    }
    HWND makeBar(DWORD style = 0, int w = 200, int h = 30) {
        HWND t = make(TRACKBAR_CLASSW, u"", style, 1020, 10, 10, w, h);
        heard().moves.clear();
        heard().stages.clear();
        return t;
    }
    static LRESULT send(HWND h, UINT msg, WPARAM w = 0, LPARAM l = 0) { return SendMessageW(h, msg, w, l); }
    static RECT thumbOf(HWND h) {
        RECT r{};
        send(h, TBM_GETTHUMBRECT, 0, (LPARAM)&r);
        return r;
    }
    std::vector<std::string> moves() {
        std::vector<std::string> out;
        out.swap(heard().moves);
        return out;
    }
    using Lines = std::vector<std::string>;
};

TEST_F(Trackbar, RangeAndPositionClampAndTheProgramMovesItSilently) {
    HWND t = makeBar();
    EXPECT_EQ(send(t, TBM_GETRANGEMIN), 0);
    EXPECT_EQ(send(t, TBM_GETRANGEMAX), 100);
    EXPECT_EQ(send(t, TBM_GETPOS), 0);
    send(t, TBM_SETRANGE, TRUE, MAKELONG(0, 240));
    EXPECT_EQ(send(t, TBM_GETRANGEMAX), 240);
    EXPECT_EQ(send(t, TBM_GETPAGESIZE), 48);  // a fifth of the range
    send(t, TBM_SETPOS, TRUE, 120);
    EXPECT_EQ(send(t, TBM_GETPOS), 120);
    send(t, TBM_SETPOS, TRUE, 999);
    EXPECT_EQ(send(t, TBM_GETPOS), 240);
    send(t, TBM_SETPOS, TRUE, -5);
    EXPECT_EQ(send(t, TBM_GETPOS), 0);
    send(t, TBM_SETPOS, TRUE, 200);
    send(t, TBM_SETRANGEMAX, TRUE, 150);  // a smaller range pulls the position in
    EXPECT_EQ(send(t, TBM_GETPOS), 150);
    send(t, TBM_SETRANGEMIN, TRUE, 10);
    EXPECT_EQ(send(t, TBM_GETRANGEMIN), 10);
    EXPECT_EQ(send(t, TBM_SETPAGESIZE, 0, 7), 28);
    EXPECT_EQ(send(t, TBM_GETPAGESIZE), 7);
    EXPECT_EQ(send(t, TBM_SETLINESIZE, 0, 3), 1);
    EXPECT_EQ(send(t, TBM_GETLINESIZE), 3);
    EXPECT_TRUE(moves().empty());  // no notification for the program's own changes
}

TEST_F(Trackbar, TheThumbFollowsThePositionAlongTheChannel) {
    HWND t = makeBar();
    send(t, TBM_SETRANGE, TRUE, MAKELONG(0, 240));
    RECT channel{};
    send(t, TBM_GETCHANNELRECT, 0, (LPARAM)&channel);
    RECT atMin = thumbOf(t);
    send(t, TBM_SETPOS, TRUE, 120);
    RECT atMiddle = thumbOf(t);
    send(t, TBM_SETPOS, TRUE, 240);
    RECT atMax = thumbOf(t);
    EXPECT_LT(atMin.left, atMiddle.left);
    EXPECT_LT(atMiddle.left, atMax.left);
    EXPECT_GE(atMin.left, 0);
    EXPECT_LE(atMax.right, 200);
    int centre = (atMin.left + atMax.left) / 2;
    EXPECT_NEAR(atMiddle.left, centre, 1);
    // The thumb sits across the channel.
    EXPECT_LT(atMin.top, channel.top);
    EXPECT_GT(atMin.bottom, channel.bottom);
    EXPECT_EQ(send(t, TBM_GETTHUMBLENGTH), atMin.bottom - atMin.top);
}

TEST_F(Trackbar, DraggingTheThumbTracksThenReportsTheEnd) {
    HWND t = makeBar();
    send(t, TBM_SETRANGE, TRUE, MAKELONG(0, 240));
    RECT th = thumbOf(t);
    int y = (th.top + th.bottom) / 2, x = (th.left + th.right) / 2;
    down(t, x, y);
    EXPECT_EQ(GetFocus(), t);
    EXPECT_EQ(GetCapture(), t);
    move(t, x + 1000, y);  // far past the end: the maximum
    int atEnd = (int)send(t, TBM_GETPOS);
    move(t, x, y);         // back to the start
    up(t, x, y);
    EXPECT_EQ(atEnd, 240);
    EXPECT_EQ(moves(), (Lines{"h:5:240", "h:5:0", "h:4:0", "h:8"}));
    EXPECT_EQ(heard().lParamSeen, t);
    EXPECT_EQ(GetCapture(), nullptr);
    // A small move goes to the position under the pen.
    down(t, x, y);
    RECT channel{};
    send(t, TBM_GETCHANNELRECT, 0, (LPARAM)&channel);
    move(t, x + (channel.right - channel.left) / 4, y);
    up(t, x + (channel.right - channel.left) / 4, y);
    int quarter = (int)send(t, TBM_GETPOS);
    EXPECT_NEAR(quarter, 60, 5);
    EXPECT_EQ(moves(), (Lines{"h:5:" + std::to_string(quarter), "h:4:" + std::to_string(quarter), "h:8"}));
}

TEST_F(Trackbar, HoldingThePenOnTheChannelPagesTowardsIt) {
    HWND t = makeBar();
    send(t, TBM_SETRANGE, TRUE, MAKELONG(0, 100));  // page 20
    RECT th = thumbOf(t);
    int y = (th.top + th.bottom) / 2;
    down(t, 190, y);  // right of the thumb: one page at once
    EXPECT_EQ(send(t, TBM_GETPOS), 20);
    device::advanceClock(2000);  // the repeat runs until the thumb reaches the pen
    up(t, 190, y);
    EXPECT_EQ(send(t, TBM_GETPOS), 100);
    EXPECT_EQ(moves(), (Lines{"h:3", "h:3", "h:3", "h:3", "h:3", "h:8"}));
    tap(t, 2, y);  // left of it: one page back
    EXPECT_EQ(send(t, TBM_GETPOS), 80);
    EXPECT_EQ(moves(), (Lines{"h:2", "h:8"}));
}

TEST_F(Trackbar, KeysMoveByLinesPagesAndToTheEnds) {
    HWND t = makeBar();
    SetFocus(t);
    key(VK_RIGHT);
    key(VK_DOWN);
    EXPECT_EQ(send(t, TBM_GETPOS), 2);
    key(VK_NEXT);
    EXPECT_EQ(send(t, TBM_GETPOS), 22);
    key(VK_END);
    EXPECT_EQ(send(t, TBM_GETPOS), 100);
    key(VK_RIGHT);  // already at the end: nothing moves, the key's end is still told
    key(VK_HOME);
    EXPECT_EQ(send(t, TBM_GETPOS), 0);
    EXPECT_EQ(moves(), (Lines{"h:1", "h:8", "h:1", "h:8", "h:3", "h:8", "h:7", "h:8", "h:8", "h:6", "h:8"}));
    EXPECT_EQ(send(t, WM_GETDLGCODE) & DLGC_WANTARROWS, DLGC_WANTARROWS);
}

TEST_F(Trackbar, AVerticalTrackbarSendsVerticalScrolls) {
    HWND t = makeBar(TBS_VERT, 30, 150);
    RECT th = thumbOf(t);
    EXPECT_LT(th.bottom - th.top, th.right - th.left);  // the thumb lies across
    SetFocus(t);
    key(VK_DOWN);
    EXPECT_EQ(moves(), (Lines{"v:1", "v:8"}));
    RECT channel{};
    send(t, TBM_GETCHANNELRECT, 0, (LPARAM)&channel);
    EXPECT_GT(channel.bottom - channel.top, channel.right - channel.left);
}

TEST_F(Trackbar, TicksComeFromTheFrequencyAndFromTheProgram) {
    HWND t = makeBar(TBS_AUTOTICKS);
    send(t, TBM_SETRANGE, TRUE, MAKELONG(0, 10));
    send(t, TBM_SETTICFREQ, 5);
    EXPECT_EQ(send(t, TBM_GETNUMTICS), 3);  // 0, 5 and 10
    EXPECT_EQ(send(t, TBM_GETTIC, 0), 5);
    EXPECT_EQ(send(t, TBM_GETTIC, 1), -1);
    send(t, TBM_CLEARTICS, TRUE);
    EXPECT_EQ(send(t, TBM_GETNUMTICS), 2);
    EXPECT_TRUE(send(t, TBM_SETTIC, 0, 3));
    EXPECT_TRUE(send(t, TBM_SETTIC, 0, 7));
    EXPECT_FALSE(send(t, TBM_SETTIC, 0, 11));
    EXPECT_EQ(send(t, TBM_GETNUMTICS), 4);
    HWND bare = makeBar(TBS_NOTICKS);
    EXPECT_EQ(send(bare, TBM_GETNUMTICS), 0);
}

TEST_F(Trackbar, CustomDrawLetsTheParentDrawTheThumb) {
    HWND t = makeBar();
    send(t, TBM_SETRANGE, TRUE, MAKELONG(0, 240));
    send(t, TBM_SETPOS, TRUE, 120);
    heard().answerPrePaint = CDRF_NOTIFYITEMDRAW | CDRF_NOTIFYPOSTPAINT;
    heard().answerThumb = CDRF_SKIPDEFAULT;
    InvalidateRect(t, nullptr, TRUE);
    device::runUntilIdle();
    auto stage = [](DWORD s, DWORD part) { return std::to_string(s) + "/" + std::to_string(part); };
    EXPECT_EQ(heard().stages, (Lines{stage(CDDS_PREPAINT, 0), stage(CDDS_ITEMPREPAINT, TBCD_CHANNEL),
                                     stage(CDDS_ITEMPREPAINT, TBCD_TICS), stage(CDDS_ITEMPREPAINT, TBCD_THUMB),
                                     stage(CDDS_POSTPAINT, 0)}));
    RECT th = thumbOf(t);
    EXPECT_TRUE(EqualRect(&th, &heard().thumbRect));
    // The parent's thumb is what shows: light inside, black frame, the
    // control's own face nowhere inside it.
    int cx = (th.left + th.right) / 2, cy = (th.top + th.bottom) / 2;
    EXPECT_EQ(pixel(t, cx, cy) & 0xFFFFFF, RGB(0xFA, 0xFA, 0xFA));
    EXPECT_EQ(pixel(t, th.left, cy) & 0xFFFFFF, RGB(0, 0, 0));
    EXPECT_EQ(pixel(t, th.right - 2, cy) & 0xFFFFFF, RGB(0, 0, 0));
    // Without item notifications only the two whole-control stages come.
    heard().stages.clear();
    heard().answerPrePaint = CDRF_DODEFAULT;
    InvalidateRect(t, nullptr, TRUE);
    device::runUntilIdle();
    EXPECT_EQ(heard().stages, (Lines{stage(CDDS_PREPAINT, 0)}));
    EXPECT_EQ(pixel(t, cx, cy) & 0xFFFFFF, GetSysColor(COLOR_BTNFACE));
}

TEST_F(Trackbar, ADisabledTrackbarIgnoresThePen) {
    HWND t = makeBar();
    EnableWindow(t, FALSE);
    RECT th = thumbOf(t);
    tap(t, 190, (th.top + th.bottom) / 2);
    EXPECT_EQ(send(t, TBM_GETPOS), 0);
    EXPECT_TRUE(moves().empty());
}

// A parent that destroys the trackbar while hearing of a move: the control
// stops cleanly.
TEST_F(Trackbar, DestroyedByItsParentMidDrag) {
    HWND t = makeBar();
    RECT th = thumbOf(t);
    int y = (th.top + th.bottom) / 2, x = (th.left + th.right) / 2;
    down(t, x, y);
    struct Killer {
        static LRESULT CALLBACK proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
            if (msg == WM_HSCROLL) {
                DestroyWindow((HWND)lParam);
                return 0;
            }
            return CallWindowProcW(parentBase, hwnd, msg, wParam, lParam);
        }
    };
    SetWindowLongW(top, GWL_WNDPROC, (LONG_PTR)Killer::proc);
    move(t, x + 50, y);
    EXPECT_FALSE(IsWindow(t));
    up(t, x + 50, y);
    EXPECT_EQ(GetCapture(), nullptr);
}

}  // namespace
