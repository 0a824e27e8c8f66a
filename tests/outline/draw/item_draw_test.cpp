// Item drawing: completion suffixes, the pictures drawn pixel by pixel, the
// custom-draw conversation, and what an item looks like on the screen.
#include <cstdlib>
#include <filesystem>

#include "outline/tree/outline_fixture.h"
#include "platform/gdi/png_io.h"

namespace outline_test {
namespace {

std::u16string suffix(int mode, int k, int n) {
    WCHAR out[32];
    formatCompletionSuffix(out, 32, mode, k, n);
    return out;
}

std::u16string compose(const std::u16string& text, int mode, int k, int n) {
    WCHAR out[TREE_TEXT_CHARS];
    composeCompletionText(out, TREE_TEXT_CHARS, text.c_str(), mode, k, n);
    return out;
}

TEST(Completion, SuffixesInBothModes) {
    EXPECT_EQ(suffix(1, 1, 1), u" [1/1]");
    EXPECT_EQ(suffix(2, 1, 1), u" [100%]");
    EXPECT_EQ(suffix(2, 1, 3), u" [33%]");
    EXPECT_EQ(suffix(2, 2, 3), u" [66%]");
    EXPECT_EQ(suffix(1, 0, 12), u" [0/12]");
    EXPECT_EQ(suffix(0, 1, 2), u"");
    EXPECT_EQ(suffix(1, 0, 0), u"");
}

TEST(Completion, LongTextsAreCutBeforeTheSuffix) {
    std::u16string text95(95, u'a');
    std::u16string out = compose(text95, 1, 10, 12);  // " [10/12]" is 8; use a 7-character one below
    std::u16string out7 = compose(text95, 1, 1, 12);   // " [1/12]" is 7 characters
    EXPECT_EQ(out7, std::u16string(86, u'a') + u" [1/12]");
    EXPECT_EQ(out, std::u16string(85, u'a') + u" [10/12]");
    std::u16string text91(91, u'b');
    EXPECT_EQ(compose(text91, 1, 1, 12), text91 + u" [1/12]");  // 98 exactly fits
    EXPECT_EQ(compose(std::u16string(99, u'c'), 0, 1, 2), std::u16string(99, u'c'));
}

class Draw : public OutlineTest {
protected:
    void SetUp() override {
        OutlineTest::SetUp();
        ShowWindow(hwndMainTV, SW_SHOW);
    }
    // Paints everything now and returns the pixel (as COLORREF) at a client
    // point of `hwnd`.
    static COLORREF pixelAt(HWND hwnd, int x, int y) {
        POINT p{x, y};
        ClientToScreen(hwnd, &p);
        const gdi::Surface& s = device::screenSurface();
        return gdi::colorrefFromPixel(s.pixels[(size_t)p.y * s.width + p.x]);
    }
    // Pixels of `colour` in the area; text is smoothed, so for text colours
    // pass a tolerance per channel.
    static int countColour(HWND hwnd, RECT area, COLORREF colour, int tolerance = 0) {
        int n = 0;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x) {
                COLORREF c = pixelAt(hwnd, x, y);
                bool near = true;
                for (int shift = 0; shift < 24; shift += 8)
                    near = near && std::abs((int)((c >> shift) & 0xFF) - (int)((colour >> shift) & 0xFF)) <= tolerance;
                if (near) ++n;
            }
        return n;
    }
    static constexpr int kText = 60;
    static void paintNow() {
        RedrawWindow(hwndMain, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        device::runUntilIdle();
    }
    static RECT rowOf(HTREEITEM item) {
        RECT rc{};
        std::memcpy(&rc, &item, sizeof item);
        SendMessageW(hwndMainTV, TVM_GETITEMRECT, FALSE, (LPARAM)&rc);
        return rc;
    }
};

TEST_F(Draw, CheckBoxPicture) {
    intUnit = 2;
    intScale = 1;
    HBITMAP box = makeCheckBoxPicture(13, 1);
    HBITMAP empty = makeCheckBoxPicture(13, 0);
    ASSERT_NE(box, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, empty);
    EXPECT_EQ(GetPixel(dc, 0, 0), 0x000000u);
    EXPECT_EQ(GetPixel(dc, 1, 6), 0x000000u);   // border intUnit thick
    EXPECT_EQ(GetPixel(dc, 2, 6), 0xFFFFFFu);
    EXPECT_EQ(GetPixel(dc, 6, 6), 0xFFFFFFu);
    EXPECT_EQ(GetPixel(dc, 12, 12), 0x000000u);
    SelectObject(dc, box);
    // S 13: m 3, N 7, t 3, g 2, h 2: short leg from (3,5) down, long leg up to (9,3).
    EXPECT_EQ(GetPixel(dc, 3, 5), 0x000000u);
    EXPECT_EQ(GetPixel(dc, 3, 7), 0x000000u);
    EXPECT_EQ(GetPixel(dc, 3, 8), 0xFFFFFFu);
    EXPECT_EQ(GetPixel(dc, 5, 7), 0x000000u);
    EXPECT_EQ(GetPixel(dc, 6, 6), 0x000000u);
    EXPECT_EQ(GetPixel(dc, 9, 3), 0x000000u);
    EXPECT_EQ(GetPixel(dc, 9, 2), 0xFFFFFFu);  // just above the tick's top
    EXPECT_EQ(GetPixel(dc, 8, 8), 0xFFFFFFu);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(box);
    DeleteObject(empty);
    EXPECT_EQ(makeCheckBoxPicture(0, 1), nullptr);
}

TEST_F(Draw, NoteMarkerPicture) {
    HBITMAP marker = makeNoteMarker(9);  // n 6, k 3
    ASSERT_NE(marker, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, marker);
    EXPECT_EQ(GetPixel(dc, 8, 0), 0xFF00FFu);  // the cut corner
    EXPECT_EQ(GetPixel(dc, 8, 1), 0xFF00FFu);
    EXPECT_EQ(GetPixel(dc, 7, 0), 0xFF00FFu);
    EXPECT_EQ(GetPixel(dc, 6, 0), 0x002973u);  // fold and diagonal
    EXPECT_EQ(GetPixel(dc, 7, 1), 0x002973u);
    EXPECT_EQ(GetPixel(dc, 8, 2), 0x002973u);
    EXPECT_EQ(GetPixel(dc, 7, 3), 0x002973u);  // fold across
    EXPECT_EQ(GetPixel(dc, 0, 4), 0x002973u);  // left edge
    EXPECT_EQ(GetPixel(dc, 4, 8), 0x002973u);  // bottom edge
    EXPECT_EQ(GetPixel(dc, 8, 5), 0x002973u);  // right edge
    EXPECT_EQ(GetPixel(dc, 3, 4), 0x52DEFFu);  // fill
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(marker);
}

TEST_F(Draw, ButtonPicturesFollowTheTypeAndReplaceThePair) {
    loadButtonPictures(1);
    HBITMAP first = hbmButtonExpanded;
    ASSERT_NE(first, nullptr);
    BITMAP info{};
    GetObjectW(first, sizeof info, &info);
    EXPECT_EQ(info.bmWidth, 11);
    loadButtonPictures(2);
    EXPECT_NE(hbmButtonCollapsed, nullptr);
    EXPECT_EQ(GetObjectType(first), 0u);  // the previous pair was deleted
}

TEST_F(Draw, CustomDrawStagesAndResults) {
    NMTVCUSTOMDRAW cd{};
    cd.nmcd.hdr.hwndFrom = hwndMainTV;
    cd.nmcd.hdr.idFrom = 6002;
    cd.nmcd.hdr.code = NM_CUSTOMDRAW;
    cd.nmcd.dwDrawStage = CDDS_PREPAINT;
    EXPECT_EQ(SendMessageW(hwndMain, WM_NOTIFY, 6002, (LPARAM)&cd), CDRF_SKIPDEFAULT);
    addRow(1, 0, 1, "Milk");
    load();
    EXPECT_EQ(SendMessageW(hwndMain, WM_NOTIFY, 6002, (LPARAM)&cd), 0x30);
    cd.nmcd.dwDrawStage = CDDS_POSTPAINT;
    EXPECT_EQ(SendMessageW(hwndMain, WM_NOTIFY, 6002, (LPARAM)&cd), CDRF_SKIPDEFAULT);
    // The control's own notification goes through the same road.
    HTREEITEM item = byId(1);
    HDC dc = GetDC(hwndMainTV);
    cd.nmcd.hdc = dc;
    cd.nmcd.dwDrawStage = CDDS_ITEMPREPAINT;
    cd.nmcd.dwItemSpec = (DWORD_PTR)item;
    cd.nmcd.lItemlParam = 1;
    cd.nmcd.rc = rowOf(item);
    EXPECT_EQ(SendMessageW(hwndMain, WM_NOTIFY, 6002, (LPARAM)&cd), 6);
    ReleaseDC(hwndMainTV, dc);
    // Another control's notification is not ours.
    cd.nmcd.hdr.idFrom = 6003;
    EXPECT_EQ(SendMessageW(hwndMain, WM_NOTIFY, 6003, (LPARAM)&cd), 0);
}

TEST_F(Draw, LevelColoursRepeatEveryFourAndStopAtSixteen) {
    LONG parent = 0;
    for (int i = 0; i < 18; ++i) {
        addRow(i + 1, parent, 1, "Level" + std::to_string(i), 0, i < 17 ? 1 : 0, 1);
        parent = i + 1;
    }
    attrCurrentList.bRootBold = 0;
        SendMessageW(hwndMainTV, TVM_SETINDENT, 4, 0);
    load();
    paintNow();
    const COLORREF levels[4] = {attrCurrentList.crItemLevel0, attrCurrentList.crItemLevel1,
                                attrCurrentList.crItemLevel2, attrCurrentList.crItemLevel3};
    auto check = [&](int depth) {
        RECT row = rowOf(byId(depth + 1));
        COLORREF expected = depth < 16 ? levels[depth % 4] : levels[0];
        EXPECT_GT(countColour(hwndMainTV, row, expected, kText), 5) << "depth " << depth;
    };
    for (int depth : {0, 1, 2, 3, 4, 5}) check(depth);
    // The deepest rows lie below the window's edge: bring them up first.
    SendMessageW(hwndMainTV, TVM_ENSUREVISIBLE, 0, (LPARAM)byId(18));
    paintNow();
    for (int depth : {15, 16, 17}) check(depth);
}

TEST_F(Draw, CheckedHiddenAndPlainItemColours) {
    addRow(1, 0, 1, "Checked", 1);
    addRow(2, 0, 2, "Hidden and checked", 1, 0, 0, 0);
    addRow(3, 0, 3, "Plain");
    attrCurrentList.bShowHiddenItems = 0;
    attrCurrentList.bRootBold = 0;
    load();
    paintNow();
    EXPECT_GT(countColour(hwndMainTV, rowOf(byId(1)), attrCurrentList.crItemCheck, kText), 5);
    EXPECT_GT(countColour(hwndMainTV, rowOf(byId(2)), attrCurrentList.crItemHidden, kText), 5);
    EXPECT_EQ(countColour(hwndMainTV, rowOf(byId(2)), attrCurrentList.crItemCheck, 20), 0);
    EXPECT_GT(countColour(hwndMainTV, rowOf(byId(3)), attrCurrentList.crItemLevel0, kText), 5);
    // Without check boxes a checked item keeps its level colour.
    attrCurrentList.bCheckbox = 0;
    paintNow();
    EXPECT_GT(countColour(hwndMainTV, rowOf(byId(1)), attrCurrentList.crItemLevel0, kText), 5);
}

TEST_F(Draw, FocusedItemIsHighlightedAndCheckBoxAndMarkerAreDrawn) {
    addRow(1, 0, 1, "Selected", 1, 0, 0, 1, 1, "a note");
    addRow(2, 0, 2, "Other");
    load();
    SetFocus(hwndMainTV);
    SendMessageW(hwndMainTV, TVM_SELECTITEM, TVGN_CARET, (LPARAM)byId(1));
    paintNow();
    RECT row = rowOf(byId(1));
    EXPECT_GT(countColour(hwndMainTV, row, 0xB90000), 20);
    EXPECT_GT(countColour(hwndMainTV, row, 0x52DEFF), 4);  // note marker
    RECT label = labelOf(byId(1));
    // The check box sits left of the label: its black border and white inside.
    RECT box{label.left - 2 - intTreeFontHeight - intUnit, row.top, label.left - 2, row.bottom};
    EXPECT_GT(countColour(hwndMainTV, box, 0x000000), 10);
    EXPECT_GT(countColour(hwndMainTV, box, 0xFFFFFF), 4);
    EXPECT_EQ(countColour(hwndMainTV, rowOf(byId(2)), 0xB90000), 0);
}

TEST_F(Draw, ExpandButtonFollowsTheStoredStateAndNeedsShownChildren) {
    addRow(1, 0, 1, "Open in file", 0, 1, 1);
    addRow(2, 1, 1, "Child");
    addRow(3, 0, 2, "All children hidden", 0, 1, 1);
    addRow(4, 3, 1, "Hidden child", 0, 0, 0, 0);
    attrCurrentList.bShowHiddenItems = 1;
    load();
    // Collapse in the control only: the picture still says "expanded".
    SendMessageW(hwndMainTV, TVM_EXPAND, TVE_COLLAPSE, (LPARAM)byId(1));
    paintNow();
    RECT row1 = rowOf(byId(1));
    RECT row3 = rowOf(byId(3));
    int indent = (int)SendMessageW(hwndMainTV, TVM_GETINDENT, 0, 0);
    RECT button1{0, row1.top, indent, row1.bottom};
    RECT button3{(indent - 11) / 2, row3.top, (indent - 11) / 2 + 11, row3.bottom};
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, hbmButtonExpanded);
    int x0 = (indent - 11) / 2;
    int y0 = row1.top + (row1.bottom - row1.top - 11) / 2 + 1;
    int same = 0;
    for (int y = 0; y < 11; ++y)
        for (int x = 0; x < 11; ++x)
            if (GetPixel(dc, x, y) != 0xFF00FF && GetPixel(dc, x, y) == pixelAt(hwndMainTV, x0 + x, y0 + y)) ++same;
    SelectObject(dc, old);
    DeleteDC(dc);
    EXPECT_GT(same, 20);
    EXPECT_GT(countColour(hwndMainTV, button1, 0x000000) + same, 20);
    // No children in the outline: nothing but background and connector lines.
    int other = 0;
    for (int y = button3.top; y < button3.bottom; ++y)
        for (int x = button3.left; x < button3.right; ++x) {
            COLORREF c = pixelAt(hwndMainTV, x, y);
            if (c != attrCurrentList.crBackground && c != attrCurrentList.crItemLine) {
                ++other;
            }
        }
    EXPECT_EQ(other, 0);
}

TEST_F(Draw, RepaintVisitsOnlyTheVisibleRows) {
    begin();
    for (int i = 1; i <= 300; ++i) addRow(i, 0, i, "Row " + std::to_string(i));
    commit();
    load();
    storage_test::StatementLog log(dbCurrent);
    paintNow();
    int reads = 0;
    for (const std::string& s : log.statements())
        if (s.find("SELECT longParentID,strText") != std::string::npos) ++reads;
    int visible = (int)SendMessageW(hwndMainTV, TVM_GETVISIBLECOUNT, 0, 0);
    EXPECT_GT(reads, 0);
    EXPECT_LE(reads, visible + 1);
}

TEST_F(Draw, ScreenshotOfAnOutline) {
    attrCurrentList.intCompletionShow = 1;
    addRow(1, 0, 1, "Groceries for the week", 0, 3, 1);
    addRow(2, 1, 1, "Milk", 1, 0, 0, 1, 1, "two litres");
    addRow(3, 1, 2, "Cheese", 0, 2, 1);
    addRow(4, 3, 1, "Brie", 1);
    addRow(5, 3, 2, "Gouda");
    addRow(6, 1, 3, "Bread");
    addRow(7, 0, 2, "Hardware", 0, 1, 0);
    addRow(8, 7, 1, "Nails");
    addRow(9, 0, 3, "Hidden item", 0, 0, 0, 0);
    attrCurrentList.bShowHiddenItems = 0;
    load();
    SetFocus(hwndMainTV);
    SendMessageW(hwndMainTV, TVM_SELECTITEM, TVGN_CARET, (LPARAM)byId(6));
    paintNow();
    EXPECT_EQ(textOf(byId(1)), "Groceries for the week [1/3]");
    EXPECT_EQ(textOf(byId(3)), "Cheese [1/2]");
    const char* dir = std::getenv("QP_SCREENSHOT_DIR");
    std::string path = std::string(dir ? dir : root.c_str()) + "/outline_draw.png";
    EXPECT_TRUE(gdi::writePng(device::screenSurface(), path));
    EXPECT_TRUE(std::filesystem::exists(path));
}

}  // namespace
}  // namespace outline_test
