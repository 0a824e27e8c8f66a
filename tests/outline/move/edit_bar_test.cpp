// The edit bar under the pen: where its buttons are, the pressed look that
// follows the pen, the button under the pen-up running its command, the
// taps that do nothing (disabled buttons, text editing, moves under the
// alphabetic sort), the tip after a second on the virtual clock with its
// place clamped to the screen, and the tap on the bare main window.
#include "move_fixture.h"

#include <memory>

#include "outline/item_clipboard.h"
#include "state/shell_calls.h"

namespace move_test {
namespace {

// --- geometry ------------------------------------------------------------------------

TEST(EditBarGeometry, ButtonsCountOnlyStrictlyInsideTheirColumns) {
    struct Case {
        int x, hiRes, button;
    } cases[] = {{7, 0, -1},   {8, 0, 0},    {24, 0, 0},   {25, 0, -1},  {27, 0, -1}, {31, 0, 1},
                 {143, 0, -1}, {150, 0, 5},  {214, 0, 8},  {230, 0, 8},  {231, 0, -1}, {239, 0, -1},
                 {8, 1, -1},   {9, 1, 0},    {44, 1, 0},   {45, 1, -1},  {431, 1, 8},  {466, 1, 8},
                 {467, 1, -1}, {300, 1, -1}, {302, 1, 5}};
    for (const Case& c : cases) EXPECT_EQ(editBarButtonAt(c.x, c.hiRes), c.button) << c.x << " hires " << c.hiRes;
}

TEST(EditBarGeometry, PressesNeedTheInsideOfTheRowsReleasesTakeTheirEdgesToo) {
    int savedBottom = intListBarBottom, savedHeight = intListBarHeight;
    intListBarBottom = 21;
    intListBarHeight = 20;
    for (int y : {21, 41}) {
        EXPECT_EQ(inEditBarRows(y, 0), 0) << y;
        EXPECT_EQ(inEditBarRows(y, 1), 1) << y;
    }
    EXPECT_EQ(inEditBarRows(22, 0), 1);
    EXPECT_EQ(inEditBarRows(40, 0), 1);
    EXPECT_EQ(inEditBarRows(20, 1), 0);
    EXPECT_EQ(inEditBarRows(42, 1), 0);
    intListBarBottom = savedBottom;
    intListBarHeight = savedHeight;
}

TEST(EditBarGeometry, TipsAreCentredOverTheirButtonAndKeptOnTheScreen) {
    EXPECT_EQ(editBarTipLeft(4, 40, 0, 240), 101 + (18 - 40) / 2);
    EXPECT_EQ(editBarTipLeft(0, 40, 0, 240), 0);       // would start left of the screen
    EXPECT_EQ(editBarTipLeft(8, 60, 0, 240), 180);     // would end right of it
    EXPECT_EQ(editBarTipLeft(8, 80, 1, 480), 400);
    EXPECT_EQ(editBarTipLeft(5, 74, 1, 480), 301 + (37 - 74) / 2);
    EXPECT_EQ(editBarTipLeft(8, 300, 0, 240), 0);      // wider than the screen: from its left edge
    EXPECT_EQ(editBarTipText(9), nullptr);
    EXPECT_EQ(editBarTipText(-1), nullptr);
}

// --- the pen on the bar ---------------------------------------------------------------

class EditBarTest : public MoveTest {
protected:
    void SetUp() override {
        MoveTest::SetUp();
        rows("A(B,C,D),E");
        showEditBar();
        select(3);
    }
    static int pressedButtons() {
        int mask = 0;
        for (int i = 0; i < 9; ++i)
            if (intEditBarState[i] & EDIT_BAR_STATE_PRESSED) mask |= 1 << i;
        return mask;
    }
    // A point of the main window between two buttons, inside the bar's rows.
    static POINT gapPoint() { return mainToScreen(130, intListBarBottom + intListBarHeight / 2); }
};

TEST_F(EditBarTest, ThePressedLookFollowsThePenAndThePenUpRunsTheButtonUnderIt) {
    ASSERT_EQ(intEditBarState[5], 2);
    penDownAt(buttonPoint(5));
    EXPECT_EQ(intPressedEditButton, 5);
    EXPECT_EQ(pressedButtons(), 1 << 5);
    EXPECT_EQ(GetCapture(), hwndMain);
    shot("edit_bar_pressed");
    penMoveTo(buttonPoint(6));
    EXPECT_EQ(intPressedEditButton, 6);
    EXPECT_EQ(pressedButtons(), 1 << 6);
    // Off the buttons nothing stays pressed, and sliding back presses nothing.
    penMoveTo(gapPoint());
    EXPECT_EQ(intPressedEditButton, -1);
    EXPECT_EQ(pressedButtons(), 0);
    penMoveTo(buttonPoint(5));
    EXPECT_EQ(pressedButtons(), 0);
    // The pen-up on Move Down runs Move Down.
    penUpAt(buttonPoint(5));
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(children(1), "2:1,4:2,3:3");
    EXPECT_EQ(selectedId(), 3);
    // Down on Move Down, up on Move Up: Move Up runs.
    penDownAt(buttonPoint(5));
    penMoveTo(buttonPoint(6));
    penUpAt(buttonPoint(6));
    EXPECT_EQ(children(1), "2:1,3:2,4:3");
    EXPECT_EQ(pressedButtons(), 0);
    EXPECT_EQ(intPressedEditButton, -1);
    // Move Right then Move Left, by the bar.
    tapButton(8);
    EXPECT_EQ(children(2), "3:1");
    tapButton(7);
    EXPECT_EQ(children(1), "2:1,3:3,4:4");
    EXPECT_EQ(field(2, "intNumChild"), "0");
}

TEST_F(EditBarTest, ADoubleTapActsAsTwoTaps) {
    POINT p = buttonPoint(6);
    device::penDown(p.x, p.y);
    device::penUp(p.x, p.y);
    device::penDown(p.x, p.y);
    device::penUp(p.x, p.y);
    device::runUntilIdle();
    EXPECT_EQ(children(1), "3:1,2:2,4:3");
    EXPECT_EQ(selectedId(), 3);
}

TEST_F(EditBarTest, DisabledButtonsTextEditingAndSortedMovesTakeNoTap) {
    std::string before = children(1);
    // Nothing selected: Cut, Copy, Delete, Duplicate and the moves are off.
    SendMessageW(hwndMainTV, TVM_SELECTITEM, TVGN_CARET, 0);
    updateMenus();
    for (int i : {0, 1, 3, 4, 5}) {
        penDownAt(buttonPoint(i));
        EXPECT_EQ(pressedButtons(), 0) << i;
        EXPECT_EQ(GetCapture(), nullptr) << i;
        penUpAt(buttonPoint(i));
    }
    EXPECT_TRUE(commands().empty());
    // Held on an enabled button, released on a disabled one: nothing runs.
    select(2);
    penDownAt(buttonPoint(5));
    penMoveTo(buttonPoint(6));
    EXPECT_EQ(intEditBarState[6] & EDIT_BAR_STATE_ENABLED, 0);
    penUpAt(buttonPoint(6));
    EXPECT_EQ(children(1), before);
    // While a text field has the focus the bar is all disabled.
    select(3);
    bTextEditActive = 1;
    tapButton(5);
    tapButton(0);
    EXPECT_EQ(children(1), before);
    EXPECT_TRUE(commands().empty());
    bTextEditActive = 0;
    // Under the alphabetic sort the move buttons do not even take the press.
    attrCurrentList.bAlphaSort = 1;
    updateMenus();
    penDownAt(buttonPoint(6));
    EXPECT_EQ(intPressedEditButton, -1);
    penUpAt(buttonPoint(6));
    EXPECT_EQ(children(1), before);
}

TEST_F(EditBarTest, TheItemButtonsRunTheItemCommands) {
    tapButton(1);  // Copy Item
    EXPECT_EQ(longClipboardID, 3);
    ASSERT_EQ(intEditBarState[2], 2);
    tapButton(2);  // Paste Item: a copy right after C
    EXPECT_EQ(sql("SELECT COUNT(*) FROM 'Groceries' WHERE strText='C' AND longParentID=1;"), "2");
    select(2);
    tapButton(3);  // Delete Item
    EXPECT_EQ(field(-2, "strText"), "B");
    select(4);
    tapButton(4);  // Duplicate Item
    EXPECT_EQ(sql("SELECT COUNT(*) FROM 'Groceries' WHERE strText='D';"), "2");
    select(5);
    tapButton(0);  // Cut Item
    EXPECT_EQ(longClipboardID, -5);
    EXPECT_EQ(commands(), (std::vector<int>{40076, 40077, 40072, 40080, 40075}));
    emptyItemClipboard();
}

// --- the tip -----------------------------------------------------------------------------

class EditBarTipTest : public EditBarTest {
protected:
    struct Seen {
        bool shown = false;
        std::u16string text;
        RECT rect{};
        bool captured = false;
        bool outlineFocused = false;
    };
    // The tip: a shown popup of the main window. It is never active.
    static HWND shownTip() {
        for (HWND w = GetWindow(GetDesktopWindow(), GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
            if (w != hwndMain && GetWindow(w, GW_OWNER) == hwndMain && IsWindowVisible(w)) return w;
        return nullptr;
    }
    // While the tip is up the idle driver looks at it, lets the tip's own
    // timer run with the pen still down, and then (with `lift`) lifts it.
    void watchTip(Seen* seen, POINT pen, bool holdPastCapture = true) {
        int* step = new int(0);
        steps.reset(step);
        device::headlessHost().setIdleDriver([=]() {
            HWND tip = shownTip();
            if (!tip) return false;
            if (*step == 0) {
                seen->shown = true;
                WCHAR text[40] = {};
                GetDlgItemTextW(tip, 1126, text, 40);
                seen->text = text;
                GetWindowRect(tip, &seen->rect);
                // The outline keeps the focus, and its selection the highlight.
                seen->outlineFocused = GetFocus() == hwndMainTV;
                shot("edit_bar_tip");
                if (!holdPastCapture) device::penUp(pen.x, pen.y);
                device::advanceClock(150);
                ++*step;
                return true;
            }
            seen->captured = GetCapture() == tip;
            device::penUp(pen.x, pen.y);
            ++*step;
            return true;
        });
    }
    std::unique_ptr<int> steps;
};

TEST_F(EditBarTipTest, HoldingAButtonForASecondShowsItsTipAboveTheBarAndRunsNothing) {
    Seen seen;
    POINT p = buttonPoint(5);
    watchTip(&seen, p);
    penDownAt(p);
    device::advanceClock(999);
    EXPECT_FALSE(seen.shown);
    device::advanceClock(2);
    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(seen.text, u"Move Down");
    EXPECT_TRUE(seen.captured);
    EXPECT_TRUE(seen.outlineFocused);
    RECT main{};
    GetWindowRect(hwndMain, &main);
    EXPECT_EQ(seen.rect.bottom, main.top + intListBarBottom);
    int width = seen.rect.right - seen.rect.left;
    EXPECT_EQ(seen.rect.left, editBarTipLeft(5, width, 0, intWorkWidth));
    EXPECT_GT(width, 40);
    // The tip is gone, the press ended, nothing moved.
    EXPECT_NE(GetActiveWindow(), nullptr);
    EXPECT_EQ(GetActiveWindow(), hwndMain);
    EXPECT_EQ(children(1), "2:1,3:2,4:3");
    EXPECT_EQ(intPressedEditButton, -1);
    EXPECT_EQ(pressedButtons(), 0);
    EXPECT_EQ(GetFocus(), hwndMainTV);
    EXPECT_TRUE(commands().empty());
}

TEST_F(EditBarTipTest, TheRightHandTipEndsAtTheScreensEdgeAndDisabledButtonsHaveTipsToo) {
    Seen seen;
    select(2);  // no previous sibling: Move Right is disabled
    ASSERT_EQ(intEditBarState[8], 1);
    POINT p = buttonPoint(8);
    watchTip(&seen, p);
    penDownAt(p);
    device::advanceClock(1100);
    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(seen.text, u"Move Right");
    EXPECT_EQ(seen.rect.right, intWorkWidth);
    EXPECT_EQ(children(1), "2:1,3:2,4:3");
}

TEST_F(EditBarTipTest, APenLiftedBeforeTheTipTookItStillClosesIt) {
    Seen seen;
    POINT p = buttonPoint(6);
    watchTip(&seen, p, false);
    penDownAt(p);
    device::advanceClock(1100);
    ASSERT_TRUE(seen.shown);
    EXPECT_FALSE(seen.captured);
    EXPECT_EQ(GetActiveWindow(), hwndMain);
    EXPECT_EQ(children(1), "2:1,3:2,4:3");
}

TEST_F(EditBarTipTest, APressWhosePenLiftedElsewhereShowsNoTip) {
    Seen seen;
    select(2);
    watchTip(&seen, buttonPoint(8));
    // A disabled button takes no capture: the pen-up lands on the outline.
    penDownAt(buttonPoint(8));
    POINT outline = onText(5, 0.5);
    penMoveTo(outline);
    device::penUp(outline.x, outline.y);
    device::advanceClock(1500);
    EXPECT_FALSE(seen.shown);
    EXPECT_EQ(intPressedEditButton, -1);
}

// --- the bare main window ------------------------------------------------------------------

TEST_F(EditBarTest, ATapBelowTheBarsWithoutListsStartsNewListAndItsPenUpIsSwallowed) {
    ShowWindow(hwndMainTV, SW_HIDE);
    intListCount = 0;
    POINT p = mainToScreen(100, 150);
    penDownAt(p);
    EXPECT_EQ(commands(), std::vector<int>{40039});
    EXPECT_EQ(bIgnorePenUp, 1);
    penUpAt(p);
    EXPECT_EQ(bIgnorePenUp, 0);
    // A tap in the list-name band does nothing here.
    penDownAt(mainToScreen(5, 5));
    penUpAt(mainToScreen(5, 5));
    EXPECT_EQ(commands().size(), 1u);
}

TEST_F(EditBarTest, ATapBelowTheBarsOfAnOpenListLoadsItAgain) {
    intListCount = 1;
    SendMessageW(hwndMainTV, TVM_DELETEITEM, 0, (LPARAM)TVI_ROOT);
    ShowWindow(hwndMainTV, SW_HIDE);
    POINT p = mainToScreen(100, 150);
    penDownAt(p);
    penUpAt(p);
    EXPECT_TRUE(IsWindowVisible(hwndMainTV));
    EXPECT_EQ(dump(), "[ ] A +\n  [ ] B\n  [ ] C\n  [ ] D\n[ ] E\n");
    EXPECT_EQ(GetFocus(), hwndMainTV);
    EXPECT_EQ(treeSelection(hwndMainTV), nullptr);
    EXPECT_EQ(bListLocked, 0);
}

}  // namespace
}  // namespace move_test
