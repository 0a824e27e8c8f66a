// Lines and shapes drawn with pens and brushes, checked pixel by pixel.
#include "gdi_test_util.h"

using namespace gditest;

TEST(Lines, LineToLeavesOutLastPointAndMovesCurrentPosition) {
    Screen s(10, 5);
    MoveToEx(s.dc, 1, 2, nullptr);
    LineTo(s.dc, 6, 2);
    for (int x = 0; x < 10; ++x) EXPECT_EQ(s.at(x, 2), (x >= 1 && x < 6) ? kBlack : kWhite) << x;
    POINT p;
    MoveToEx(s.dc, 0, 0, &p);
    EXPECT_EQ(p.x, 6);
    EXPECT_EQ(p.y, 2);
}

TEST(Lines, DashedPenDrawsRunsAndFillsGapsOnlyWhenOpaque) {
    Screen s(60, 4);
    HPEN pen = CreatePen(PS_DASH, 1, RGB(255, 0, 0));
    HGDIOBJ old = SelectObject(s.dc, pen);
    SetBkMode(s.dc, TRANSPARENT);
    MoveToEx(s.dc, 0, 1, nullptr);
    LineTo(s.dc, 48, 1);
    // 18 on, 6 off, twice.
    EXPECT_EQ(s.at(0, 1), 0xFF0000u);
    EXPECT_EQ(s.at(17, 1), 0xFF0000u);
    EXPECT_EQ(s.at(18, 1), kWhite);
    EXPECT_EQ(s.at(23, 1), kWhite);
    EXPECT_EQ(s.at(24, 1), 0xFF0000u);
    SetBkMode(s.dc, OPAQUE);
    SetBkColor(s.dc, RGB(0, 0, 255));
    MoveToEx(s.dc, 0, 2, nullptr);
    LineTo(s.dc, 48, 2);
    EXPECT_EQ(s.at(20, 2), 0x0000FFu);
    SelectObject(s.dc, old);
    EXPECT_TRUE(DeleteObject(pen));
}

TEST(Lines, WidePenCoversItsWidth) {
    Screen s(20, 10);
    HPEN pen = CreatePen(PS_SOLID, 3, RGB(0, 0, 0));
    SelectObject(s.dc, pen);
    MoveToEx(s.dc, 2, 5, nullptr);
    LineTo(s.dc, 15, 5);
    EXPECT_EQ(s.at(8, 4), kBlack);
    EXPECT_EQ(s.at(8, 5), kBlack);
    EXPECT_EQ(s.at(8, 6), kBlack);
    EXPECT_EQ(s.at(8, 3), kWhite);
    EXPECT_EQ(s.at(8, 7), kWhite);
    SelectObject(s.dc, GetStockObject(BLACK_PEN));
    DeleteObject(pen);
}

TEST(Lines, FarAwayCoordinatesAreCheapAndSafe) {
    Screen s(10, 10);
    MoveToEx(s.dc, -2000000000, 5, nullptr);
    EXPECT_TRUE(LineTo(s.dc, 2000000000, 5));
    EXPECT_EQ(s.at(0, 5), kBlack);
    EXPECT_EQ(s.at(9, 5), kBlack);
}

TEST(Shapes, RectangleOutlinesWithPenAndFillsWithBrush) {
    Screen s(10, 10);
    HBRUSH br = CreateSolidBrush(RGB(0, 255, 0));
    SelectObject(s.dc, br);
    Rectangle(s.dc, 1, 1, 6, 5);
    EXPECT_EQ(s.at(1, 1), kBlack);
    EXPECT_EQ(s.at(5, 4), kBlack);
    EXPECT_EQ(s.at(6, 4), kWhite);
    EXPECT_EQ(s.at(3, 2), 0x00FF00u);
    EXPECT_EQ(s.count(0x00FF00), 3 * 2);
    // Without a pen the filled area is one pixel smaller each way.
    SelectObject(s.dc, GetStockObject(NULL_PEN));
    Rectangle(s.dc, 0, 6, 4, 9);
    EXPECT_EQ(s.at(2, 7), 0x00FF00u);
    EXPECT_EQ(s.at(3, 7), kWhite);
    EXPECT_EQ(s.at(2, 8), kWhite);
    SelectObject(s.dc, GetStockObject(WHITE_BRUSH));
    DeleteObject(br);
}

TEST(Shapes, RoundRectAndEllipseCutCornersButFillMiddle) {
    Screen s(40, 40);
    SelectObject(s.dc, GetStockObject(BLACK_BRUSH));
    RoundRect(s.dc, 0, 0, 20, 20, 10, 10);
    EXPECT_EQ(s.at(0, 0), kWhite);
    EXPECT_EQ(s.at(10, 0), kBlack);
    EXPECT_EQ(s.at(0, 10), kBlack);
    EXPECT_EQ(s.at(10, 10), kBlack);
    SelectObject(s.dc, GetStockObject(WHITE_BRUSH));
    Ellipse(s.dc, 20, 20, 40, 40);
    EXPECT_EQ(s.at(21, 21), kWhite);  // outside the circle
    EXPECT_EQ(s.at(30, 20), kBlack);  // top of the outline
    EXPECT_EQ(s.at(30, 30), kWhite);  // brush inside
    EXPECT_EQ(s.at(20, 30), kBlack);
}

TEST(Shapes, PolygonFillsInsideAndOutlines) {
    Screen s(20, 20);
    HBRUSH br = CreateSolidBrush(RGB(255, 0, 0));
    SelectObject(s.dc, br);
    POINT tri[3] = {{2, 2}, {17, 2}, {2, 17}};
    EXPECT_TRUE(Polygon(s.dc, tri, 3));
    EXPECT_EQ(s.at(2, 2), kBlack);
    EXPECT_EQ(s.at(5, 5), 0xFF0000u);
    EXPECT_EQ(s.at(15, 15), kWhite);
    EXPECT_FALSE(Polygon(s.dc, tri, 1));
    SelectObject(s.dc, GetStockObject(WHITE_BRUSH));
    DeleteObject(br);
}

TEST(Paint, FillFrameInvertAndSystemColourBrushes) {
    Screen s(10, 10);
    RECT r{2, 2, 8, 8};
    EXPECT_EQ(FillRect(s.dc, &r, (HBRUSH)(COLOR_HIGHLIGHT + 1)), 1);
    EXPECT_EQ(s.at(2, 2), gdi::pixelFromColorref(GetSysColor(COLOR_HIGHLIGHT)));
    EXPECT_EQ(FillRect(s.dc, &r, GetSysColorBrush(COLOR_WINDOW)), 1);
    EXPECT_EQ(s.at(2, 2), kWhite);
    EXPECT_EQ(FrameRect(s.dc, &r, (HBRUSH)GetStockObject(BLACK_BRUSH)), 1);
    EXPECT_EQ(s.at(2, 5), kBlack);
    EXPECT_EQ(s.at(7, 5), kBlack);
    EXPECT_EQ(s.at(3, 5), kWhite);
    InvertRect(s.dc, &r);
    EXPECT_EQ(s.at(2, 5), kWhite);
    EXPECT_EQ(s.at(3, 5), kBlack);
    EXPECT_EQ(FillRect(s.dc, &r, (HBRUSH)(uintptr_t)0x12345678), 0);
}

TEST(Paint, FocusRectTwiceRestores) {
    Screen s(12, 12);
    RECT r{1, 1, 11, 9};
    SetPixel(s.dc, 5, 5, RGB(1, 2, 3));
    std::vector<uint32_t> before = s.surf.pixels;
    DrawFocusRect(s.dc, &r);
    EXPECT_NE(s.surf.pixels, before);
    EXPECT_EQ(s.at(1, 1), kBlack);
    EXPECT_EQ(s.at(2, 1), kWhite);  // dotted
    DrawFocusRect(s.dc, &r);
    EXPECT_EQ(s.surf.pixels, before);
}

TEST(Paint, DrawEdgeRaisedAndSunkenUseOppositeShades) {
    Screen s(10, 10);
    RECT r{0, 0, 10, 10};
    DrawEdge(s.dc, &r, EDGE_RAISED, BF_RECT | BF_ADJUST);
    EXPECT_EQ(s.at(0, 5), gdi::pixelFromColorref(GetSysColor(COLOR_3DLIGHT)));
    EXPECT_EQ(s.at(9, 5), gdi::pixelFromColorref(GetSysColor(COLOR_3DDKSHADOW)));
    EXPECT_EQ(s.at(1, 5), gdi::pixelFromColorref(GetSysColor(COLOR_BTNHIGHLIGHT)));
    EXPECT_EQ(r.left, 2);
    EXPECT_EQ(r.bottom, 8);
    RECT q{0, 0, 10, 10};
    DrawEdge(s.dc, &q, EDGE_SUNKEN, BF_RECT);
    EXPECT_EQ(s.at(0, 5), gdi::pixelFromColorref(GetSysColor(COLOR_BTNSHADOW)));
    EXPECT_EQ(s.at(9, 5), gdi::pixelFromColorref(GetSysColor(COLOR_BTNHIGHLIGHT)));
}

TEST(Pixels, SetAndGetPixelRespectClipAndViewport) {
    Screen s(8, 8);
    EXPECT_EQ(SetPixel(s.dc, 3, 4, RGB(10, 20, 30)), RGB(10, 20, 30));
    EXPECT_EQ(GetPixel(s.dc, 3, 4), RGB(10, 20, 30));
    EXPECT_EQ(GetPixel(s.dc, 8, 0), CLR_INVALID);
    SetViewportOrgEx(s.dc, 2, 2, nullptr);
    EXPECT_EQ(GetPixel(s.dc, 1, 2), RGB(10, 20, 30));
}

TEST(Shapes, HugeShapesDrawOnlyWhatShows) {
    Screen s(20, 20);
    SelectObject(s.dc, GetStockObject(BLACK_BRUSH));
    EXPECT_TRUE(Ellipse(s.dc, -2000000000, -2000000000, 2000000000, 2000000000));
    EXPECT_EQ(s.count(kBlack), 20 * 20);
    SelectObject(s.dc, GetStockObject(WHITE_BRUSH));
    EXPECT_TRUE(Rectangle(s.dc, INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX));
    EXPECT_EQ(s.count(kWhite), 20 * 20);
    HRGN r = CreateRoundRectRgn(-2000000000, -5, 2000000000, 5, 2000000000, 4);
    EXPECT_TRUE(r);
    EXPECT_TRUE(PtInRegion(r, 0, 0));
    DeleteObject(r);
}
