// The standard scroll bars: what the pen on each part sends, auto-repeat on
// the virtual clock, thumb tracking, hiding, and how the bar looks.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/controls/common/scroll_bar.h"
#include "platform/gdi/surface.h"
#include "platform/system/device_clock.h"
#include "platform/window/headless_host.h"
#include "platform/window/host_port.h"
#include "platform/window/input.h"
#include "platform/window/screen.h"
#include "platform/window/window_system.h"
#include "windows.h"

namespace {

struct Log {
    std::vector<std::string> codes;
    std::vector<int> trackPositions;  // SIF_TRACKPOS seen at each SB_THUMBTRACK
};
Log& log() {
    static Log l;
    return l;
}

std::string codeName(int c) {
    static const char* names[] = {"lineup", "linedown", "pageup", "pagedown", "thumbpos", "thumbtrack",
                                  "top", "bottom", "end"};
    return c >= 0 && c <= 8 ? names[c] : "?";
}

// A window that scrolls the way the controls do: it moves its position by
// the code and sets it with SetScrollInfo. It never mentions its bars: the
// pen on them reaches the bar code through DefWindowProcW.
LRESULT CALLBACK plainProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_VSCROLL || msg == WM_HSCROLL) {
        int bar = msg == WM_VSCROLL ? SB_VERT : SB_HORZ;
        SCROLLINFO si{sizeof(si), SIF_ALL, 0, 0, 0, 0, 0};
        GetScrollInfo(hwnd, bar, &si);
        int c = LOWORD(wParam);
        std::string line = codeName(c);
        int pos = si.nPos;
        switch (c) {
            case SB_LINEUP: pos -= 1; break;
            case SB_LINEDOWN: pos += 1; break;
            case SB_PAGEUP: pos -= (int)si.nPage; break;
            case SB_PAGEDOWN: pos += (int)si.nPage; break;
            case SB_THUMBTRACK:
                log().trackPositions.push_back(si.nTrackPos);
                [[fallthrough]];
            case SB_THUMBPOSITION:
                pos = HIWORD(wParam);
                line += " " + std::to_string(HIWORD(wParam));
                break;
            default: break;
        }
        log().codes.push_back(line);
        SCROLLINFO set{sizeof(set), SIF_POS, 0, 0, 0, pos, 0};
        SetScrollInfo(hwnd, bar, &set, TRUE);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

// The same, taking the press first, as the drop-down list of a combo box does.
LRESULT CALLBACK scrollingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (device::scrollBarMessage(hwnd, msg, wParam, lParam)) return 0;
    return plainProc(hwnd, msg, wParam, lParam);
}

// Steps run one at a time whenever the device waits for input.
struct Script {
    std::vector<std::function<void()>> steps;
    size_t next = 0;
    bool operator()() {
        if (next >= steps.size()) return false;
        steps[next++]();
        return true;
    }
};

class ScrollBars : public ::testing::Test {
protected:
    HWND win = nullptr;
    RECT wr{};

    void SetUp() override {
        device::windowSystemReset();
        device::useHeadlessHost();
        device::headlessHost().setIdleDriver({});
        device::registerScrollBars();
        log() = Log{};
        WNDCLASSW wc{};
        wc.lpfnWndProc = scrollingProc;
        wc.hbrBackground = (HBRUSH)(uintptr_t)(COLOR_WINDOW + 1);
        wc.lpszClassName = u"sbtest";
        ASSERT_NE(RegisterClassW(&wc), 0);
        win = CreateWindowExW(0, u"sbtest", u"", WS_POPUP | WS_VISIBLE | WS_VSCROLL, 20, 40, 100, 100, nullptr,
                              nullptr, nullptr, nullptr);
        ASSERT_NE(win, nullptr);
        SCROLLINFO si{sizeof(si), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 99, 10, 0, 0};
        SetScrollInfo(win, SB_VERT, &si, TRUE);
        GetWindowRect(win, &wr);
        device::runUntilIdle();
    }
    void TearDown() override {
        device::headlessHost().setIdleDriver({});
        device::windowSystemReset();
    }
    // Screen point of a window-relative point.
    POINT at(int x, int y) const { return POINT{wr.left + x, wr.top + y}; }
    void run(Script& s) {
        device::headlessHost().setIdleDriver(std::ref(s));
        device::runUntilIdle();
        device::headlessHost().setIdleDriver({});
    }
    int pos() const { return GetScrollPos(win, SB_VERT); }
};

TEST_F(ScrollBars, LayoutFollowsRangeAndPage) {
    device::ScrollBarLayout l = device::scrollBarLayout(win, SB_VERT);
    EXPECT_EQ(l.bar.right, 100);
    EXPECT_EQ(l.bar.left, 87);
    EXPECT_EQ(l.lineUp.bottom - l.lineUp.top, 13);
    EXPECT_EQ(l.lineDown.top, 87);
    EXPECT_TRUE(l.enabled);
    EXPECT_EQ(l.thumb.top, 13);  // position 0
    EXPECT_EQ(l.thumb.bottom - l.thumb.top, 7);  // 74 pixels of track * 10 / 100
    device::ScrollBarLayout end = device::scrollBarLayout(win, SB_VERT, 90);
    EXPECT_EQ(end.thumb.bottom, 87);  // the last position puts the thumb against the arrow
    EXPECT_EQ(device::scrollBarPartAt(l, POINT{90, 5}, true), device::ScrollPart::LineUp);
    EXPECT_EQ(device::scrollBarPartAt(l, POINT{90, 15}, true), device::ScrollPart::Thumb);
    EXPECT_EQ(device::scrollBarPartAt(l, POINT{90, 50}, true), device::ScrollPart::PageDown);
    EXPECT_EQ(device::scrollBarPartAt(end, POINT{90, 50}, true), device::ScrollPart::PageUp);
    EXPECT_EQ(device::scrollBarPartAt(l, POINT{50, 50}, true), device::ScrollPart::None);
    EXPECT_EQ(SendMessageW(win, WM_NCHITTEST, 0, MAKELPARAM(wr.left + 90, wr.top + 50)), HTVSCROLL);
}

TEST_F(ScrollBars, ArrowRepeatsWhileHeldThenEnds) {
    POINT down = at(93, 93);
    Script s;
    s.steps = {[] { device::clockAdvance(device::kScrollFirstDelayMs - 1); },  // not yet
               [] { device::clockAdvance(1); },                                // first repeat
               [] { device::clockAdvance(device::kScrollRepeatMs); },           // second
               [&] { device::penUp(down.x, down.y); }};
    device::penDown(down.x, down.y);
    run(s);
    EXPECT_EQ(log().codes, (std::vector<std::string>{"linedown", "linedown", "linedown", "end"}));
    EXPECT_EQ(pos(), 3);
    EXPECT_EQ(GetCapture(), nullptr);
    // The repeat timer is gone: time passing changes nothing.
    log().codes.clear();
    device::advanceClock(1000);
    EXPECT_TRUE(log().codes.empty());
}

TEST_F(ScrollBars, RepeatPausesWhenThePenLeavesTheArrow) {
    SetScrollPos(win, SB_VERT, 50, TRUE);
    POINT up = at(93, 5);
    POINT away = at(30, 5);
    Script s;
    s.steps = {[&] { device::penMove(away.x, away.y); },
               [] { device::clockAdvance(device::kScrollFirstDelayMs + 3 * device::kScrollRepeatMs); },
               [&] { device::penMove(up.x, up.y); },
               [] { device::clockAdvance(device::kScrollRepeatMs); },
               [&] { device::penUp(up.x, up.y); }};
    device::penDown(up.x, up.y);
    run(s);
    EXPECT_EQ(log().codes, (std::vector<std::string>{"lineup", "lineup", "end"}));
    EXPECT_EQ(pos(), 48);
}

TEST_F(ScrollBars, TrackPagesUntilTheThumbReachesThePen) {
    POINT track = at(93, 40);  // below the thumb at position 0
    Script s;
    s.steps = {[] { device::clockAdvance(device::kScrollFirstDelayMs); },
               [] { device::clockAdvance(device::kScrollRepeatMs); },
               [] { device::clockAdvance(device::kScrollRepeatMs); },
               [] { device::clockAdvance(device::kScrollRepeatMs); },
               [&] { device::penUp(track.x, track.y); }};
    device::penDown(track.x, track.y);
    run(s);
    // Position 30 puts the thumb at pixels 35..42 under the pen: paging stops.
    EXPECT_EQ(log().codes, (std::vector<std::string>{"pagedown", "pagedown", "pagedown", "end"}));
    EXPECT_EQ(pos(), 30);
}

TEST_F(ScrollBars, DraggingTheThumbTracksThenSetsThePosition) {
    POINT grab = at(93, 16);
    Script s;
    s.steps = {[&] { device::penMove(grab.x, grab.y + 1); },
               [&] { device::penMove(grab.x, grab.y + 30); },
               [&] { device::penMove(grab.x + 5, grab.y + 500); },  // past the end: clamped
               [&] { device::penUp(grab.x, grab.y + 500); }};
    device::penDown(grab.x, grab.y);
    run(s);
    // 67 pixels of room for 90 positions: 1 pixel -> 1, 30 pixels -> 40.
    EXPECT_EQ(log().codes, (std::vector<std::string>{"thumbtrack 1", "thumbtrack 40", "thumbtrack 90",
                                                     "thumbpos 90", "end"}));
    EXPECT_EQ(log().trackPositions, (std::vector<int>{1, 40, 90}));
    EXPECT_EQ(pos(), 90);
}

TEST_F(ScrollBars, HiddenWhenTheRangeFitsAndDisabledWhenKept) {
    SCROLLINFO fits{sizeof(fits), SIF_RANGE | SIF_PAGE, 0, 9, 10, 0, 0};
    SetScrollInfo(win, SB_VERT, &fits, TRUE);
    EXPECT_FALSE(GetWindowLongW(win, GWL_STYLE) & WS_VSCROLL);
    EXPECT_TRUE(device::scrollBarLayout(win, SB_VERT).bar.right == 0);

    ShowScrollBar(win, SB_VERT, TRUE);  // kept, but nothing to scroll
    device::runUntilIdle();
    device::ScrollBarLayout l = device::scrollBarLayout(win, SB_VERT);
    EXPECT_FALSE(l.enabled);
    EXPECT_EQ(l.thumb.right, 0);
    POINT arrow = at(93, 93);
    device::penDown(arrow.x, arrow.y);
    device::penUp(arrow.x, arrow.y);
    device::runUntilIdle();
    EXPECT_TRUE(log().codes.empty());
}

TEST_F(ScrollBars, DrawsArrowsTrackAndThumb) {
    SetScrollPos(win, SB_VERT, 45, TRUE);
    device::runUntilIdle();
    const gdi::Surface& screen = device::screenSurface();
    auto px = [&](int x, int y) { return gdi::colorrefFromPixel(screen.row(wr.top + y)[wr.left + x]) & 0xFFFFFF; };
    device::ScrollBarLayout l = device::scrollBarLayout(win, SB_VERT);
    // Arrow buttons: black frame, face inside, a dark triangle in the middle.
    EXPECT_EQ(px(87, 0), RGB(0, 0, 0));
    EXPECT_EQ(px(88, 2), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(px(93, 6), GetSysColor(COLOR_BTNTEXT));
    EXPECT_EQ(px(93, 93), GetSysColor(COLOR_BTNTEXT));
    // Track above and below the thumb, the thumb framed in between.
    EXPECT_EQ(px(93, l.thumb.top - 2), GetSysColor(COLOR_SCROLLBAR));
    EXPECT_EQ(px(93, l.thumb.bottom + 2), GetSysColor(COLOR_SCROLLBAR));
    EXPECT_EQ(px(93, l.thumb.top), RGB(0, 0, 0));
    EXPECT_EQ(px(93, (l.thumb.top + l.thumb.bottom) / 2), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(l.thumb.top, 13 + 67 * 45 / 90);
}

// A window that leaves non-client presses to DefWindowProcW scrolls by pen
// (both bars), and a double tap on an arrow is two presses.
TEST_F(ScrollBars, DefWindowProcOperatesTheBarsOfAnyWindow) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = plainProc;
    wc.style = CS_DBLCLKS;
    wc.lpszClassName = u"sbplain";
    ASSERT_NE(RegisterClassW(&wc), 0);
    HWND h = CreateWindowExW(0, u"sbplain", u"", WS_POPUP | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL, 130, 40, 100,
                             100, nullptr, nullptr, nullptr, nullptr);
    SCROLLINFO si{sizeof(si), SIF_RANGE | SIF_PAGE, 0, 199, 50, 0, 0};
    SetScrollInfo(h, SB_VERT, &si, TRUE);
    SetScrollInfo(h, SB_HORZ, &si, TRUE);
    device::runUntilIdle();
    RECT r{};
    GetWindowRect(h, &r);
    RECT v = device::scrollBarRect(h, SB_VERT), hz = device::scrollBarRect(h, SB_HORZ);
    POINT down{r.left + (v.left + v.right) / 2, r.top + v.bottom - 3};
    POINT right{r.left + hz.right - 3, r.top + (hz.top + hz.bottom) / 2};
    for (POINT p : {down, down, right}) {
        device::penDown(p.x, p.y);
        device::penUp(p.x, p.y);
        device::runUntilIdle();
    }
    EXPECT_EQ(log().codes, (std::vector<std::string>{"linedown", "end", "linedown", "end", "linedown", "end"}));
    EXPECT_EQ(GetScrollPos(h, SB_VERT), 2);
    EXPECT_EQ(GetScrollPos(h, SB_HORZ), 1);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ScrollBars, HorizontalBarSendsHorizontalCodes) {
    HWND h = CreateWindowExW(0, u"sbtest", u"", WS_POPUP | WS_VISIBLE | WS_HSCROLL, 20, 160, 100, 60, nullptr,
                             nullptr, nullptr, nullptr);
    SCROLLINFO si{sizeof(si), SIF_RANGE | SIF_PAGE, 0, 199, 50, 0, 0};
    SetScrollInfo(h, SB_HORZ, &si, TRUE);
    device::runUntilIdle();
    RECT r{};
    GetWindowRect(h, &r);
    POINT right{r.left + 95, r.bottom - 5};
    device::penDown(right.x, right.y);
    device::penUp(right.x, right.y);
    device::runUntilIdle();
    EXPECT_EQ(log().codes, (std::vector<std::string>{"linedown", "end"}));
    EXPECT_EQ(GetScrollPos(h, SB_HORZ), 1);
}

}  // namespace
