// Handles, stock objects, GetObjectW and misuse that must fail quietly.
#include <cstring>

#include "gdi_test_util.h"
#include "platform/gdi/device_caps.h"
#include "platform/gdi/objects.h"

using namespace gditest;

TEST(Handles, DeletedHandlesAreInvalidEvenWhenTheSlotIsReused) {
    HBRUSH a = CreateSolidBrush(RGB(1, 2, 3));
    ASSERT_TRUE(a);
    EXPECT_TRUE(DeleteObject(a));
    EXPECT_FALSE(DeleteObject(a));
    HBRUSH b = CreateSolidBrush(RGB(4, 5, 6));  // likely the same slot
    LOGBRUSH lb{};
    EXPECT_EQ(GetObjectW(a, sizeof lb, &lb), 0);
    EXPECT_EQ(GetObjectW(b, sizeof lb, &lb), (int)sizeof lb);
    EXPECT_EQ(lb.lbColor, RGB(4, 5, 6));
    Screen s(4, 4);
    EXPECT_EQ(SelectObject(s.dc, a), nullptr);
    RECT r{0, 0, 4, 4};
    EXPECT_EQ(FillRect(s.dc, &r, a), 0);
    DeleteObject(b);
    // Made-up values and null are refused everywhere.
    EXPECT_EQ(SelectObject((HDC)(uintptr_t)0x1234, GetStockObject(BLACK_PEN)), nullptr);
    EXPECT_FALSE(LineTo(nullptr, 1, 1));
    EXPECT_FALSE(BitBlt(s.dc, 0, 0, 1, 1, nullptr, 0, 0, SRCCOPY));
    EXPECT_EQ(GetPixel(nullptr, 0, 0), CLR_INVALID);
    EXPECT_FALSE(DeleteObject(nullptr));
}

TEST(Handles, SelectedObjectsCannotBeDeletedStockOnesAreHarmless) {
    Screen s(4, 4);
    HPEN pen = CreatePen(PS_SOLID, 1, 0);
    HGDIOBJ old = SelectObject(s.dc, pen);
    EXPECT_EQ(old, GetStockObject(BLACK_PEN));
    EXPECT_FALSE(DeleteObject(pen));
    SelectObject(s.dc, old);
    EXPECT_TRUE(DeleteObject(pen));
    EXPECT_TRUE(DeleteObject(GetStockObject(WHITE_BRUSH)));
    EXPECT_TRUE(DeleteObject(GetSysColorBrush(COLOR_WINDOW)));
    RECT r{0, 0, 4, 4};
    EXPECT_EQ(FillRect(s.dc, &r, (HBRUSH)GetStockObject(WHITE_BRUSH)), 1);
    // A bitmap lives in one DC at a time.
    HBITMAP bmp = CreateCompatibleBitmap(s.dc, 2, 2);
    HDC m1 = CreateCompatibleDC(s.dc), m2 = CreateCompatibleDC(s.dc);
    EXPECT_TRUE(SelectObject(m1, bmp));
    EXPECT_EQ(SelectObject(m2, bmp), nullptr);
    EXPECT_FALSE(DeleteObject(bmp));
    EXPECT_TRUE(DeleteDC(m1));  // deleting the DC lets the bitmap go
    EXPECT_TRUE(DeleteObject(bmp));
    EXPECT_TRUE(DeleteDC(m2));
    EXPECT_FALSE(DeleteDC(m2));
    EXPECT_FALSE(DeleteDC(s.dc));  // window DCs go back through the window manager
}

TEST(Handles, CreateAndDeleteLeaveNothingBehind) {
    // Stock objects are made on first use; make them before counting.
    DeleteDC(CreateCompatibleDC(nullptr));
    GetStockObject(DEFAULT_GUI_FONT);
    size_t before = gdi::liveObjectCount();
    Screen s(4, 4);
    for (int i = 0; i < 100; ++i) {
        HDC m = CreateCompatibleDC(s.dc);
        HBITMAP b = CreateCompatibleBitmap(s.dc, 3, 3);
        HGDIOBJ old = SelectObject(m, b);
        HFONT f = (HFONT)GetStockObject(DEFAULT_GUI_FONT);
        SelectObject(m, f);
        SelectObject(m, old);
        DeleteObject(b);
        DeleteDC(m);
    }
    EXPECT_LE(gdi::liveObjectCount(), before + 1);  // only the screen DC itself
}

TEST(Objects, GetObjectDescribesEachKind) {
    HPEN pen = CreatePen(PS_DASH, 3, RGB(1, 2, 3));
    LOGPEN lp{};
    ASSERT_EQ(GetObjectW(pen, sizeof lp, &lp), (int)sizeof lp);
    EXPECT_EQ(lp.lopnStyle, (UINT)PS_DASH);
    EXPECT_EQ(lp.lopnWidth.x, 3);
    EXPECT_EQ(lp.lopnColor, RGB(1, 2, 3));
    EXPECT_EQ(GetObjectW(pen, 2, &lp), 0);  // too small a buffer
    EXPECT_EQ(GetObjectW(pen, 0, nullptr), (int)sizeof lp);
    DeleteObject(pen);

    LOGFONTW lf{};
    lf.lfHeight = -15;
    lf.lfWeight = FW_BOLD;
    std::memcpy(lf.lfFaceName, u"Tahoma", sizeof u"Tahoma");
    HFONT f = CreateFontIndirectW(&lf);
    LOGFONTW back{};
    ASSERT_EQ(GetObjectW(f, sizeof back, &back), (int)sizeof back);
    EXPECT_EQ(back.lfHeight, -15);
    EXPECT_EQ(std::u16string(back.lfFaceName), u"Tahoma");
    EXPECT_EQ(GetObjectType(f), (DWORD)OBJ_FONT);
    DeleteObject(f);

    LOGBRUSH lb{};
    GetObjectW(GetStockObject(NULL_BRUSH), sizeof lb, &lb);
    EXPECT_EQ(lb.lbStyle, (UINT)BS_NULL);

    Screen s(4, 4);
    HBITMAP bmp = CreateCompatibleBitmap(s.dc, 7, 5);
    BITMAP bm{};
    ASSERT_EQ(GetObjectW(bmp, sizeof bm, &bm), (int)sizeof bm);
    EXPECT_EQ(bm.bmWidth, 7);
    EXPECT_EQ(bm.bmHeight, 5);
    EXPECT_EQ(GetObjectType(bmp), (DWORD)OBJ_BITMAP);
    EXPECT_EQ(GetObjectType(s.dc), (DWORD)OBJ_DC);
    DeleteObject(bmp);
    EXPECT_FALSE(CreateCompatibleBitmap(s.dc, 100000, 100000));
    EXPECT_FALSE(CreateBitmap(4, 4, 1, 7, nullptr));
}

TEST(Objects, MonochromeCreateBitmapReadsSetBitsAsWhite) {
    const uint8_t bits[4] = {0x80, 0x00, 0x40, 0x00};  // rows padded to 16 bits
    HBITMAP b = CreateBitmap(2, 2, 1, 1, bits);
    HDC m = CreateCompatibleDC(nullptr);
    SelectObject(m, b);
    EXPECT_EQ(GetPixel(m, 0, 0), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(m, 1, 0), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(m, 1, 1), RGB(255, 255, 255));
    DeleteDC(m);
    DeleteObject(b);
}

TEST(DeviceCaps, DpiAndScreenSize) {
    Screen s(240, 320);
    gdi::setScreenDpi(192);
    EXPECT_EQ(GetDeviceCaps(s.dc, LOGPIXELSY), 192);
    EXPECT_EQ(-MulDiv(9, GetDeviceCaps(s.dc, LOGPIXELSY), 72), -24);
    gdi::setScreenDpi(96);
    EXPECT_EQ(GetDeviceCaps(s.dc, LOGPIXELSX), 96);
    EXPECT_EQ(GetDeviceCaps(s.dc, HORZRES), 240);
    EXPECT_EQ(GetDeviceCaps(s.dc, VERTRES), 320);
    EXPECT_EQ(GetDeviceCaps(s.dc, BITSPIXEL), 32);
    EXPECT_EQ(GetDeviceCaps(nullptr, LOGPIXELSX), 0);
}

TEST(Rects, HelpersAndMulDiv) {
    RECT a, b, c;
    SetRect(&a, 0, 0, 10, 10);
    SetRect(&b, 5, 5, 15, 15);
    EXPECT_TRUE(IntersectRect(&c, &a, &b));
    EXPECT_TRUE(EqualRect(&c, &(const RECT&)RECT{5, 5, 10, 10}));
    SetRect(&b, 20, 20, 30, 30);
    EXPECT_FALSE(IntersectRect(&c, &a, &b));
    EXPECT_TRUE(IsRectEmpty(&c));
    EXPECT_TRUE(UnionRect(&c, &a, &b));
    EXPECT_EQ(c.right, 30);
    InflateRect(&a, 2, 1);
    EXPECT_EQ(a.left, -2);
    EXPECT_EQ(a.bottom, 11);
    OffsetRect(&a, 2, 1);
    EXPECT_TRUE(PtInRect(&a, POINT{0, 1}));
    EXPECT_FALSE(PtInRect(&a, POINT{14, 5}));
    CopyRect(&b, &a);
    EXPECT_TRUE(EqualRect(&a, &b));
    SetRectEmpty(&b);
    EXPECT_TRUE(IsRectEmpty(&b));
    EXPECT_EQ(MulDiv(8, 96, 72), 11);
    EXPECT_EQ(MulDiv(-8, 96, 72), -11);
    EXPECT_EQ(MulDiv(1, 1, 0), -1);
    EXPECT_EQ(MulDiv(0x7FFFFFFF, 2, 1), -1);
}

TEST(DeviceCaps, StockFontsFollowTheScreenDpi) {
    Screen s(10, 10);
    SelectObject(s.dc, GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICW normal{}, hires{};
    GetTextMetricsW(s.dc, &normal);
    gdi::setScreenDpi(192);
    GetTextMetricsW(s.dc, &hires);
    gdi::setScreenDpi(96);
    EXPECT_NEAR(hires.tmHeight, 2 * normal.tmHeight, 2);
    SelectObject(s.dc, GetStockObject(SYSTEM_FONT));
}
