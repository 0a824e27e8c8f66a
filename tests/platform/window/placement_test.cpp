// What a window hears when it is moved, sized, shown or restyled
// (WM_WINDOWPOSCHANGING/CHANGED and the WM_SIZE/WM_MOVE that DefWindowProcW
// makes of them, WM_STYLECHANGING/CHANGED).
#include "wm_fixture.h"

using namespace wmtest;

namespace {

struct Heard {
    std::vector<std::string> lines;
    bool forward = true;       // pass WM_WINDOWPOSCHANGED on to DefWindowProcW
    int clampWidth = 0;        // WM_WINDOWPOSCHANGING: widths above this are cut down
    DWORD refuseStyle = 0;     // WM_STYLECHANGING: these bits are kept off
};
Heard& heard() {
    static Heard h;
    return h;
}

std::string flagsOf(UINT f) {
    std::string s;
    if (f & SWP_NOMOVE) s += "M";
    if (f & SWP_NOSIZE) s += "S";
    if (f & SWP_NOZORDER) s += "Z";
    if (f & SWP_SHOWWINDOW) s += "+";
    if (f & SWP_HIDEWINDOW) s += "-";
    return s;
}

LRESULT CALLBACK placeProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto& h = heard();
    switch (msg) {
        case WM_WINDOWPOSCHANGING: {
            auto* wp = (WINDOWPOS*)lParam;
            h.lines.push_back("changing " + std::to_string(wp->x) + "," + std::to_string(wp->y) + " " +
                              std::to_string(wp->cx) + "x" + std::to_string(wp->cy) + " " + flagsOf(wp->flags));
            if (h.clampWidth && wp->cx > h.clampWidth) wp->cx = h.clampWidth;
            return 0;
        }
        case WM_WINDOWPOSCHANGED: {
            auto* wp = (WINDOWPOS*)lParam;
            h.lines.push_back("changed " + std::to_string(wp->x) + "," + std::to_string(wp->y) + " " +
                              std::to_string(wp->cx) + "x" + std::to_string(wp->cy) + " " + flagsOf(wp->flags));
            if (!h.forward) return 0;
            break;
        }
        case WM_SIZE:
            h.lines.push_back("size " + std::to_string(LOWORD(lParam)) + "x" + std::to_string(HIWORD(lParam)));
            break;
        case WM_MOVE:
            h.lines.push_back("move " + std::to_string((short)LOWORD(lParam)) + "," +
                              std::to_string((short)HIWORD(lParam)));
            break;
        case WM_STYLECHANGING: {
            auto* ss = (STYLESTRUCT*)lParam;
            h.lines.push_back(std::string(wParam == (WPARAM)GWL_STYLE ? "style" : "exstyle") + " changing");
            ss->styleNew &= ~h.refuseStyle;
            return 0;
        }
        case WM_STYLECHANGED: {
            auto* ss = (STYLESTRUCT*)lParam;
            h.lines.push_back(std::string(wParam == (WPARAM)GWL_STYLE ? "style" : "exstyle") + " changed " +
                              ((ss->styleNew & ~ss->styleOld & WS_BORDER) ? "+border" : ""));
            return 0;
        }
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

class Placement : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        heard() = Heard{};
        WNDCLASSW wc{};
        wc.lpfnWndProc = placeProc;
        wc.hbrBackground = (HBRUSH)GetStockObject(WHITE_BRUSH);
        wc.lpszClassName = u"place";
        ASSERT_NE(RegisterClassW(&wc), 0);
        top = makeTop("top", 0, 30, 240, 200);
        win = CreateWindowExW(0, u"place", u"", WS_CHILD | WS_VISIBLE, 10, 10, 100, 50, top, nullptr, nullptr,
                              nullptr);
        ASSERT_NE(win, nullptr);
        device::runUntilIdle();
        heard().lines.clear();
    }
    std::vector<std::string> take() {
        std::vector<std::string> out;
        out.swap(heard().lines);
        return out;
    }
    HWND top = nullptr;
    HWND win = nullptr;
    using Lines = std::vector<std::string>;
};

TEST_F(Placement, MovingAndSizingAreAnnouncedThenReported) {
    MoveWindow(win, 20, 15, 80, 40, TRUE);
    EXPECT_EQ(take(), (Lines{"changing 20,15 80x40 Z", "changed 20,15 80x40 Z", "size 80x40", "move 20,15"}));
    SetWindowPos(win, nullptr, 30, 15, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    EXPECT_EQ(take(), (Lines{"changing 30,15 80x40 SZ", "changed 30,15 80x40 SZ", "move 30,15"}));
    // Nothing changes: the window is asked but hears of no change.
    SetWindowPos(win, nullptr, 30, 15, 80, 40, SWP_NOZORDER);
    EXPECT_EQ(take(), (Lines{"changing 30,15 80x40 Z"}));
    SetWindowPos(win, nullptr, 0, 0, 10, 10, SWP_NOZORDER | SWP_NOSENDCHANGING);
    EXPECT_EQ(take(), (Lines{"changed 0,0 10x10 Z", "size 10x10", "move 0,0"}));
}

TEST_F(Placement, TheWindowMayAmendTheRequest) {
    heard().clampWidth = 60;
    MoveWindow(win, 10, 10, 200, 50, TRUE);
    RECT r;
    GetClientRect(win, &r);
    EXPECT_EQ(r.right, 60);
    EXPECT_EQ(take(), (Lines{"changing 10,10 200x50 Z", "changed 10,10 60x50 MZ", "size 60x50"}));
}

TEST_F(Placement, SizeAndMoveComeFromDefWindowProc) {
    heard().forward = false;  // a window that keeps WM_WINDOWPOSCHANGED to itself
    MoveWindow(win, 5, 5, 70, 30, TRUE);
    EXPECT_EQ(take(), (Lines{"changing 5,5 70x30 Z", "changed 5,5 70x30 Z"}));
}

TEST_F(Placement, ShowingAndHidingArePositionChangesWithoutSize) {
    ShowWindow(win, SW_HIDE);
    EXPECT_EQ(take(), (Lines{"changing 10,10 100x50 MSZ-", "changed 10,10 100x50 MSZ-"}));
    ShowWindow(win, SW_SHOW);
    EXPECT_EQ(take(), (Lines{"changing 10,10 100x50 MSZ+", "changed 10,10 100x50 MSZ+"}));
}

TEST_F(Placement, StyleChangesAreAnnouncedAndMayBeRefused) {
    LONG_PTR before = GetWindowLongW(win, GWL_STYLE);
    EXPECT_EQ(SetWindowLongW(win, GWL_STYLE, before | WS_BORDER), before);
    EXPECT_EQ(take(), (Lines{"style changing", "style changed +border"}));
    EXPECT_TRUE(GetWindowLongW(win, GWL_STYLE) & WS_BORDER);
    heard().refuseStyle = WS_TABSTOP;
    SetWindowLongW(win, GWL_STYLE, GetWindowLongW(win, GWL_STYLE) | WS_TABSTOP);
    EXPECT_FALSE(GetWindowLongW(win, GWL_STYLE) & WS_TABSTOP);
    // The visible and child bits stay the window manager's.
    SetWindowLongW(win, GWL_STYLE, 0);
    EXPECT_TRUE(GetWindowLongW(win, GWL_STYLE) & WS_VISIBLE);
    EXPECT_TRUE(GetWindowLongW(win, GWL_STYLE) & WS_CHILD);
    take();
    SetWindowLongW(win, GWL_EXSTYLE, WS_EX_CLIENTEDGE);
    EXPECT_EQ(take(), (Lines{"exstyle changing", "exstyle changed "}));
}

}  // namespace
