// Dragging items by pen: the zones of a node (before, into, after), the
// drops that are refused with a beep, the rebuilt subtree and the stored
// move with the children counts and completion counts of both parents, the
// automatic scrolling on the virtual clock, and the rules behind them.
#include "move_fixture.h"

namespace move_test {
namespace {

// --- the rules ---------------------------------------------------------------------

TEST(DragRules, ANodesTextSplitsIntoQuartersAndAMiddleHalf) {
    RECT text{10, 20, 80, 36};  // 16 high: quarters of 4
    EXPECT_EQ(dropPlaceFor(20, text), DROP_BEFORE);
    EXPECT_EQ(dropPlaceFor(23, text), DROP_BEFORE);
    EXPECT_EQ(dropPlaceFor(24, text), DROP_INTO);
    EXPECT_EQ(dropPlaceFor(32, text), DROP_INTO);
    EXPECT_EQ(dropPlaceFor(33, text), DROP_AFTER);
    EXPECT_EQ(dropPlaceFor(35, text), DROP_AFTER);
    EXPECT_EQ(isBetweenZone(23, text), 1);
    EXPECT_EQ(isBetweenZone(28, text), 0);
    EXPECT_EQ(isBetweenZone(33, text), 1);
}

TEST(DragRules, TheOutlineScrollsFasterTheFurtherThePenIsBeyondItsEdges) {
    const int top = 0, bottom = 200;
    // Inside, away from the edges: never.
    for (unsigned tick = 1; tick <= 12; ++tick) EXPECT_EQ(dragScrollStep(tick, 100, top, bottom), 0);
    // Near the top edge: every sixth tick; at it and above: every tick.
    int near = 0;
    for (unsigned tick = 1; tick <= 12; ++tick) near += dragScrollStep(tick, 7, top, bottom) != 0;
    EXPECT_EQ(near, 2);
    for (unsigned tick = 1; tick <= 12; ++tick) EXPECT_EQ(dragScrollStep(tick, 4, top, bottom), -1);
    EXPECT_EQ(dragScrollStep(5, -60, top, bottom), -1);
    // Near the bottom edge: every sixth tick; below it, down on every tick,
    // however far below (never up).
    int low = 0;
    for (unsigned tick = 1; tick <= 12; ++tick) low += dragScrollStep(tick, 195, top, bottom);
    EXPECT_EQ(low, 2);
    for (int y : {201, 250, 300, 301, 900}) EXPECT_EQ(dragScrollStep(7, y, top, bottom), 1) << y;
}

// --- drags by pen -------------------------------------------------------------------

class DragDropTest : public MoveTest {
protected:
    // A (B, C)  D  E (F)
    void family() { rows("A(B,C),D,E(F)"); }
    std::string table() {
        return column("SELECT longID||'/'||longParentID||'/'||longOrder||'/'||intNumChild FROM 'Groceries' ORDER BY longID;");
    }
};

TEST_F(DragDropTest, DroppingOnTheMiddleOfANodeMakesTheFirstChild) {
    family();
    sql("UPDATE 'Groceries' SET bNote=1, strNoteText='two pints' WHERE longID=4;");
    load();
    dragTo(onText(4, 0.5), onText(5, 0.5));
    EXPECT_GT(GetWindowTextLengthW(hwndNotes), 0);  // the pen-down selected D
    penUpAt(onText(5, 0.5));
    EXPECT_EQ(bDragging, 0);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(children(5), "4:1,6:2");
    EXPECT_EQ(children(0), "1:1,5:3");
    EXPECT_EQ(dump(), "[ ] A +\n  [ ] B\n  [ ] C\n[ ] E +\n  [ ] D\n  [ ] F\n");
    // Nothing stays selected or highlighted, and no note is shown.
    EXPECT_EQ(treeSelection(hwndMainTV), nullptr);
    EXPECT_EQ(treeDropHighlight(hwndMainTV), nullptr);
    EXPECT_EQ(GetWindowTextLengthW(hwndNotes), 0);
    EXPECT_EQ(field(4, "strNoteText"), "two pints");
    // A leaf receiving a child gets its children mark and count.
    dragAndDrop(onText(2, 0.5), onText(3, 0.5));
    EXPECT_EQ(field(3, "intNumChild"), "1");
    EXPECT_EQ(children(3), "2:1");
    EXPECT_EQ(children(1), "3:2");
    EXPECT_EQ(beeps(), 0);
}

TEST_F(DragDropTest, TheUpperQuarterPutsItBeforeTheLowerQuarterAfter) {
    family();
    dragAndDrop(onText(6, 0.5), onText(4, 0.0));
    EXPECT_EQ(children(0), "1:1,6:2,4:3,5:4");
    // E lost its only child: no children mark, no count.
    EXPECT_EQ(field(5, "intNumChild"), "0");
    EXPECT_FALSE(hasChildren(hwndMainTV, byId(5)));
    EXPECT_EQ(getChildrenFlag(hwndMainTV, byId(5)), 0);
    dragAndDrop(onText(1, 0.5), onText(5, 1.0));
    EXPECT_EQ(children(0), "6:2,4:3,5:4,1:5");
    // Before the very first node of the list.
    dragAndDrop(onText(5, 0.5), onText(6, 0.0));
    EXPECT_EQ(children(0), "5:2,6:3,4:4,1:6");
    EXPECT_EQ(dump(), "[ ] E\n[ ] F\n[ ] D\n[ ] A +\n  [ ] B\n  [ ] C\n");
}

TEST_F(DragDropTest, DropsOntoItselfItsSubtreeOrIntoItsOwnParentBeepAndChangeNothing) {
    family();
    std::string before = table();
    std::string shape = dump();
    dragAndDrop(onText(1, 0.5), onText(1, 0.9));   // itself
    dragAndDrop(onText(1, 0.5), onText(3, 0.5));   // its own child
    dragAndDrop(onText(2, 0.5), onText(1, 0.5));   // the middle of its own parent
    EXPECT_EQ(beeps(), 3);
    EXPECT_EQ(table(), before);
    EXPECT_EQ(dump(), shape);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(bDragging, 0);
    // A pen lifted over no node at all (below the last row) is refused too:
    // no node was ever under it.
    RECT client{};
    GetClientRect(hwndMainTV, &client);
    POINT below{client.right / 2, client.bottom - 2};
    ClientToScreen(hwndMainTV, &below);
    SendMessageW(hwndMainTV, TVM_SELECTITEM, TVGN_DROPHILITE, 0);
    penDownAt(onText(4, 0.5));
    penMoveTo(POINT{onText(4, 0.5).x + 10, onText(4, 0.5).y});
    penUpAt(below);
    EXPECT_EQ(beeps(), 4);
    EXPECT_EQ(table(), before);
    // The upper quarter of its own parent is a place of its own.
    dragAndDrop(onText(2, 0.5), onText(1, 0.0));
    EXPECT_EQ(children(0), "2:1,1:2,4:3,5:4");
    EXPECT_EQ(children(1), "3:2");
    EXPECT_EQ(beeps(), 4);
}

TEST_F(DragDropTest, ASubtreeMovesWholeAndKeepsItsStoredExpansion) {
    begin();
    addRow(1, 0, 1, "A", 0, 1, 1);
    addRow(2, 1, 1, "B", 0, 1, 1);
    addRow(3, 2, 1, "C", 1);
    addRow(4, 1, 2, "G", 0, 1, 0);
    addRow(5, 4, 1, "H");
    addRow(7, 0, 2, "D");
    commit();
    load();
    dragAndDrop(onText(1, 0.5), onText(7, 1.0));
    EXPECT_EQ(children(0), "7:2,1:3");
    EXPECT_EQ(dump(), "[ ] D\n[ ] A +\n  [ ] B +\n    [x] C\n  [ ] G\n    [ ] H\n");
}

TEST_F(DragDropTest, CountsAndChecksOfBothParentsFollowTheDrop) {
    attrCurrentList.intCompletionShow = 1;
    attrCurrentList.bAutoCheck = 1;
    begin();
    addRow(1, 0, 1, "A", 0, 1, 1);
    addRow(2, 1, 1, "B", 1);
    addRow(3, 1, 2, "C", 0);
    addRow(4, 0, 2, "D", 1, 1, 1);
    addRow(5, 4, 1, "E", 1);
    commit();
    load();
    ASSERT_EQ(textOf(byId(1)), "A [1/2]");
    // The unchecked C goes to the complete D: A becomes complete, D not.
    dragAndDrop(onText(3, 0.5), onText(5, 1.0));
    EXPECT_EQ(textOf(byId(1)), "A [1/1]");
    EXPECT_EQ(textOf(byId(4)), "D [1/2]");
    EXPECT_EQ(field(1, "bChecked"), "1");
    EXPECT_EQ(field(4, "bChecked"), "0");
    // B leaves A empty: A shows its plain text.
    dragAndDrop(onText(2, 0.5), onText(4, 0.0));
    EXPECT_EQ(textOf(byId(1)), "A");
    EXPECT_EQ(field(1, "intNumChild"), "0");
}

TEST_F(DragDropTest, UnderTheCheckSortADropOutOfOrderIsSortedAgain) {
    attrCurrentList.bCheckSort = 1;
    begin();
    addRow(1, 0, 1, "A");
    addRow(2, 0, 2, "B");
    addRow(3, 0, 3, "C", 1);
    commit();
    load();
    ASSERT_EQ(dump(), "[ ] A\n[ ] B\n[x] C\n");
    dragAndDrop(onText(3, 0.5), onText(1, 0.0));
    EXPECT_EQ(dump(), "[ ] A\n[ ] B\n[x] C\n");
    EXPECT_EQ(children(0), "3:1,1:2,2:3");
}

TEST_F(DragDropTest, UnderTheAlphabeticSortADragOnlyBeeps) {
    family();
    attrCurrentList.bAlphaSort = 1;
    load();
    std::string before = table();
    dragAndDrop(onText(4, 0.5), onText(1, 0.5));
    EXPECT_EQ(beeps(), 1);
    EXPECT_EQ(bDragging, 0);
    EXPECT_EQ(table(), before);
}

TEST_F(DragDropTest, ThePenUpOfADragIsNeverSwallowedByAnEarlierTap) {
    family();
    // What a tap on the bare window and a cancelled list drop-down leave
    // behind when their own pen-up went elsewhere.
    bIgnorePenUp = 1;
    bListDropDownCancelled = 1;
    dragAndDrop(onText(4, 0.5), onText(1, 0.0));
    EXPECT_EQ(bDragging, 0);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(children(0), "4:1,1:2,5:4");
    EXPECT_EQ(bIgnorePenUp, 0);
    EXPECT_EQ(bListDropDownCancelled, 0);
}

TEST_F(DragDropTest, HoldingThePenAtTheBottomEdgeScrollsOnTheClock) {
    begin();
    for (int i = 1; i <= 40; ++i) addRow(i, 0, i, "Item " + std::to_string(i));
    commit();
    load();
    RECT client{};
    GetClientRect(hwndMainTV, &client);
    POINT edge{40, client.bottom + 30};
    ClientToScreen(hwndMainTV, &edge);
    dragTo(onText(1, 0.5), edge);
    ASSERT_EQ(bDragging, 1);
    HTREEITEM firstBefore = treeFirstVisible(hwndMainTV);
    ASSERT_EQ(getItemId(hwndMainTV, firstBefore), 1);
    shot("drag_scrolling_before");
    device::advanceClock(25 * 4);
    LONG firstAfter = getItemId(hwndMainTV, treeFirstVisible(hwndMainTV));
    EXPECT_EQ(firstAfter, 5);
    // The highlighted node is the last one on view, where the drop would go.
    int shown = (int)SendMessageW(hwndMainTV, TVM_GETVISIBLECOUNT, 0, 0);
    EXPECT_EQ(getItemId(hwndMainTV, treeDropHighlight(hwndMainTV)), firstAfter + shown - 1);
    shot("drag_scrolling_after");
    // Back inside, the scrolling stops.
    POINT inside = onText(firstAfter + 3, 0.5);
    penMoveTo(inside);
    device::advanceClock(25 * 12);
    EXPECT_EQ(getItemId(hwndMainTV, treeFirstVisible(hwndMainTV)), firstAfter);
    // Up at the top edge, every tick.
    POINT above{40, -20};
    ClientToScreen(hwndMainTV, &above);
    penMoveTo(above);
    device::advanceClock(25 * 3);
    EXPECT_EQ(getItemId(hwndMainTV, treeFirstVisible(hwndMainTV)), firstAfter - 3);
    penUpAt(above);
    EXPECT_EQ(bDragging, 0);
    // The timer is gone with the drag.
    device::advanceClock(25 * 8);
    EXPECT_EQ(getItemId(hwndMainTV, treeFirstVisible(hwndMainTV)), firstAfter - 3);
}

TEST_F(DragDropTest, TheDragImageShowsTheZoneAndFollowsThePen) {
    family();
    dragTo(onText(4, 0.5), onText(5, 0.5));
    POINT image{};
    POINT hot{};
    ASSERT_NE(ImageList_GetDragImage(&image, &hot), nullptr);
    EXPECT_EQ(bDropBetween, 0);
    EXPECT_EQ(bDropBetweenShown, 0);
    POINT pen = onText(5, 0.5);
    ScreenToClient(hwndMainTV, &pen);
    EXPECT_EQ(image.x, pen.x - ptDragHotSpot.x);
    EXPECT_EQ(image.y, pen.y - ptDragHotSpot.y);
    EXPECT_EQ(ptDragHotSpot.y, intTreeFontHeight / 2);
    EXPECT_EQ(getItemId(hwndMainTV, treeDropHighlight(hwndMainTV)), 5);
    shot("drag_into");
    penMoveTo(onText(5, 0.0));
    EXPECT_EQ(bDropBetween, 1);
    EXPECT_EQ(bDropBetweenShown, 1);
    shot("drag_between");
    penUpAt(onText(5, 0.0));
    EXPECT_EQ(ImageList_GetDragImage(nullptr, nullptr), nullptr);
    EXPECT_EQ(children(0), "1:1,4:3,5:4");
}

}  // namespace
}  // namespace move_test
