// The main window's own painting: background, padlocks, edit bar and the
// notices of an empty database and of no database.
#include <cstdlib>

#include "outline/tree/outline_fixture.h"
#include "platform/gdi/png_io.h"

namespace outline_test {
namespace {

class MainPaint : public OutlineTest {
protected:
    static COLORREF at(int x, int y) {
        POINT p{x, y};
        ClientToScreen(hwndMain, &p);
        const gdi::Surface& s = device::screenSurface();
        return gdi::colorrefFromPixel(s.pixels[(size_t)p.y * s.width + p.x]);
    }
    static int count(RECT area, COLORREF colour) {
        int n = 0;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x)
                if (at(x, y) == colour) ++n;
        return n;
    }
    void paint() {
        RedrawWindow(hwndMain, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        device::runUntilIdle();
    }
    void shot(const char* name) {
        const char* dir = std::getenv("QP_SCREENSHOT_DIR");
        EXPECT_TRUE(gdi::writePng(device::screenSurface(), std::string(dir ? dir : root.c_str()) + "/" + name));
    }
    RECT below() const { return RECT{0, intListBarBottom + intScale, intWorkWidth, intWorkHeight}; }
};

TEST_F(MainPaint, NoDatabaseNoticeOnlyAfterStartUp) {
    bNoDatabase = 1;
    bStarting = 1;
    paint();
    EXPECT_EQ(count(below(), 0x000000), 0);
    bStarting = 0;
    paint();
    EXPECT_GT(count(below(), 0x000000), 30);
    // The separator line under the list-name bar.
    EXPECT_EQ(at(5, intListBarBottom), 0x000000u);
    shot("main_no_database.png");
}

TEST_F(MainPaint, NoListsNoticeInTheListNameColour) {
    bNoLists = 1;
    attrCurrentList.crListName = 0x0000FF;
    paint();
    EXPECT_GT(count(below(), 0x0000FF), 10);
    EXPECT_EQ(at(5, intListBarBottom + 30), attrCurrentList.crBackground);
    shot("main_no_lists.png");
}

TEST_F(MainPaint, LockedListShowsThePadlockScreen) {
    attrCurrentList.bPassword = 1;
    bListLocked = 1;
    attrCurrentList.crItemLevel1 = 0x00DC00;
    paint();
    EXPECT_GT(count(below(), 0x00DC00), 20);
    // The small padlock at the left of the list-name band is not background.
    RECT band{0, 0, intUnit + 12, intListBarBottom};
    EXPECT_LT(count(band, attrCurrentList.crBackground), (intUnit + 12) * intListBarBottom);
    shot("main_locked.png");
}

TEST_F(MainPaint, EditBarFollowsButtonStatesAndTextEditing) {
    addRow(1, 0, 1, "Milk");
    load();
    bEditBarVisible = 1;
    hwndListCombo = hwndNotes;  // any window: the bar is drawn only beside a list combo box
    SetWindowPos(hwndMainTV, nullptr, 0, intListBarBottom + 1 + intListBarHeight, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    paint();
    RECT bar{0, intListBarBottom + intScale, intWorkWidth, intListBarBottom + intListBarHeight};
    EXPECT_GT(count(bar, 0xFFB7B7), 20);
    const gdi::Surface before = device::screenSurface();
    intEditBarState[0] = 2;
    paint();
    const gdi::Surface enabled = device::screenSurface();
    EXPECT_NE(before.pixels, enabled.pixels);
    shot("main_edit_bar.png");
    bTextEditActive = 1;
    paint();
    EXPECT_NE(device::screenSurface().pixels, enabled.pixels);
    hwndListCombo = nullptr;
}

}  // namespace
}  // namespace outline_test
