// Painting: z-order and clipping on the screen (pixel checks), invalidation,
// erasing, redraw switching, window shapes and dirty tracking.
#include "wm_fixture.h"

using namespace wmtest;
using Lines = std::vector<std::string>;

namespace {

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kGreen = RGB(0, 255, 0);

PAINTSTRUCT lastPaint;
int paints = 0;
LRESULT CALLBACK paintSpy(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    rec().record(hwnd, msg, wParam, lParam);
    if (msg == WM_PAINT) {
        ++paints;
        BeginPaint(hwnd, &lastPaint);
        EndPaint(hwnd, &lastPaint);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

class Painting : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        addClass(u"red", kRed);
        addClass(u"blue", kBlue);
        addClass(u"green", kGreen);
        WNDCLASSW wc{};
        wc.lpfnWndProc = paintSpy;
        wc.lpszClassName = u"spy";
        wc.hbrBackground = (HBRUSH)(uintptr_t)(COLOR_WINDOW + 1);
        ASSERT_TRUE(RegisterClassW(&wc));
        paints = 0;
    }
    void TearDown() override {
        WindowTest::TearDown();
        for (HBRUSH b : brushes) DeleteObject(b);
    }
    void addClass(LPCWSTR name, COLORREF c) {
        HBRUSH b = CreateSolidBrush(c);
        brushes.push_back(b);
        WNDCLASSW wc{};
        wc.lpfnWndProc = recordProc;
        wc.hbrBackground = b;
        wc.lpszClassName = name;
        ASSERT_TRUE(RegisterClassW(&wc));
    }
    HWND top(LPCWSTR cls, int x, int y, int w, int h, DWORD style = WS_VISIBLE) {
        return CreateWindowExW(0, cls, u"", WS_POPUP | style, x, y, w, h, nullptr, nullptr, nullptr, nullptr);
    }
    HWND child(HWND parent, LPCWSTR cls, int x, int y, int w, int h) {
        return CreateWindowExW(0, cls, u"", WS_CHILD | WS_VISIBLE, x, y, w, h, parent, nullptr, nullptr, nullptr);
    }
    std::vector<HBRUSH> brushes;
};

}  // namespace

TEST_F(Painting, HigherWindowsHideLowerOnesAndRaisingSwapsThem) {
    HWND a = top(u"red", 0, 40, 100, 100);
    HWND b = top(u"blue", 50, 60, 100, 100);
    device::runUntilIdle();
    EXPECT_EQ(screenPixel(10, 50), kRed);
    EXPECT_EQ(screenPixel(60, 70), kBlue);
    EXPECT_EQ(screenPixel(140, 150), kBlue);
    SetForegroundWindow(a);
    device::runUntilIdle();
    EXPECT_EQ(screenPixel(60, 70), kRed);
    EXPECT_EQ(screenPixel(140, 150), kBlue);
    ShowWindow(a, SW_HIDE);
    device::runUntilIdle();
    EXPECT_EQ(screenPixel(60, 70), kBlue);  // what a covered shows again
    EXPECT_NE(screenPixel(10, 50), kRed);   // the desktop
    (void)b;
}

TEST_F(Painting, ClipChildrenKeepsTheParentOffItsChildren) {
    HWND p = top(u"red", 0, 40, 100, 100, WS_VISIBLE | WS_CLIPCHILDREN);
    child(p, u"green", 10, 10, 20, 20);
    device::runUntilIdle();
    EXPECT_EQ(screenPixel(15, 55), kGreen);
    rec().take();
    InvalidateRect(p, nullptr, TRUE);
    UpdateWindow(p);
    EXPECT_EQ(screenPixel(15, 55), kGreen);
    EXPECT_EQ(screenPixel(5, 45), kRed);
}

TEST_F(Painting, WithoutClipChildrenTheChildPaintsAgainAfterItsParent) {
    rec().pending = "p";
    HWND p = CreateWindowExW(0, u"red", u"", WS_POPUP | WS_VISIBLE, 0, 40, 100, 100, nullptr, nullptr, nullptr,
                             nullptr);
    rec().pending = "c";
    child(p, u"green", 10, 10, 20, 20);
    device::runUntilIdle();
    rec().take();
    RECT r{0, 0, 50, 50};
    InvalidateRect(p, &r, TRUE);
    device::runUntilIdle();
    EXPECT_EQ(rec().take(), (Lines{"p:WM_PAINT", "p:WM_ERASEBKGND", "c:WM_PAINT", "c:WM_NCPAINT",
                                   "c:WM_ERASEBKGND"}));
    EXPECT_EQ(screenPixel(15, 55), kGreen);
}

TEST_F(Painting, BeginPaintReportsTheInvalidAreaAndWhetherToErase) {
    HWND h = CreateWindowExW(0, u"spy", u"", WS_POPUP | WS_VISIBLE, 0, 40, 100, 100, nullptr, nullptr, nullptr,
                             nullptr);
    device::runUntilIdle();
    paints = 0;
    RECT r{10, 20, 30, 40};
    InvalidateRect(h, &r, FALSE);
    RECT u;
    EXPECT_TRUE(GetUpdateRect(h, &u, FALSE));
    EXPECT_EQ(u.left, 10);
    EXPECT_EQ(u.bottom, 40);
    device::runUntilIdle();
    EXPECT_EQ(paints, 1);
    EXPECT_EQ(lastPaint.rcPaint.left, 10);
    EXPECT_EQ(lastPaint.rcPaint.top, 20);
    EXPECT_EQ(lastPaint.rcPaint.right, 30);
    EXPECT_EQ(lastPaint.rcPaint.bottom, 40);
    EXPECT_FALSE(lastPaint.fErase);
    EXPECT_FALSE(GetUpdateRect(h, &u, FALSE));
    InvalidateRect(h, nullptr, TRUE);
    ValidateRect(h, nullptr);
    device::runUntilIdle();
    EXPECT_EQ(paints, 1);
}

TEST_F(Painting, RedrawOffHoldsPaintingBackUntilSwitchedOn) {
    HWND h = CreateWindowExW(0, u"spy", u"", WS_POPUP | WS_VISIBLE, 0, 40, 100, 100, nullptr, nullptr, nullptr,
                             nullptr);
    device::runUntilIdle();
    paints = 0;
    SendMessageW(h, WM_SETREDRAW, FALSE, 0);
    InvalidateRect(h, nullptr, TRUE);
    device::runUntilIdle();
    EXPECT_EQ(paints, 0);
    SendMessageW(h, WM_SETREDRAW, TRUE, 0);
    device::runUntilIdle();
    EXPECT_EQ(paints, 1);
}

TEST_F(Painting, UpdateWindowPaintsAtOnceAndRedrawWindowCanDoTheSame) {
    HWND h = CreateWindowExW(0, u"spy", u"", WS_POPUP | WS_VISIBLE, 0, 40, 100, 100, nullptr, nullptr, nullptr,
                             nullptr);
    device::runUntilIdle();
    paints = 0;
    InvalidateRect(h, nullptr, FALSE);
    UpdateWindow(h);
    EXPECT_EQ(paints, 1);
    UpdateWindow(h);  // nothing invalid: no paint
    EXPECT_EQ(paints, 1);
    RECT r{0, 0, 5, 5};
    RedrawWindow(h, &r, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    EXPECT_EQ(paints, 2);
    EXPECT_TRUE(lastPaint.fErase == FALSE);  // the class brush erased it
}

TEST_F(Painting, GetDCIsClippedByHigherWindows) {
    HWND low = top(u"red", 0, 40, 100, 100);
    top(u"blue", 50, 40, 100, 100);
    device::runUntilIdle();
    HDC dc = GetDC(low);
    RECT all{0, 0, 100, 100};
    HBRUSH g = CreateSolidBrush(kGreen);
    FillRect(dc, &all, g);
    ReleaseDC(low, dc);
    DeleteObject(g);
    EXPECT_EQ(screenPixel(10, 50), kGreen);
    EXPECT_EQ(screenPixel(60, 50), kBlue);
}

TEST_F(Painting, WindowShapeClipsDrawingAndHitTesting) {
    HWND below = top(u"blue", 0, 40, 100, 100);
    HWND shaped = top(u"red", 0, 40, 100, 100);
    SetWindowRgn(shaped, CreateRectRgn(0, 0, 40, 40), TRUE);
    device::runUntilIdle();
    EXPECT_EQ(screenPixel(10, 50), kRed);
    EXPECT_EQ(screenPixel(60, 90), kBlue);
    EXPECT_EQ(WindowFromPoint(POINT{10, 50}), shaped);
    EXPECT_EQ(WindowFromPoint(POINT{60, 90}), below);
    EXPECT_EQ(SetWindowRgn(shaped, (HRGN)(uintptr_t)0x1234, TRUE), 0);  // not a region
}

TEST_F(Painting, PaintedAreasAreMarkedDirtyForThePresenter) {
    device::runUntilIdle();
    device::screenTakeDirty();
    HWND h = top(u"red", 20, 40, 30, 30);
    device::runUntilIdle();  // presents, taking the dirty list
    EXPECT_GE(device::headlessHost().presentCount(), 1);
    InvalidateRect(h, nullptr, TRUE);
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&m);
    std::vector<RECT> dirty = device::screenTakeDirty();
    ASSERT_FALSE(dirty.empty());
    RECT bounds = dirty[0];
    for (const RECT& r : dirty) {
        bounds.left = std::min(bounds.left, r.left);
        bounds.top = std::min(bounds.top, r.top);
        bounds.right = std::max(bounds.right, r.right);
        bounds.bottom = std::max(bounds.bottom, r.bottom);
    }
    EXPECT_EQ(bounds.left, 20);
    EXPECT_EQ(bounds.top, 40);
    EXPECT_EQ(bounds.right, 50);
    EXPECT_EQ(bounds.bottom, 70);
}

TEST_F(Painting, FrameIsDrawnAroundTheClientArea) {
    HWND p = top(u"red", 0, 40, 100, 100, WS_VISIBLE | WS_CLIPCHILDREN);
    HWND c = CreateWindowExW(0, u"green", u"", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL, 10, 10, 60, 60, p,
                             nullptr, nullptr, nullptr);
    device::runUntilIdle();
    EXPECT_EQ(screenPixel(10, 50), GetSysColor(COLOR_WINDOWFRAME));  // the border
    EXPECT_EQ(screenPixel(15, 55), kGreen);                         // the client area
    RECT bar = device::scrollBarRect(c, SB_VERT);
    EXPECT_EQ(bar.right - bar.left, GetSystemMetrics(SM_CXVSCROLL));
    // Somewhere on the bar the track or a button shows, never the client's colour.
    EXPECT_NE(screenPixel(10 + bar.left + 3, 50 + (bar.top + bar.bottom) / 2), kGreen);
}

TEST_F(Painting, RedrawWindowWithFrameRepaintsTheNonClientArea) {
    HWND p = top(u"red", 0, 40, 100, 100);
    rec().pending = "c";
    HWND c = CreateWindowExW(0, u"green", u"", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 10, 60, 60, p, nullptr,
                             nullptr, nullptr);
    device::runUntilIdle();
    rec().take();
    RedrawWindow(c, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    EXPECT_EQ(rec().take(), (Lines{"c:WM_PAINT", "c:WM_NCPAINT"}));
}

TEST_F(Painting, WindowDCStartsAtTheWindowCorner) {
    HWND p = top(u"red", 0, 40, 100, 100, WS_VISIBLE | WS_BORDER);
    device::runUntilIdle();
    HDC dc = GetWindowDC(p);
    HBRUSH g = CreateSolidBrush(kGreen);
    RECT corner{0, 0, 1, 1};
    FillRect(dc, &corner, g);
    ReleaseDC(p, dc);
    dc = GetDC(p);
    FillRect(dc, &corner, g);
    ReleaseDC(p, dc);
    DeleteObject(g);
    EXPECT_EQ(screenPixel(0, 40), kGreen);
    EXPECT_EQ(screenPixel(1, 41), kGreen);
    EXPECT_EQ(screenPixel(2, 42), kRed);
}

TEST_F(Painting, DefaultControlColoursSetTheDCAndReturnABrush) {
    HWND h = top(u"red", 0, 40, 100, 100);
    HDC dc = GetDC(h);
    LRESULT edit = DefWindowProcW(h, WM_CTLCOLOREDIT, (WPARAM)dc, 0);
    EXPECT_EQ((HBRUSH)edit, GetSysColorBrush(COLOR_WINDOW));
    EXPECT_EQ(GetBkColor(dc), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(GetTextColor(dc), GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ((HBRUSH)DefWindowProcW(h, WM_CTLCOLORBTN, (WPARAM)dc, 0), GetSysColorBrush(COLOR_BTNFACE));
    EXPECT_EQ((HBRUSH)DefWindowProcW(h, WM_CTLCOLORSTATIC, (WPARAM)dc, 0), GetSysColorBrush(COLOR_STATIC));
    ReleaseDC(h, dc);
}

TEST_F(Painting, TheNavigationBarRepaintsWhenTheForegroundChanges) {
    HWND a = top(u"red", 0, 40, 100, 100);
    SetWindowTextW(a, u"Quillet");
    HWND b = top(u"blue", 120, 40, 100, 100);
    device::runUntilIdle();
    device::screenTakeDirty();
    SetForegroundWindow(a);
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&m);
    bool barDirty = false;
    for (const RECT& r : device::screenTakeDirty()) barDirty |= r.top < device::navBarHeight();
    EXPECT_TRUE(barDirty);
    (void)b;
}
