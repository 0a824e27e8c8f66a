// The outline over a background picture: the picture stays anchored to the
// main window while the items scroll over it, shows behind the texts and
// above the outline, and a repaint of one row leaves the rest in place.
#include "outline/tree/outline_fixture.h"
#include "support/picture_files.h"

namespace outline_test {
namespace {

constexpr int kItems = 60;

class OverPicture : public OutlineTest {
protected:
    void SetUp() override {
        OutlineTest::SetUp();
        // Colour bands 16 pixels high, a little wider and taller than the
        // work area, so that any offset shows.
        pictures::writeFile(programFolder("bands.bmp"), pictures::bmpBytes(intWorkWidth + 10, intWorkHeight + 20,
                                                                           [](int, int y) {
                                                                               return pictures::bandColour(y);
                                                                           }));
        attrCurrentList.bUseBitmapFile = 1;
        ASSERT_EQ(loadBackgroundPicture(u"bands.bmp"), 1);
        begin();
        for (int i = 1; i <= kItems; ++i) addRow(i, 0, i, "Item " + std::to_string(i));
        commit();
        ShowWindow(hwndMainTV, SW_SHOW);
        load();
        paintNow();
    }
    static void paintNow() {
        RedrawWindow(hwndMain, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        device::runUntilIdle();
    }
    // The screen's pixel at a point of the main window's client area.
    static COLORREF atMain(int x, int y) {
        POINT p{x, y};
        ClientToScreen(hwndMain, &p);
        const gdi::Surface& s = device::screenSurface();
        return gdi::colorrefFromPixel(s.row(p.y)[p.x]);
    }
    // Rows of the outline's right-hand strip (where no text reaches) that
    // do not show the picture's row behind them.
    static int stripMismatches() {
        RECT client{};
        GetClientRect(hwndMainTV, &client);
        int wrong = 0;
        for (int y = 0; y < client.bottom; ++y) {
            POINT p{client.right - 4, y};
            MapWindowPoints(hwndMainTV, hwndMain, &p, 1);
            if (atMain(p.x, p.y) != pictures::bandColour(p.y)) ++wrong;
        }
        return wrong;
    }
    static int firstVisibleId() {
        HTREEITEM first = (HTREEITEM)SendMessageW(hwndMainTV, TVM_GETNEXTITEM, TVGN_FIRSTVISIBLE, 0);
        return (int)getItemId(hwndMainTV, first);
    }
};

TEST_F(OverPicture, ThePictureIsBehindTheOutlineAndAboveIt) {
    EXPECT_EQ(backgroundPictureInUse(), 1);
    EXPECT_EQ(stripMismatches(), 0);
    // Above the outline: the picture's own rows, from the top of the window.
    EXPECT_EQ(atMain(100, 3), pictures::bandColour(3));
    EXPECT_EQ(atMain(intWorkWidth - 1, intListBarBottom - 1), pictures::bandColour(intListBarBottom - 1));
    // Behind an item's text the picture shows between the letters.
    RECT label = labelOf(byId(3));
    MapWindowPoints(hwndMainTV, hwndMain, (POINT*)&label, 2);
    int picture = 0, all = 0;
    for (int y = label.top; y < label.bottom; ++y)
        for (int x = label.left; x < label.right; ++x, ++all)
            if (atMain(x, y) == pictures::bandColour(y)) ++picture;
    EXPECT_GT(picture, all / 2);
    EXPECT_LT(picture, all);  // and the text is drawn on it
}

TEST_F(OverPicture, ThePictureStaysWhereItIsWhileTheItemsScroll) {
    int before = firstVisibleId();
    SendMessageW(hwndMainTV, WM_VSCROLL, SB_PAGEDOWN, 0);
    device::runUntilIdle();
    EXPECT_GT(firstVisibleId(), before);
    EXPECT_EQ(stripMismatches(), 0);
    SendMessageW(hwndMainTV, WM_VSCROLL, SB_LINEDOWN, 0);
    device::runUntilIdle();
    EXPECT_EQ(stripMismatches(), 0);
    // Scrolling by the keys, which moves the outline without a scroll bar
    // message, keeps it too.
    SetFocus(hwndMainTV);
    SendMessageW(hwndMainTV, TVM_SELECTITEM, TVGN_CARET, (LPARAM)byId(kItems));
    device::runUntilIdle();
    EXPECT_GT(firstVisibleId(), before + 5);
    EXPECT_EQ(stripMismatches(), 0);
    SendMessageW(hwndMainTV, WM_VSCROLL, SB_TOP, 0);
    device::runUntilIdle();
    EXPECT_EQ(firstVisibleId(), 1);
    EXPECT_EQ(stripMismatches(), 0);
}

TEST_F(OverPicture, ASelectionChangeRepaintsItsRowsOverThePicture) {
    SetFocus(hwndMainTV);
    SendMessageW(hwndMainTV, TVM_SELECTITEM, TVGN_CARET, (LPARAM)byId(2));
    device::runUntilIdle();
    RECT label = labelOf(byId(2));
    POINT inside{label.left + 1, (label.top + label.bottom) / 2};
    MapWindowPoints(hwndMainTV, hwndMain, &inside, 1);
    EXPECT_EQ(atMain(inside.x, inside.y), 0xB90000u);
    SendMessageW(hwndMainTV, TVM_SELECTITEM, TVGN_CARET, (LPARAM)byId(4));
    device::runUntilIdle();
    // The old row shows the picture again where its highlight was.
    EXPECT_EQ(atMain(inside.x, inside.y), pictures::bandColour(inside.y));
    EXPECT_EQ(stripMismatches(), 0);
    // And the other rows kept their texts: item 3 still has dark pixels.
    RECT three = labelOf(byId(3));
    MapWindowPoints(hwndMainTV, hwndMain, (POINT*)&three, 2);
    int text = 0;
    for (int y = three.top; y < three.bottom; ++y)
        for (int x = three.left; x < three.right; ++x)
            if (atMain(x, y) != pictures::bandColour(y)) ++text;
    EXPECT_GT(text, 10);
}

TEST_F(OverPicture, WithTheOutlineHiddenTheWholeWorkAreaShowsThePicture) {
    ShowWindow(hwndMainTV, SW_HIDE);
    ShowWindow(hwndNotes, SW_HIDE);
    paintNow();
    for (int y = intListBarBottom + 2 * intScale; y < intWorkHeight; y += 9)
        ASSERT_EQ(atMain(intWorkWidth / 2, y), pictures::bandColour(y)) << y;
}

}  // namespace
}  // namespace outline_test
