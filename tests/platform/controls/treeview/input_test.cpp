// Pen and keys through the device's input path: taps on each part of a row,
// double taps, dragging, tap-and-hold and the keyboard.
#include "tv_fixture.h"

using namespace tvtest;

namespace {

class Input : public TreeTest {
protected:
    void SetUp() override {
        TreeTest::SetUp();
        makeTree(TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_CHECKBOXES);
        a = add(TVI_ROOT, "a");
        a1 = add(a, "a1");
        b = add(TVI_ROOT, "b");
        device::runUntilIdle();
        parent().take();
    }
    POINT labelPoint(HTREEITEM item) {
        RECT r = itemRect(item, true);
        return POINT{r.left + 3, r.top + 3};
    }
    void key(UINT vk) {
        device::keyDown(vk);
        device::keyUp(vk);
        device::runUntilIdle();
    }
    HTREEITEM a, a1, b;
};

TEST_F(Input, ATapOnALabelClicksThenSelectsByMouse) {
    POINT p = labelPoint(b);
    tap(p.x, p.y);
    EXPECT_EQ(parent().take(), (Lines{"NM_SETFOCUS", "NM_CLICK", "SELCHANGING(1,0,b)", "SELCHANGED(1,0,b)"}));
    EXPECT_EQ(GetFocus(), tree);
    EXPECT_EQ(GetCapture(), nullptr);
    // A parent that handles the click keeps the selection where it was.
    parent().answers[NM_CLICK] = 1;
    p = labelPoint(a);
    tap(p.x, p.y);
    EXPECT_EQ(parent().take(), (Lines{"NM_CLICK"}));
    EXPECT_EQ((HTREEITEM)send(TVM_GETNEXTITEM, TVGN_CARET), b);
}

TEST_F(Input, ATapOnTheButtonTogglesWithNotificationsEveryTime) {
    RECT row = itemRect(a, false);
    tap(9, row.top + 3);
    EXPECT_EQ(parent().take(), (Lines{"NM_SETFOCUS", "NM_CLICK", "EXPANDING(2,a)", "EXPANDED(2,a)"}));
    device::advanceClock(1000);  // not a double tap
    tap(9, row.top + 3);
    EXPECT_EQ(parent().take(), (Lines{"NM_CLICK", "EXPANDING(1,a)", "EXPANDED(1,a)"}));
    device::advanceClock(1000);
    tap(9, row.top + 3);
    EXPECT_EQ(parent().take(), (Lines{"NM_CLICK", "EXPANDING(2,a)", "EXPANDED(2,a)"}));
}

TEST_F(Input, ATapOnTheCheckBoxTogglesTheStateImage) {
    RECT label = itemRect(b, true);
    tap(label.left - 5, label.top + 3);
    EXPECT_EQ(STATEIMAGEINDEX(stateOf(b)), 2u);
    EXPECT_EQ(parent().take(), (Lines{"NM_SETFOCUS", "NM_CLICK"}));
    device::advanceClock(1000);
    tap(label.left - 5, label.top + 3);
    EXPECT_EQ(STATEIMAGEINDEX(stateOf(b)), 1u);
}

TEST_F(Input, ADoubleTapReportsAndTogglesUnlessTheParentSaysNo) {
    POINT p = labelPoint(a);
    tap(p.x, p.y);
    tap(p.x, p.y);
    EXPECT_EQ(parent().take(), (Lines{"NM_SETFOCUS", "NM_CLICK", "SELCHANGING(1,0,a)", "SELCHANGED(1,0,a)",
                                      "NM_DBLCLK", "EXPANDING(2,a)", "EXPANDED(2,a)"}));
    device::advanceClock(1000);
    parent().answers[NM_DBLCLK] = 1;
    tap(p.x, p.y);
    tap(p.x, p.y);
    EXPECT_EQ(parent().take(), (Lines{"NM_CLICK", "NM_DBLCLK"}));
    EXPECT_TRUE(stateOf(a) & TVIS_EXPANDED);
}

TEST_F(Input, MovingPastTheDragThresholdBeginsADragAndLetsGoOfThePen) {
    POINT p = labelPoint(b);
    penDownAt(p.x, p.y);
    penMoveTo(p.x + 2, p.y + 1);  // within the threshold: still a tap
    EXPECT_EQ(parent().take(), (Lines{"NM_SETFOCUS"}));
    EXPECT_EQ(GetCapture(), tree);
    penMoveTo(p.x + 12, p.y + 1);
    EXPECT_EQ(parent().take(), (Lines{"BEGINDRAG(b," + std::to_string(p.x) + "," + std::to_string(p.y) + ")"}));
    EXPECT_EQ(GetCapture(), nullptr);
    penUpAt(p.x + 12, p.y + 1);
    EXPECT_EQ(parent().take(), Lines{});
    EXPECT_EQ(send(TVM_GETNEXTITEM, TVGN_CARET), 0);
    // No dragging in a tree that forbids it: the tap stays a tap.
    SetWindowLongW(tree, GWL_STYLE, GetWindowLongW(tree, GWL_STYLE) | TVS_DISABLEDRAGDROP);
    device::advanceClock(1000);
    penDownAt(p.x, p.y);
    penMoveTo(p.x + 12, p.y + 1);
    penUpAt(p.x + 12, p.y + 1);
    EXPECT_EQ(parent().take(), (Lines{"NM_CLICK", "SELCHANGING(1,0,b)", "SELCHANGED(1,0,b)"}));
}

TEST_F(Input, HoldingThePenStillOpensTheContextMenuAtTheScreenPoint) {
    POINT p = labelPoint(a);
    penDownAt(p.x, p.y);
    device::advanceClock(300);
    EXPECT_EQ(parent().take(), (Lines{"NM_SETFOCUS"}));
    device::advanceClock(300);
    POINT screen = p;
    ClientToScreen(tree, &screen);
    EXPECT_EQ(parent().take(), (Lines{"SELCHANGING(1,0,a)", "SELCHANGED(1,0,a)",
                                      "CONTEXTMENU(" + std::to_string(screen.x) + "," + std::to_string(screen.y) + ",a)"}));
    penUpAt(p.x, p.y);
    EXPECT_EQ(parent().take(), Lines{});  // the hold was the whole gesture
    // Lifting early is a tap, and no menu follows.
    device::advanceClock(1000);
    p = labelPoint(b);
    penDownAt(p.x, p.y);
    device::advanceClock(200);
    penUpAt(p.x, p.y);
    device::advanceClock(1000);
    EXPECT_EQ(parent().take(), (Lines{"NM_CLICK", "SELCHANGING(1,a,b)", "SELCHANGED(1,a,b)"}));
}

TEST_F(Input, KeysMoveTheSelectionAndOpenAndCloseBranches) {
    SetFocus(tree);
    parent().take();
    key(VK_DOWN);
    EXPECT_EQ(parent().take(), (Lines{"SELCHANGING(2,0,a)", "SELCHANGED(2,0,a)"}));
    key(VK_RIGHT);
    EXPECT_EQ(parent().take(), (Lines{"EXPANDING(2,a)", "EXPANDED(2,a)"}));
    key(VK_RIGHT);
    EXPECT_EQ(parent().take(), (Lines{"SELCHANGING(2,a,a1)", "SELCHANGED(2,a,a1)"}));
    key(VK_DOWN);
    EXPECT_EQ((HTREEITEM)send(TVM_GETNEXTITEM, TVGN_CARET), b);
    key(VK_HOME);
    EXPECT_EQ((HTREEITEM)send(TVM_GETNEXTITEM, TVGN_CARET), a);
    key(VK_END);
    EXPECT_EQ((HTREEITEM)send(TVM_GETNEXTITEM, TVGN_CARET), b);
    key(VK_UP);
    EXPECT_EQ((HTREEITEM)send(TVM_GETNEXTITEM, TVGN_CARET), a1);
    key(VK_LEFT);
    EXPECT_EQ((HTREEITEM)send(TVM_GETNEXTITEM, TVGN_CARET), a);
    parent().take();
    key(VK_LEFT);
    EXPECT_EQ(parent().take(), (Lines{"EXPANDING(1,a)", "EXPANDED(1,a)"}));
    key(VK_SPACE);
    EXPECT_EQ(STATEIMAGEINDEX(stateOf(a)), 2u);
    key(VK_RETURN);
    EXPECT_EQ(parent().take(), (Lines{"NM_RETURN"}));
}

}  // namespace

namespace {

// A recognizer as a host would install it: here it says "held" at once for
// pens that went down on the right half of the tree.
bool recognizeRightHalf(HWND, POINT pt) { return pt.x >= 100; }

TEST_F(Input, AnInstalledRecognizerDecidesTheHoldAtThePenDown) {
    device::setTreeViewGestureRecognizer(recognizeRightHalf);
    POINT p = labelPoint(a);
    penDownAt(p.x, p.y);
    penUpAt(p.x, p.y);
    EXPECT_EQ(parent().take(), (Lines{"NM_SETFOCUS", "NM_CLICK", "SELCHANGING(1,0,a)", "SELCHANGED(1,0,a)"}));
    device::advanceClock(1000);
    RECT label = itemRect(b, true);
    SendMessageW(tree, TVM_SETINDENT, 110, 0);  // moves the labels to the right half
    label = itemRect(b, true);
    penDownAt(label.left + 2, label.top + 2);
    Lines lines = parent().take();
    device::setTreeViewGestureRecognizer(nullptr);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[2].rfind("CONTEXTMENU(", 0), 0u);
    EXPECT_EQ(GetCapture(), nullptr);
    penUpAt(label.left + 2, label.top + 2);
    EXPECT_EQ(parent().take(), Lines{});
}

}  // namespace
