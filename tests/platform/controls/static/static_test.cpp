#include "platform/controls/ctl_fixture.h"
#include "platform/controls/static/static_control.h"

namespace ctltest {
namespace {

class StaticTest : public ControlTest {
protected:
    void SetUp() override {
        ControlTest::SetUp();
        ASSERT_TRUE(device::registerStaticControl());
    }
};

TEST_F(StaticTest, TapsAreToldOnlyWithNotifyStyle) {
    HWND quiet = make(WC_STATIC, u"quiet", SS_LEFT, 11, 10, 10, 100, 20);
    HWND loud = make(WC_STATIC, u"loud", SS_LEFT | SS_NOTIFY, 12, 10, 40, 100, 20);
    tap(quiet, 5, 5);
    EXPECT_TRUE(take().empty());
    tap(loud, 5, 5);
    EXPECT_EQ(take(), (std::vector<std::string>{"12:0"}));
    device::advanceClock(2000);
    tap(loud, 5, 5);
    tap(loud, 5, 5);  // at once: a double tap
    EXPECT_EQ(take(), (std::vector<std::string>{"12:0", "12:1"}));
}

TEST_F(StaticTest, TapsReachASubclassOfALabelWithoutNotify) {
    // The program subclasses a plain label and reacts to the pen itself.
    HWND bar = make(WC_STATIC, u"", SS_NOPREFIX | SS_LEFTNOWORDWRAP, 6001, 0, 0, 200, 20);
    static int downs = 0;
    static WNDPROC old = nullptr;
    downs = 0;
    old = (WNDPROC)SetWindowLongW(bar, GWL_WNDPROC, (LONG_PTR)+[](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
        if (m == WM_LBUTTONDOWN) ++downs;
        return CallWindowProcW(old, h, m, w, l);
    });
    tap(bar, 50, 5);
    EXPECT_EQ(downs, 1);
}

TEST_F(StaticTest, TextIsDrawnInTheParentsColours) {
    HWND label = make(WC_STATIC, u"WWWW", SS_LEFT, 11, 10, 10, 100, 20);
    COLORREF back = pixel(label, 99, 19);
    int ink = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 100; ++x) ink += pixel(label, x, y) != back;
    EXPECT_GT(ink, 10);
    EXPECT_EQ(back, GetSysColor(COLOR_STATIC));
    log().brush = CreateSolidBrush(RGB(255, 0, 0));
    SetWindowTextW(label, u"");
    device::runUntilIdle();
    EXPECT_EQ(pixel(label, 50, 10), RGB(255, 0, 0));
    DeleteObject(log().brush);
    log().brush = nullptr;
}

TEST_F(StaticTest, BitmapIsShownAndSizesThePicture) {
    HWND pic = make(WC_STATIC, u"", SS_BITMAP, 20, 10, 10, 50, 50);
    HDC screen = GetDC(nullptr);
    HBITMAP bmp = CreateCompatibleBitmap(screen, 8, 6);
    ReleaseDC(nullptr, screen);
    HDC mem = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(mem, bmp);
    RECT all{0, 0, 8, 6};
    HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
    FillRect(mem, &all, blue);
    SelectObject(mem, old);
    DeleteDC(mem);
    EXPECT_EQ(SendMessageW(pic, STM_SETIMAGE, IMAGE_BITMAP, (LPARAM)bmp), 0);
    device::runUntilIdle();
    EXPECT_EQ(SendMessageW(pic, STM_GETIMAGE, IMAGE_BITMAP, 0), (LRESULT)bmp);
    RECT rc;
    GetClientRect(pic, &rc);
    EXPECT_EQ(rc.right, 8);
    EXPECT_EQ(rc.bottom, 6);
    EXPECT_EQ(pixel(pic, 3, 3), RGB(0, 0, 255));
    // A centred picture keeps the control's size.
    HWND centred = make(WC_STATIC, u"", SS_BITMAP | SS_CENTERIMAGE, 21, 100, 10, 40, 40);
    SendMessageW(centred, STM_SETIMAGE, IMAGE_BITMAP, (LPARAM)bmp);
    device::runUntilIdle();
    GetClientRect(centred, &rc);
    EXPECT_EQ(rc.right, 40);
    EXPECT_EQ(pixel(centred, 20, 20), RGB(0, 0, 255));
    EXPECT_NE(pixel(centred, 2, 2), RGB(0, 0, 255));
    DestroyWindow(pic);
    DestroyWindow(centred);
    DeleteObject(bmp);
    DeleteObject(blue);
}

TEST_F(StaticTest, RectanglesAndDialogCode) {
    HWND black = make(WC_STATIC, u"", SS_BLACKRECT, 30, 10, 10, 20, 20);
    EXPECT_EQ(pixel(black, 10, 10), GetSysColor(COLOR_WINDOWFRAME));
    EXPECT_EQ(SendMessageW(black, WM_GETDLGCODE, 0, 0), DLGC_STATIC);
    HFONT font = (HFONT)GetStockObject(SYSTEM_FONT);
    SendMessageW(black, WM_SETFONT, (WPARAM)font, 0);
    EXPECT_EQ(SendMessageW(black, WM_GETFONT, 0, 0), (LRESULT)font);
}

}  // namespace
}  // namespace ctltest
