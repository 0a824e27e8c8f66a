// Fonts, measurement and DrawTextW layout.
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/stat.h>

#include "gdi_test_util.h"
#include "platform/gdi/font_engine.h"

using namespace gditest;

namespace {

HFONT makeFont(int height, int weight = FW_NORMAL, const char16_t* face = u"Tahoma", BYTE underline = 0) {
    LOGFONTW lf{};
    lf.lfHeight = height;
    lf.lfWeight = weight;
    lf.lfUnderline = underline;
    lf.lfQuality = ANTIALIASED_QUALITY;
    std::memcpy(lf.lfFaceName, face, (std::char_traits<char16_t>::length(face) + 1) * sizeof(char16_t));
    return CreateFontIndirectW(&lf);
}

SIZE extent(HDC dc, const char16_t* s) {
    SIZE sz{};
    GetTextExtentPoint32W(dc, s, (int)std::char_traits<char16_t>::length(s), &sz);
    return sz;
}

// Columns [x0, x1) of the drawn ink (non-background pixels), or {-1,-1}.
std::pair<int, int> inkColumns(const Screen& s, uint32_t bg = kWhite) {
    int x0 = -1, x1 = -1;
    for (int y = 0; y < s.surf.height; ++y)
        for (int x = 0; x < s.surf.width; ++x)
            if (s.at(x, y) != bg) {
                if (x0 < 0 || x < x0) x0 = x;
                if (x + 1 > x1) x1 = x + 1;
            }
    return {x0, x1};
}

std::pair<int, int> inkRows(const Screen& s, uint32_t bg = kWhite) {
    int y0 = -1, y1 = -1;
    for (int y = 0; y < s.surf.height; ++y)
        for (int x = 0; x < s.surf.width; ++x)
            if (s.at(x, y) != bg) {
                if (y0 < 0) y0 = y;
                y1 = y + 1;
            }
    return {y0, y1};
}

bool exists(const char* p) {
    struct stat st;
    return stat(p, &st) == 0;
}

}  // namespace

TEST(Fonts, TahomaComesFromTheWineFolderWhenPresent) {
    if (!exists("/usr/share/wine/fonts/tahoma.ttf")) GTEST_SKIP() << "fonts-wine not installed";
    LOGFONTW lf{};
    lf.lfHeight = -11;
    std::memcpy(lf.lfFaceName, u"Tahoma", sizeof u"Tahoma");
    auto inst = gdi::FontInstance::get(lf);
    ASSERT_TRUE(inst);
    EXPECT_EQ(inst->filePath(), "/usr/share/wine/fonts/tahoma.ttf");
    lf.lfWeight = FW_BOLD;
    auto bold = gdi::FontInstance::get(lf);
    ASSERT_TRUE(bold);
    EXPECT_EQ(bold->filePath(), "/usr/share/wine/fonts/tahomabd.ttf");
    std::memcpy(lf.lfFaceName, u"MS Sans Serif", sizeof u"MS Sans Serif");
    lf.lfWeight = FW_NORMAL;
    auto ms = gdi::FontInstance::get(lf);
    ASSERT_TRUE(ms);
    EXPECT_EQ(ms->family(), "MS Sans Serif");
}

TEST(Fonts, UnknownFaceFallsBackToASansFace) {
    Screen s(10, 10);
    HFONT f = makeFont(-12, FW_NORMAL, u"No Such Face Anywhere");
    ASSERT_TRUE(f);
    SelectObject(s.dc, f);
    EXPECT_GT(extent(s.dc, u"abc").cx, 0);
    SelectObject(s.dc, GetStockObject(SYSTEM_FONT));
    DeleteObject(f);
}

// A character neither the face nor the sans-serif fallback has (an emoji)
// is drawn from a face that has it, not as the missing-glyph box: two such
// characters then look different.
TEST(Fonts, CharactersNoFaceOfTheFamilyHasComeFromAFaceThatHasThem) {
    if (!exists("/usr/share/fonts/truetype/ancient-scripts/Symbola_hint.ttf")) GTEST_SKIP() << "fonts-symbola not installed";
    HFONT f = makeFont(-16);
    auto draw = [&](const char16_t* text) {
        Screen s(40, 30);
        SelectObject(s.dc, f);
        SetTextColor(s.dc, RGB(0, 0, 0));
        SetBkMode(s.dc, TRANSPARENT);
        TextOutW(s.dc, 2, 2, text, 2);
        std::string pixels;
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 40; ++x) pixels += s.at(x, y) == kWhite ? '.' : '#';
        SelectObject(s.dc, GetStockObject(SYSTEM_FONT));
        return pixels;
    };
    const std::string milk = draw(u"\U0001F95B"), apple = draw(u"\U0001F34E");
    EXPECT_NE(milk.find('#'), std::string::npos);
    EXPECT_NE(milk, apple);
    DeleteObject(f);
}

TEST(Fonts, HeightSignSelectsCharacterOrCellHeight) {
    Screen s(10, 10);
    HFONT ch = makeFont(-20);
    HFONT cell = makeFont(20);
    TEXTMETRICW tm{};
    SelectObject(s.dc, ch);
    ASSERT_TRUE(GetTextMetricsW(s.dc, &tm));
    // Character height: the cell is taller by the internal leading.
    EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, 20);
    EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent);
    EXPECT_GT(tm.tmAveCharWidth, 0);
    EXPECT_GE(tm.tmMaxCharWidth, tm.tmAveCharWidth);
    SelectObject(s.dc, cell);
    ASSERT_TRUE(GetTextMetricsW(s.dc, &tm));
    EXPECT_NEAR(tm.tmHeight, 20, 1);
    SelectObject(s.dc, GetStockObject(SYSTEM_FONT));
    DeleteObject(ch);
    DeleteObject(cell);
}

TEST(TextMeasure, ExtentGrowsWithLengthAndBoldIsWider) {
    Screen s(10, 10);
    HFONT reg = makeFont(-13);
    HFONT bold = makeFont(-13, FW_BOLD);
    SelectObject(s.dc, reg);
    SIZE a = extent(s.dc, u"Milk");
    SIZE b = extent(s.dc, u"Milk and bread");
    EXPECT_GT(a.cx, 0);
    EXPECT_GT(b.cx, a.cx);
    EXPECT_EQ(a.cy, b.cy);
    SelectObject(s.dc, bold);
    SIZE c = extent(s.dc, u"Milk and bread");
    EXPECT_GT(c.cx, b.cx);
    // Cumulative extents and the count that fits.
    int fit = 0;
    int dx[4] = {};
    SIZE sz{};
    ASSERT_TRUE(GetTextExtentExPointW(s.dc, u"Milk", 4, dx[1] + 1, &fit, dx, &sz));
    EXPECT_EQ(dx[3], sz.cx);
    EXPECT_TRUE(dx[0] < dx[1] && dx[1] < dx[2] && dx[2] < dx[3]);
    ASSERT_TRUE(GetTextExtentExPointW(s.dc, u"Milk", 4, dx[1], &fit, nullptr, &sz));
    EXPECT_EQ(fit, 2);
    SelectObject(s.dc, GetStockObject(SYSTEM_FONT));
    DeleteObject(reg);
    DeleteObject(bold);
}

TEST(TextMeasure, AdvancesAddUpBeforeRoundingSoSpacingStaysEven) {
    // Letters are rarely a whole number of pixels wide: a run rounds the sum
    // of their advances once, so 64 letters are not 64 rounded letters wide
    // and each letter starts within a pixel of where its exact advance puts it.
    Screen s(10, 10);
    HFONT font = makeFont(-21);
    SelectObject(s.dc, font);
    int differing = 0;
    for (char16_t c = u'a'; c <= u'z'; ++c) {
        std::u16string run(64, c);
        SIZE one = extent(s.dc, run.substr(0, 1).c_str()), all = extent(s.dc, run.c_str());
        if (all.cx != 64 * one.cx) ++differing;
        EXPECT_NEAR(all.cx, 64 * one.cx, 32) << (char)c;
        int dx[64] = {};
        SIZE sz{};
        ASSERT_TRUE(GetTextExtentExPointW(s.dc, run.c_str(), 64, -1, nullptr, dx, &sz));
        for (int i = 1; i < 64; ++i) EXPECT_LE(std::abs((dx[i] - dx[i - 1]) - (dx[0])), 1) << (char)c << i;
    }
    EXPECT_GT(differing, 0);
    SelectObject(s.dc, GetStockObject(SYSTEM_FONT));
    DeleteObject(font);
}

TEST(TextOut, DrawsInTextColourAndOpaqueBackground) {
    Screen s(80, 30);
    HFONT f = makeFont(-14);
    SelectObject(s.dc, f);
    SetTextColor(s.dc, RGB(255, 0, 0));
    SetBkMode(s.dc, TRANSPARENT);
    ASSERT_TRUE(TextOutW(s.dc, 2, 2, u"Hi", 2));
    EXPECT_GT(s.count(0xFF0000), 3);  // solid stems
    auto cols = inkColumns(s);
    EXPECT_GE(cols.first, 2);
    Screen o(80, 30);
    SelectObject(o.dc, f);
    SetBkColor(o.dc, RGB(0, 0, 255));
    SetBkMode(o.dc, OPAQUE);
    TextOutW(o.dc, 0, 0, u"Hi", 2);
    SIZE sz = extent(o.dc, u"Hi");
    EXPECT_EQ(o.at(sz.cx - 1, sz.cy - 1), 0x0000FFu);
    EXPECT_EQ(o.at(sz.cx, 0), kWhite);
    SelectObject(s.dc, GetStockObject(SYSTEM_FONT));
    SelectObject(o.dc, GetStockObject(SYSTEM_FONT));
    DeleteObject(f);
}

TEST(TextOut, ExtTextOutOpaqueFillsAndClipsToRect) {
    Screen s(60, 20);
    HFONT f = makeFont(-14);
    SelectObject(s.dc, f);
    SetBkColor(s.dc, RGB(0, 255, 0));
    RECT r{0, 0, 10, 20};
    ASSERT_TRUE(ExtTextOutW(s.dc, 0, 0, ETO_OPAQUE | ETO_CLIPPED, &r, u"WWWWWW", 6, nullptr));
    auto cols = inkColumns(s);
    EXPECT_EQ(cols.first, 0);
    EXPECT_EQ(cols.second, 10);
    SelectObject(s.dc, GetStockObject(SYSTEM_FONT));
    DeleteObject(f);
}

TEST(DrawText, CalcRectGivesSingleLineSizeAndDoesNotDraw) {
    Screen s(100, 40);
    HFONT f = makeFont(-13);
    SelectObject(s.dc, f);
    TEXTMETRICW tm;
    GetTextMetricsW(s.dc, &tm);
    RECT r{5, 5, 6, 6};
    int h = DrawTextW(s.dc, u"Groceries", -1, &r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_EQ(h, tm.tmHeight);
    EXPECT_EQ(r.bottom - r.top, tm.tmHeight);
    EXPECT_EQ(r.right - r.left, extent(s.dc, u"Groceries").cx);
    EXPECT_EQ(s.count(kWhite), 100 * 40);
    SelectObject(s.dc, GetStockObject(SYSTEM_FONT));
    DeleteObject(f);
}

TEST(DrawText, WordBreakWrapsBetweenWordsAndCalcRectCountsLines) {
    Screen s(200, 200);
    HFONT f = makeFont(-13);
    SelectObject(s.dc, f);
    TEXTMETRICW tm;
    GetTextMetricsW(s.dc, &tm);
    int wordW = extent(s.dc, u"bread").cx;
    RECT r{0, 0, wordW + 2, 0};
    int h = DrawTextW(s.dc, u"bread bread bread", -1, &r, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_EQ(h, 3 * tm.tmHeight);
    EXPECT_EQ(r.bottom, 3 * tm.tmHeight);
    EXPECT_LE(r.right, wordW + 2);
    // Explicit breaks count too; a word wider than the line is not split.
    RECT q{0, 0, 5, 0};
    EXPECT_EQ(DrawTextW(s.dc, u"unbreakable", -1, &q, DT_CALCRECT | DT_WORDBREAK), tm.tmHeight);
    RECT p{0, 0, 200, 0};
    EXPECT_EQ(DrawTextW(s.dc, u"No databases are\ncurrently opened", -1, &p, DT_CALCRECT | DT_WORDBREAK),
              2 * tm.tmHeight);
    SelectObject(s.dc, GetStockObject(SYSTEM_FONT));
    DeleteObject(f);
}

TEST(DrawText, CenterAndVCenterPlaceTheText) {
    Screen s(120, 60);
    HFONT f = makeFont(-13);
    SelectObject(s.dc, f);
    SetBkMode(s.dc, TRANSPARENT);
    RECT r{0, 0, 120, 60};
    int ret = DrawTextW(s.dc, u"Password Protected", -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    TEXTMETRICW tm;
    GetTextMetricsW(s.dc, &tm);
    int top = (60 - tm.tmHeight) / 2;
    EXPECT_EQ(ret, top + tm.tmHeight);
    auto cols = inkColumns(s);
    int left = cols.first, right = 120 - cols.second;
    EXPECT_NEAR(left, right, 3);
    auto rows = inkRows(s);
    EXPECT_GE(rows.first, top);
    EXPECT_LE(rows.second, top + tm.tmHeight);
    // Right alignment puts the ink at the right edge.
    Screen t(120, 20);
    SelectObject(t.dc, f);
    RECT q{0, 0, 120, 20};
    DrawTextW(t.dc, u"Milk", -1, &q, DT_RIGHT | DT_SINGLELINE);
    EXPECT_GE(inkColumns(t).second, 115);
    SelectObject(s.dc, GetStockObject(SYSTEM_FONT));
    SelectObject(t.dc, GetStockObject(SYSTEM_FONT));
    DeleteObject(f);
}

TEST(DrawText, PrefixUnderlinesAndDoubleAmpersandIsOne) {
    Screen s(10, 10);
    HFONT f = makeFont(-13);
    SelectObject(s.dc, f);
    RECT a{0, 0, 500, 0}, b{0, 0, 500, 0}, c{0, 0, 500, 0};
    DrawTextW(s.dc, u"&File", -1, &a, DT_CALCRECT | DT_SINGLELINE);
    DrawTextW(s.dc, u"File", -1, &b, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(a.right, b.right);
    DrawTextW(s.dc, u"&File", -1, &c, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_GT(c.right, b.right);
    RECT d{0, 0, 500, 0}, e{0, 0, 500, 0};
    DrawTextW(s.dc, u"A&&B", -1, &d, DT_CALCRECT | DT_SINGLELINE);
    DrawTextW(s.dc, u"A&B", -1, &e, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_EQ(d.right, e.right);
    // The underline under the prefixed letter adds ink below the baseline.
    Screen u1(60, 30), u2(60, 30);
    for (Screen* sc : {&u1, &u2}) SelectObject(sc->dc, f);
    RECT r{0, 0, 60, 30};
    DrawTextW(u1.dc, u"&File", -1, &r, DT_SINGLELINE);
    DrawTextW(u2.dc, u"File", -1, &r, DT_SINGLELINE);
    EXPECT_GT(inkRows(u1).second, inkRows(u2).second);
    for (Screen* sc : {&s, &u1, &u2}) SelectObject(sc->dc, GetStockObject(SYSTEM_FONT));
    DeleteObject(f);
}

TEST(DrawText, EndEllipsisFitsTheRectAndNoClipDrawsOutside) {
    Screen s(200, 20);
    HFONT f = makeFont(-13);
    SelectObject(s.dc, f);
    RECT r{0, 0, 50, 20};
    DrawTextW(s.dc, u"A very long item text indeed", -1, &r, DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    EXPECT_LE(inkColumns(s).second, 50);
    RECT q{0, 0, 50, 0};
    DrawTextW(s.dc, u"A very long item text indeed", -1, &q, DT_CALCRECT | DT_SINGLELINE | DT_END_ELLIPSIS);
    EXPECT_LE(q.right, 50);
    Screen t(200, 20);
    SelectObject(t.dc, f);
    RECT n{0, 0, 50, 20};
    DrawTextW(t.dc, u"A very long item text indeed", -1, &n, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_GT(inkColumns(t).second, 60);
    SelectObject(s.dc, GetStockObject(SYSTEM_FONT));
    SelectObject(t.dc, GetStockObject(SYSTEM_FONT));
    DeleteObject(f);
}

TEST(DrawText, ExpandTabsMovesToTabStops) {
    Screen s(10, 10);
    HFONT f = makeFont(-13);
    SelectObject(s.dc, f);
    TEXTMETRICW tm;
    GetTextMetricsW(s.dc, &tm);
    RECT r{0, 0, 500, 0};
    DrawTextW(s.dc, u"a\tb", -1, &r, DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS);
    EXPECT_EQ(r.right, 8 * tm.tmAveCharWidth + extent(s.dc, u"b").cx);
    SelectObject(s.dc, GetStockObject(SYSTEM_FONT));
    DeleteObject(f);
}
