// Bit block transfers, DIB sections, monochrome conversions and clipping.
#include "gdi_test_util.h"

using namespace gditest;

TEST(Blit, RasterOperationsCombineSourceAndDestination) {
    Screen s(4, 1, 0x0F0F0F);
    MemDC src(s.dc, 4, 1, RGB(0xF0, 0xF0, 0xF0));
    struct Case { DWORD rop; uint32_t want; };
    const Case cases[] = {
        {SRCCOPY, 0xF0F0F0}, {SRCAND, 0x000000}, {SRCPAINT, 0xFFFFFF}, {SRCINVERT, 0xFFFFFF},
        {BLACKNESS, 0x000000}, {WHITENESS, 0xFFFFFF}, {DSTINVERT, 0xF0F0F0}, {NOTSRCCOPY, 0x0F0F0F},
    };
    for (const Case& c : cases) {
        std::fill(s.surf.pixels.begin(), s.surf.pixels.end(), 0x0F0F0F);
        ASSERT_TRUE(BitBlt(s.dc, 0, 0, 4, 1, src.dc, 0, 0, c.rop)) << std::hex << c.rop;
        EXPECT_EQ(s.at(2, 0), c.want) << std::hex << c.rop;
    }
    // PATCOPY paints the selected brush; PatBlt needs no source.
    HBRUSH br = CreateSolidBrush(RGB(1, 2, 3));
    SelectObject(s.dc, br);
    EXPECT_TRUE(PatBlt(s.dc, 1, 0, 2, 1, PATCOPY));
    EXPECT_EQ(s.at(1, 0), 0x010203u);
    EXPECT_EQ(s.at(3, 0), 0x0F0F0Fu);
    EXPECT_FALSE(PatBlt(s.dc, 0, 0, 1, 1, SRCCOPY));
    SelectObject(s.dc, GetStockObject(WHITE_BRUSH));
    DeleteObject(br);
}

TEST(Blit, OverlappingCopyOnTheSameDC) {
    Screen s(6, 1);
    for (int x = 0; x < 6; ++x) s.surf.pixels[(size_t)x] = (uint32_t)x;
    BitBlt(s.dc, 1, 0, 5, 1, s.dc, 0, 0, SRCCOPY);
    for (int x = 1; x < 6; ++x) EXPECT_EQ(s.at(x, 0), (uint32_t)(x - 1));
}

TEST(Blit, StretchNearestNeighbourAndMirror) {
    Screen s(4, 4);
    MemDC src(s.dc, 2, 2, RGB(0, 0, 0));
    SetPixel(src.dc, 1, 0, RGB(255, 0, 0));
    SetStretchBltMode(s.dc, COLORONCOLOR);
    ASSERT_TRUE(StretchBlt(s.dc, 0, 0, 4, 4, src.dc, 0, 0, 2, 2, SRCCOPY));
    EXPECT_EQ(s.at(2, 0), 0xFF0000u);
    EXPECT_EQ(s.at(3, 1), 0xFF0000u);
    EXPECT_EQ(s.at(1, 1), 0u);
    EXPECT_EQ(s.at(3, 2), 0u);
    // A negative source width mirrors.
    ASSERT_TRUE(StretchBlt(s.dc, 0, 0, 2, 2, src.dc, 2, 0, -2, 2, SRCCOPY));
    EXPECT_EQ(s.at(0, 0), 0xFF0000u);
    EXPECT_EQ(s.at(1, 0), 0u);
}

TEST(Blit, TransparentBltSkipsEitherKeyColour) {
    for (COLORREF key : {RGB(255, 0, 255), RGB(0, 255, 0)}) {
        Screen s(3, 1, 0x123456);
        MemDC src(s.dc, 3, 1, key);
        SetPixel(src.dc, 1, 0, RGB(0, 0, 255));
        ASSERT_TRUE(TransparentBlt(s.dc, 0, 0, 3, 1, src.dc, 0, 0, 3, 1, key));
        EXPECT_EQ(s.at(0, 0), 0x123456u);
        EXPECT_EQ(s.at(1, 0), 0x0000FFu);
        EXPECT_EQ(s.at(2, 0), 0x123456u);
    }
    // Stretched too.
    Screen s(6, 2, 0x123456);
    MemDC src(s.dc, 3, 1, RGB(255, 0, 255));
    SetPixel(src.dc, 1, 0, RGB(0, 0, 255));
    ASSERT_TRUE(TransparentBlt(s.dc, 0, 0, 6, 2, src.dc, 0, 0, 3, 1, RGB(255, 0, 255)));
    EXPECT_EQ(s.at(2, 1), 0x0000FFu);
    EXPECT_EQ(s.at(3, 1), 0x0000FFu);
    EXPECT_EQ(s.at(4, 1), 0x123456u);
}

TEST(Blit, MonochromeConversionsUseTheDCColours) {
    Screen s(2, 1);
    // A DC that still holds its default bitmap makes monochrome bitmaps.
    HDC memMono = CreateCompatibleDC(s.dc);
    HBITMAP mono = CreateCompatibleBitmap(memMono, 2, 1);
    BITMAP bm{};
    GetObjectW(mono, sizeof bm, &bm);
    EXPECT_EQ(bm.bmBitsPixel, 1);
    SelectObject(memMono, mono);
    // Colour -> mono: the source's background colour becomes white.
    MemDC colour(s.dc, 2, 1, RGB(255, 0, 255));
    SetPixel(colour.dc, 1, 0, RGB(0, 0, 255));
    SetBkColor(colour.dc, RGB(255, 0, 255));
    BitBlt(memMono, 0, 0, 2, 1, colour.dc, 0, 0, SRCCOPY);
    EXPECT_EQ(GetPixel(memMono, 0, 0), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(memMono, 1, 0), RGB(0, 0, 0));
    // Mono -> colour: black takes the text colour, white the background.
    SetTextColor(s.dc, RGB(1, 2, 3));
    SetBkColor(s.dc, RGB(4, 5, 6));
    BitBlt(s.dc, 0, 0, 2, 1, memMono, 0, 0, SRCCOPY);
    EXPECT_EQ(s.at(0, 0), 0x040506u);
    EXPECT_EQ(s.at(1, 0), 0x010203u);
    DeleteDC(memMono);
    EXPECT_TRUE(DeleteObject(mono));
}

TEST(DibSection, BitsAreThePixelsEitherWay) {
    Screen s(3, 2);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = 3;
    bi.bmiHeader.biHeight = 2;  // bottom-up
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(s.dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_TRUE(dib);
    ASSERT_TRUE(bits);
    uint8_t* b = static_cast<uint8_t*>(bits);
    // Stored first row = bottom of the picture; blue green red.
    b[0] = 0xFF;  // pixel (0, 1) blue
    b[12 + 3 + 2] = 0xFF;  // second stored row (top), pixel 1 red
    HDC mem = CreateCompatibleDC(s.dc);
    HGDIOBJ old = SelectObject(mem, dib);
    BitBlt(s.dc, 0, 0, 3, 2, mem, 0, 0, SRCCOPY);
    EXPECT_EQ(s.at(0, 1), 0x0000FFu);
    EXPECT_EQ(s.at(1, 0), 0xFF0000u);
    // Drawing into the section shows in the bits.
    SetPixel(mem, 2, 1, RGB(0, 255, 0));
    EXPECT_EQ(b[2 * 3 + 1], 0xFF);
    DIBSECTION ds{};
    EXPECT_EQ(GetObjectW(dib, sizeof ds, &ds), (int)sizeof ds);
    EXPECT_EQ(ds.dsBm.bmBits, bits);
    EXPECT_EQ(ds.dsBm.bmWidthBytes, 12);
    EXPECT_EQ(ds.dsBmih.biBitCount, 24);
    SelectObject(mem, old);
    DeleteDC(mem);
    DeleteObject(dib);

    // 32-bit top-down: the bits are the surface itself.
    bi.bmiHeader.biHeight = -2;
    bi.bmiHeader.biBitCount = 32;
    dib = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_TRUE(dib);
    static_cast<uint32_t*>(bits)[1] = 0x00ABCDEF;
    mem = CreateCompatibleDC(nullptr);
    old = SelectObject(mem, dib);
    EXPECT_EQ(GetPixel(mem, 1, 0), RGB(0xAB, 0xCD, 0xEF));
    SelectObject(mem, old);
    DeleteDC(mem);
    DeleteObject(dib);

    bi.bmiHeader.biBitCount = 8;
    EXPECT_FALSE(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    EXPECT_EQ(bits, nullptr);
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biWidth = 100000;
    EXPECT_FALSE(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
}

TEST(Clipping, DisplayDCDrawsOnlyInItsVisibleRegion) {
    gdi::Surface surf(20, 20, kWhite);
    // A window at (5,5) 10x10 with a sibling covering its right half.
    gdi::Region vis(RECT{5, 5, 15, 15});
    vis.subtract(gdi::Region(RECT{10, 5, 15, 15}));
    HDC dc = gdi::createDisplayDC(&surf, POINT{5, 5}, vis);
    RECT all{-100, -100, 100, 100};
    FillRect(dc, &all, (HBRUSH)GetStockObject(BLACK_BRUSH));
    int black = 0;
    for (uint32_t p : surf.pixels) black += p == 0;
    EXPECT_EQ(black, 5 * 10);
    EXPECT_EQ(surf.row(5)[5], 0u);
    EXPECT_EQ(surf.row(5)[10], kWhite);
    RECT box;
    EXPECT_EQ(GetClipBox(dc, &box), SIMPLEREGION);
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.right, 5);
    // The window moves: the same DC now draws at the new place.
    gdi::setDisplayDCVisible(dc, POINT{0, 0}, gdi::Region(RECT{0, 0, 2, 2}));
    SetPixel(dc, 1, 1, RGB(255, 0, 0));
    EXPECT_EQ(surf.row(1)[1], 0xFF0000u);
    EXPECT_EQ(SetPixel(dc, 3, 3, 0), (COLORREF)-1);
    gdi::deleteDisplayDC(dc);
}

TEST(Clipping, RegionsAndClipRectsNarrowDrawing) {
    Screen s(10, 10);
    HRGN r = CreateRectRgn(0, 0, 5, 10);
    EXPECT_EQ(SelectClipRgn(s.dc, r), SIMPLEREGION);
    DeleteObject(r);  // the DC keeps its own copy
    EXPECT_EQ(ExcludeClipRect(s.dc, 0, 0, 5, 2), SIMPLEREGION);
    EXPECT_EQ(IntersectClipRect(s.dc, 0, 0, 10, 8), SIMPLEREGION);
    RECT all{0, 0, 10, 10};
    FillRect(s.dc, &all, (HBRUSH)GetStockObject(BLACK_BRUSH));
    EXPECT_EQ(s.count(kBlack), 5 * 6);
    EXPECT_EQ(s.at(0, 2), kBlack);
    EXPECT_EQ(s.at(0, 1), kWhite);
    EXPECT_EQ(s.at(0, 8), kWhite);
    HRGN got = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetClipRgn(s.dc, got), 1);
    EXPECT_TRUE(PtInRegion(got, 4, 7));
    EXPECT_FALSE(PtInRegion(got, 5, 7));
    EXPECT_EQ(SelectClipRgn(s.dc, nullptr), SIMPLEREGION);
    EXPECT_EQ(GetClipRgn(s.dc, got), 0);
    // FillRgn paints a round region without its corners.
    HRGN round = CreateRoundRectRgn(0, 0, 10, 10, 6, 6);
    EXPECT_TRUE(FillRgn(s.dc, round, (HBRUSH)GetStockObject(GRAY_BRUSH)));
    EXPECT_EQ(s.at(0, 9), kWhite);
    EXPECT_EQ(s.at(5, 5), 0x808080u);
    DeleteObject(round);
    DeleteObject(got);
}

TEST(Clipping, SaveAndRestoreBringBackClipAndObjects) {
    Screen s(10, 10);
    HPEN red = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
    int level = SaveDC(s.dc);
    EXPECT_EQ(level, 1);
    SelectObject(s.dc, red);
    IntersectClipRect(s.dc, 0, 0, 2, 2);
    SetTextColor(s.dc, RGB(9, 9, 9));
    EXPECT_TRUE(RestoreDC(s.dc, -1));
    EXPECT_EQ(GetCurrentObject(s.dc, OBJ_PEN), GetStockObject(BLACK_PEN));
    EXPECT_EQ(GetTextColor(s.dc), RGB(0, 0, 0));
    RECT box;
    GetClipBox(s.dc, &box);
    EXPECT_EQ(box.right, 10);
    EXPECT_FALSE(RestoreDC(s.dc, 1));  // nothing saved any more
    EXPECT_TRUE(DeleteObject(red));
}

TEST(Blit, ExtremeCoordinatesAndSizesFailOrClipSafely) {
    Screen s(4, 4);
    MemDC src(s.dc, 2, 2, RGB(255, 0, 0));
    EXPECT_TRUE(BitBlt(s.dc, INT32_MIN, INT32_MIN, 3, 3, src.dc, INT32_MAX - 1, 0, SRCCOPY));
    EXPECT_TRUE(StretchBlt(s.dc, INT32_MIN, 0, -5, 4, src.dc, INT32_MIN, 0, -2, 2, SRCCOPY));
    EXPECT_FALSE(StretchBlt(s.dc, 0, 0, 1 << 30, 4, src.dc, 0, 0, 2, 2, SRCCOPY));
    EXPECT_FALSE(TransparentBlt(s.dc, 0, 0, -4, 4, src.dc, 0, 0, 2, 2, 0));
    EXPECT_EQ(s.count(kWhite), 16);
    // A source rectangle partly off its bitmap copies only what exists.
    EXPECT_TRUE(BitBlt(s.dc, 0, 0, 4, 4, src.dc, -2, -2, SRCCOPY));
    EXPECT_EQ(s.at(2, 2), 0xFF0000u);
    EXPECT_EQ(s.at(1, 1), kWhite);
}
