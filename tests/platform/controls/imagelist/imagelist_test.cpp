// Image lists: strips cut into images, masks and key colours on tiny
// surfaces, background colour and blending, stale handles, and the drag
// image drawn over the screen and taken away again.
#include <gtest/gtest.h>

#include <vector>

#include "platform/gdi/objects.h"
#include "platform/window/headless_host.h"
#include "platform/window/host_port.h"
#include "platform/window/screen.h"
#include "platform/window/window_system.h"
#include "windows.h"

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255), kWhite = RGB(255, 255, 255);

// A bitmap whose pixels are given row by row as COLORREFs.
HBITMAP bitmapOf(int w, int h, const std::vector<COLORREF>& px) {
    HBITMAP b = CreateBitmap(w, h, 1, 32, nullptr);
    gdi::BitmapObj* o = gdi::bitmapOf(b);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) o->surf.row(y)[x] = gdi::pixelFromColorref(px[(size_t)y * w + x]);
    return b;
}

// A memory DC on a w x h bitmap filled with one colour.
struct Canvas {
    HDC dc = nullptr;
    HBITMAP bmp = nullptr;
    HGDIOBJ old = nullptr;
    Canvas(int w, int h, COLORREF fill) {
        dc = CreateCompatibleDC(nullptr);
        bmp = CreateBitmap(w, h, 1, 32, nullptr);
        old = SelectObject(dc, bmp);
        RECT r{0, 0, w, h};
        HBRUSH b = CreateSolidBrush(fill);
        FillRect(dc, &r, b);
        DeleteObject(b);
    }
    ~Canvas() {
        SelectObject(dc, old);
        DeleteDC(dc);
        DeleteObject(bmp);
    }
    COLORREF at(int x, int y) const { return GetPixel(dc, x, y); }
};

class ImageLists : public ::testing::Test {
protected:
    void SetUp() override {
        device::windowSystemReset();
        device::useHeadlessHost();
    }
    void TearDown() override {
        ImageList_EndDrag();
        device::windowSystemReset();
    }
};

TEST_F(ImageLists, StripIsCutIntoImagesOfTheListWidth) {
    HIMAGELIST l = ImageList_Create(2, 2, ILC_COLOR16 | ILC_MASK, 2, 4);
    ASSERT_NE(l, nullptr);
    int cx = 0, cy = 0;
    EXPECT_TRUE(ImageList_GetIconSize(l, &cx, &cy));
    EXPECT_EQ(cx, 2);
    EXPECT_EQ(cy, 2);
    // Three images of 2x2 side by side (a seventh column is left over).
    HBITMAP strip = bitmapOf(7, 2, {kRed, kRed, kGreen, kGreen, kBlue, kBlue, kWhite,
                                    kRed, kRed, kGreen, kGreen, kBlue, kBlue, kWhite});
    EXPECT_EQ(ImageList_AddMasked(l, strip, kGreen), 0);
    EXPECT_EQ(ImageList_GetImageCount(l), 3);
    EXPECT_EQ(ImageList_Add(l, strip, nullptr), 3);
    EXPECT_EQ(ImageList_GetImageCount(l), 6);
    EXPECT_TRUE(ImageList_Remove(l, 0));
    EXPECT_EQ(ImageList_GetImageCount(l), 5);
    EXPECT_FALSE(ImageList_Remove(l, 5));
    EXPECT_TRUE(ImageList_RemoveAll(l));
    EXPECT_EQ(ImageList_GetImageCount(l), 0);
    // Narrower than one image: nothing added.
    HBITMAP thin = bitmapOf(1, 2, {kRed, kRed});
    EXPECT_EQ(ImageList_Add(l, thin, nullptr), -1);
    EXPECT_EQ(ImageList_Create(0, 5, ILC_COLOR, 1, 1), nullptr);
    EXPECT_TRUE(ImageList_SetIconSize(l, 3, 3));
    EXPECT_TRUE(ImageList_GetIconSize(l, &cx, &cy));
    EXPECT_EQ(cx, 3);
    EXPECT_TRUE(ImageList_Destroy(l));
    DeleteObject(strip);
    DeleteObject(thin);
}

TEST_F(ImageLists, KeyColourAndMaskBitmapMakePixelsTransparent) {
    HIMAGELIST l = ImageList_Create(2, 1, ILC_COLOR24 | ILC_MASK, 1, 1);
    HBITMAP img = bitmapOf(4, 1, {kGreen, kRed, kBlue, kRed});
    EXPECT_EQ(ImageList_AddMasked(l, img, kGreen), 0);
    // Mask bitmap: white is transparent.
    HBITMAP mask = bitmapOf(4, 1, {0, 0, 0, kWhite});
    EXPECT_EQ(ImageList_Add(l, img, mask), 2);
    Canvas c(8, 1, kWhite);
    EXPECT_TRUE(ImageList_Draw(l, 0, c.dc, 0, 0, ILD_TRANSPARENT));
    EXPECT_EQ(c.at(0, 0), kWhite);  // the key colour showed the canvas
    EXPECT_EQ(c.at(1, 0), kRed);
    EXPECT_TRUE(ImageList_Draw(l, 3, c.dc, 4, 0, ILD_TRANSPARENT));
    EXPECT_EQ(c.at(4, 0), kBlue);
    EXPECT_EQ(c.at(5, 0), kWhite);  // masked out by the mask bitmap
    // A background colour fills the masked pixels when drawn normally.
    EXPECT_EQ(ImageList_SetBkColor(l, RGB(9, 9, 9)), (COLORREF)CLR_NONE);
    EXPECT_TRUE(ImageList_Draw(l, 0, c.dc, 2, 0, ILD_NORMAL));
    EXPECT_EQ(c.at(2, 0), RGB(9, 9, 9));
    EXPECT_EQ(c.at(3, 0), kRed);
    // ...and the mask alone: black where opaque, white where transparent.
    EXPECT_TRUE(ImageList_Draw(l, 0, c.dc, 6, 0, ILD_MASK));
    EXPECT_EQ(c.at(6, 0), kWhite);
    EXPECT_EQ(c.at(7, 0), RGB(0, 0, 0));
    ImageList_Destroy(l);
    DeleteObject(img);
    DeleteObject(mask);
}

TEST_F(ImageLists, UnmaskedListCopiesEveryPixel) {
    HIMAGELIST l = ImageList_Create(2, 1, ILC_COLOR, 1, 1);
    HBITMAP img = bitmapOf(2, 1, {kGreen, kRed});
    EXPECT_EQ(ImageList_AddMasked(l, img, kGreen), 0);
    Canvas c(2, 1, kWhite);
    EXPECT_TRUE(ImageList_Draw(l, 0, c.dc, 0, 0, ILD_TRANSPARENT));
    EXPECT_EQ(c.at(0, 0), kGreen);
    ImageList_Destroy(l);
    DeleteObject(img);
}

TEST_F(ImageLists, SelectedBlendsWithTheHighlight) {
    HIMAGELIST l = ImageList_Create(1, 1, ILC_COLOR | ILC_MASK, 1, 1);
    HBITMAP img = bitmapOf(1, 1, {RGB(200, 100, 0)});
    ImageList_Add(l, img, nullptr);
    Canvas c(2, 1, kWhite);
    EXPECT_TRUE(ImageList_DrawEx(l, 0, c.dc, 0, 0, 0, 0, CLR_NONE, RGB(0, 0, 200), ILD_SELECTED));
    EXPECT_EQ(c.at(0, 0), RGB(100, 50, 100));
    EXPECT_TRUE(ImageList_DrawEx(l, 0, c.dc, 1, 0, 0, 0, CLR_NONE, RGB(0, 0, 200), ILD_FOCUS));
    EXPECT_EQ(c.at(1, 0), RGB(150, 75, 50));
    ImageList_Destroy(l);
    DeleteObject(img);
}

TEST_F(ImageLists, DestroyedOrBogusHandlesFailWithoutHarm) {
    HIMAGELIST l = ImageList_Create(1, 1, ILC_COLOR, 1, 1);
    HBITMAP img = bitmapOf(1, 1, {kRed});
    ImageList_Add(l, img, nullptr);
    EXPECT_TRUE(ImageList_Destroy(l));
    EXPECT_FALSE(ImageList_Destroy(l));
    EXPECT_EQ(ImageList_GetImageCount(l), 0);
    EXPECT_EQ(ImageList_Add(l, img, nullptr), -1);
    Canvas c(1, 1, kWhite);
    EXPECT_FALSE(ImageList_Draw(l, 0, c.dc, 0, 0, ILD_NORMAL));
    EXPECT_EQ(c.at(0, 0), kWhite);
    int cx = 0, cy = 0;
    EXPECT_FALSE(ImageList_GetIconSize(l, &cx, &cy));
    EXPECT_FALSE(ImageList_GetIconSize((HIMAGELIST)(uintptr_t)0x1234, &cx, &cy));
    EXPECT_FALSE(ImageList_BeginDrag(l, 0, 0, 0));
    // A fresh list never gets the old handle back.
    HIMAGELIST again = ImageList_Create(1, 1, ILC_COLOR, 1, 1);
    EXPECT_NE(again, l);
    ImageList_Destroy(again);
    EXPECT_EQ(ImageList_Add(nullptr, img, nullptr), -1);
    EXPECT_EQ(ImageList_Add(again, nullptr, nullptr), -1);
    DeleteObject(img);
}

TEST_F(ImageLists, DragImageIsDrawnOverTheScreenAndRestored) {
    gdi::Surface& s = device::screenSurface();
    // A patterned patch of screen to compare against.
    for (int y = 100; y < 120; ++y)
        for (int x = 50; x < 80; ++x) s.row(y)[x] = (uint32_t)(x * 7 + y * 13);
    std::vector<uint32_t> before = s.pixels;

    HIMAGELIST l = ImageList_Create(3, 2, ILC_COLOR16 | ILC_MASK, 1, 1);
    HBITMAP img = bitmapOf(3, 2, {kRed, kGreen, kRed, kRed, kRed, kRed});
    ImageList_AddMasked(l, img, kGreen);
    ASSERT_TRUE(ImageList_BeginDrag(l, 0, 1, 1));
    ImageList_Destroy(l);  // the drag keeps its own copy
    ASSERT_TRUE(ImageList_DragEnter(nullptr, 61, 101));
    EXPECT_EQ(s.row(100)[60], gdi::pixelFromColorref(kRed));
    EXPECT_EQ(s.row(100)[61], before[(size_t)100 * s.width + 61]);  // the transparent pixel
    EXPECT_EQ(s.row(101)[62], gdi::pixelFromColorref(kRed));
    POINT pt{}, hot{};
    EXPECT_NE(ImageList_GetDragImage(&pt, &hot), nullptr);
    EXPECT_EQ(pt.x, 61);
    EXPECT_EQ(hot.y, 1);

    EXPECT_TRUE(ImageList_DragMove(71, 111));
    EXPECT_EQ(s.row(100)[60], before[(size_t)100 * s.width + 60]);  // the old place is back
    EXPECT_EQ(s.row(110)[70], gdi::pixelFromColorref(kRed));
    EXPECT_TRUE(ImageList_DragShowNolock(FALSE));
    EXPECT_EQ(s.pixels, before);
    EXPECT_TRUE(ImageList_DragShowNolock(TRUE));
    EXPECT_NE(s.pixels, before);
    // A window repainting under the image keeps its new pixel.
    s.row(111)[70] = 0x123456;
    EXPECT_TRUE(ImageList_DragLeave(nullptr));
    EXPECT_EQ(s.row(111)[70], 0x123456u);
    s.row(111)[70] = before[(size_t)111 * s.width + 70];
    EXPECT_EQ(s.pixels, before);
    ImageList_EndDrag();
    EXPECT_EQ(ImageList_GetDragImage(nullptr, nullptr), nullptr);
    EXPECT_FALSE(ImageList_DragMove(1, 1));
    DeleteObject(img);
}

// A window that repaints under the image while it is dragged (a tree view
// moving its highlight) does not wipe it out: before the screen is shown the
// image goes back on top, and what the window painted is what comes back
// when the image leaves.
TEST_F(ImageLists, DragImageStaysInFrontOfAWindowThatRepaints) {
    static COLORREF fill = kWhite;
    WNDCLASSW wc{};
    wc.lpfnWndProc = [](HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) -> LRESULT {
        if (msg != WM_PAINT) return DefWindowProcW(hwnd, msg, wParam, lParam);
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        HBRUSH b = CreateSolidBrush(fill);
        FillRect(dc, &ps.rcPaint, b);
        DeleteObject(b);
        EndPaint(hwnd, &ps);
        return 0;
    };
    wc.lpszClassName = u"ilrepaint";
    RegisterClassW(&wc);
    HWND target = CreateWindowExW(0, u"ilrepaint", u"", WS_POPUP | WS_VISIBLE, 20, 60, 40, 20, nullptr, nullptr,
                                  nullptr, nullptr);
    device::runUntilIdle();
    gdi::Surface& s = device::screenSurface();
    HIMAGELIST l = ImageList_Create(4, 2, ILC_COLOR | ILC_MASK, 1, 1);
    HBITMAP img = bitmapOf(4, 2, {kRed, kRed, kGreen, kRed, kRed, kRed, kRed, kRed});
    ImageList_AddMasked(l, img, kGreen);
    ASSERT_TRUE(ImageList_BeginDrag(l, 0, 0, 0));
    ImageList_Destroy(l);
    ASSERT_TRUE(ImageList_DragEnter(target, 5, 5));  // 25..28, 65..66 on the screen
    EXPECT_EQ(s.row(65)[25], gdi::pixelFromColorref(kRed));

    fill = kBlue;
    InvalidateRect(target, nullptr, FALSE);
    device::runUntilIdle();
    EXPECT_EQ(s.row(65)[25], gdi::pixelFromColorref(kRed));
    EXPECT_EQ(s.row(66)[28], gdi::pixelFromColorref(kRed));
    EXPECT_EQ(s.row(65)[27], gdi::pixelFromColorref(kBlue));  // the see-through pixel shows the new paint
    EXPECT_EQ(s.row(65)[30], gdi::pixelFromColorref(kBlue));
    EXPECT_TRUE(ImageList_DragLeave(target));
    for (int x = 25; x < 29; ++x) EXPECT_EQ(s.row(65)[x], gdi::pixelFromColorref(kBlue)) << x;
    ImageList_EndDrag();
    // With the drag over, a repaint is the window's alone.
    fill = kWhite;
    InvalidateRect(target, nullptr, FALSE);
    device::runUntilIdle();
    EXPECT_EQ(s.row(65)[25], gdi::pixelFromColorref(kWhite));
    DeleteObject(img);
}

TEST_F(ImageLists, DragImageIsClippedToTheLockWindow) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.lpszClassName = u"ildrag";
    RegisterClassW(&wc);
    HWND lock = CreateWindowExW(0, u"ildrag", u"", WS_POPUP | WS_VISIBLE, 20, 60, 10, 10, nullptr, nullptr, nullptr,
                                nullptr);
    device::runUntilIdle();
    gdi::Surface& s = device::screenSurface();
    std::vector<uint32_t> before = s.pixels;
    HIMAGELIST l = ImageList_Create(4, 1, ILC_COLOR | ILC_MASK, 1, 1);
    HBITMAP img = bitmapOf(4, 1, {kBlue, kBlue, kBlue, kBlue});
    ImageList_Add(l, img, nullptr);
    ASSERT_TRUE(ImageList_BeginDrag(l, 0, 0, 0));
    ASSERT_TRUE(ImageList_DragEnter(lock, 8, 3));  // relative to the window: 28..31 on screen
    EXPECT_EQ(s.row(63)[28], gdi::pixelFromColorref(kBlue));
    EXPECT_EQ(s.row(63)[29], gdi::pixelFromColorref(kBlue));
    EXPECT_EQ(s.row(63)[30], before[(size_t)63 * s.width + 30]);  // outside the window
    ImageList_EndDrag();
    EXPECT_EQ(s.pixels, before);
    ImageList_Destroy(l);
    DeleteObject(img);
}

}  // namespace
