// The four move commands: the places they refuse, the exchange of two
// leaves in place, reloads around parents, the new parent's and the old
// parent's children counts, orders renumbered, check propagation, and the
// alphabetic sort that keeps everything where it is.
#include "move_fixture.h"

namespace move_test {
namespace {

class MoveCommandTest : public MoveTest {
protected:
    // A  (B, C, D)  E  F
    void family() { rows("A(B,C,D),E,F"); }
    std::string table() { return column("SELECT longID||'/'||longParentID||'/'||longOrder FROM 'Groceries' ORDER BY longID;"); }
};

TEST_F(MoveCommandTest, MovesWithNowhereToGoChangeNothing) {
    family();
    std::string before = table();
    std::string shape = dump();
    select(2);
    moveItem(MOVE_UP);      // first child
    moveItem(MOVE_RIGHT);   // no previous sibling
    select(4);
    moveItem(MOVE_DOWN);    // last child
    select(1);
    moveItem(MOVE_LEFT);    // top level
    moveItem(MOVE_UP);
    select(6);
    moveItem(MOVE_DOWN);
    EXPECT_EQ(table(), before);
    EXPECT_EQ(dump(), shape);
    EXPECT_EQ(selectedId(), 6);
    // Without a selection nothing moves either.
    SendMessageW(hwndMainTV, TVM_SELECTITEM, TVGN_CARET, 0);
    moveItem(MOVE_DOWN);
    EXPECT_EQ(table(), before);
}

TEST_F(MoveCommandTest, DownOfALeafPastALeafTradesPlacesWithoutReloading) {
    family();
    setItemChecked(hwndMainTV, byId(3), 1);
    HTREEITEM firstNode = byId(3);
    HTREEITEM secondNode = byId(4);
    select(3);
    moveItem(MOVE_DOWN);
    EXPECT_EQ(children(1), "2:1,4:2,3:3");
    // The same two nodes, their contents exchanged: nothing was rebuilt.
    EXPECT_EQ(getItemId(hwndMainTV, firstNode), 4);
    EXPECT_EQ(getItemId(hwndMainTV, secondNode), 3);
    EXPECT_EQ(textOf(secondNode), "C");
    EXPECT_EQ(isItemChecked(hwndMainTV, secondNode), 1);
    EXPECT_EQ(isItemChecked(hwndMainTV, firstNode), 0);
    EXPECT_EQ(selectedId(), 3);
    EXPECT_EQ(GetFocus(), hwndMainTV);
    moveItem(MOVE_UP);
    moveItem(MOVE_UP);
    EXPECT_EQ(children(1), "3:1,2:2,4:3");
    EXPECT_EQ(selectedId(), 3);
}

TEST_F(MoveCommandTest, DownOfAParentReloadsAndKeepsItSelectedAndOpen) {
    family();
    select(1);
    moveItem(MOVE_DOWN);
    EXPECT_EQ(children(0), "5:1,1:2,6:3");
    EXPECT_EQ(dump(), "[ ] E\n[ ] A +\n  [ ] B\n  [ ] C\n  [ ] D\n[ ] F\n");
    EXPECT_EQ(selectedId(), 1);
}

TEST_F(MoveCommandTest, LeftOfAMiddleChildFollowsItsParentAndTheRestMoveOn) {
    family();
    select(3);
    moveItem(MOVE_LEFT);
    EXPECT_EQ(children(0), "1:1,3:2,5:3,6:4");
    EXPECT_EQ(children(1), "2:1,4:3");
    EXPECT_EQ(field(1, "intNumChild"), "1");
    EXPECT_EQ(dump(), "[ ] A +\n  [ ] B\n  [ ] D\n[ ] C\n[ ] E\n[ ] F\n");
    EXPECT_EQ(selectedId(), 3);
    // The last child leaving a parent at the end of the list: it goes last,
    // and a parent left without children says so.
    addRow(7, 6, 1, "G");
    sql("UPDATE 'Groceries' SET intNumChild=1, bNodeExpand=1 WHERE longID=6;");
    load();
    select(7);
    moveItem(MOVE_LEFT);
    EXPECT_EQ(children(0), "1:1,3:2,5:3,6:4,7:5");
    EXPECT_EQ(field(6, "intNumChild"), "0");
    EXPECT_FALSE(hasChildren(hwndMainTV, byId(6)));
}

TEST_F(MoveCommandTest, RightIntoACollapsedSiblingMakesTheLastChildAndOpensIt) {
    family();
    sql("UPDATE 'Groceries' SET bNodeExpand=0 WHERE longID=1;");
    load();
    select(5);
    moveItem(MOVE_RIGHT);
    EXPECT_EQ(children(1), "2:1,3:2,4:3,5:4");
    EXPECT_EQ(children(0), "1:1,6:3");
    EXPECT_EQ(field(1, "intNumChild"), "1");
    // Made visible: the sibling opened and remembers it.
    EXPECT_EQ(field(1, "bNodeExpand"), "1");
    EXPECT_EQ(selectedId(), 5);
    EXPECT_EQ(isItemVisible(hwndMainTV, byId(5)), 1);
    // A leaf receiving its first child gets the children count.
    select(6);
    moveItem(MOVE_UP);
    moveItem(MOVE_DOWN);
    select(6);
    moveItem(MOVE_RIGHT);
    EXPECT_EQ(children(1), "2:1,3:2,4:3,5:4,6:5");
}

TEST_F(MoveCommandTest, AlphabeticSortKeepsEveryItemWhereItIs) {
    family();
    attrCurrentList.bAlphaSort = 1;
    load();
    std::string before = table();
    select(3);
    for (int d : {MOVE_DOWN, MOVE_UP, MOVE_LEFT, MOVE_RIGHT}) moveItem(d);
    EXPECT_EQ(table(), before);
    // Under the check sort alone the items move, and a leaf that trades
    // places with one of another mark is sorted back by a reload.
    attrCurrentList.bAlphaSort = 0;
    attrCurrentList.bCheckSort = 1;
    sql("UPDATE 'Groceries' SET bChecked=1 WHERE longID=4;");
    load();
    select(3);
    moveItem(MOVE_DOWN);
    EXPECT_EQ(children(1), "2:1,4:2,3:3");
    EXPECT_EQ(dump(), "[ ] A +\n  [ ] B\n  [ ] C\n  [x] D\n[ ] E\n[ ] F\n");
    EXPECT_EQ(selectedId(), 3);
}

TEST_F(MoveCommandTest, AutomaticCheckingFollowsTheItemToItsNewParent) {
    attrCurrentList.bAutoCheck = 1;
    begin();
    addRow(1, 0, 1, "A", 1, 1, 1);
    addRow(2, 1, 1, "B", 1);
    addRow(3, 0, 2, "C", 0, 1, 1);
    addRow(4, 3, 1, "D", 1);
    addRow(5, 3, 2, "E", 0);
    addRow(6, 0, 3, "F", 0);
    commit();
    load();
    // An unchecked item going into a complete parent makes it incomplete.
    select(6);
    moveItem(MOVE_RIGHT);
    EXPECT_EQ(field(3, "bChecked"), "0");
    // The only unchecked child leaving makes its old parent complete.
    select(5);
    moveItem(MOVE_LEFT);
    EXPECT_EQ(field(3, "bChecked"), "0");  // F is still under C, unchecked
    select(6);
    moveItem(MOVE_LEFT);
    EXPECT_EQ(field(3, "bChecked"), "1");
    EXPECT_EQ(isItemChecked(hwndMainTV, byId(3)), 1);
    // Each item that left C follows it directly: F before E.
    EXPECT_EQ(children(0), "1:1,3:2,6:3,5:4");
    EXPECT_EQ(children(3), "4:1");
}

TEST_F(MoveCommandTest, SiblingsSharingAnOrderNumberStillTradePlaces) {
    begin();
    addRow(1, 0, 1, "A");
    addRow(2, 0, 2, "B");
    addRow(3, 0, 2, "C");
    addRow(4, 0, 3, "D");
    commit();
    load();
    ASSERT_EQ(dump(), "[ ] A\n[ ] B\n[ ] C\n[ ] D\n");
    select(2);
    moveItem(MOVE_DOWN);
    load();
    EXPECT_EQ(dump(), "[ ] A\n[ ] C\n[ ] B\n[ ] D\n");
    select(2);
    moveItem(MOVE_UP);
    load();
    EXPECT_EQ(dump(), "[ ] A\n[ ] B\n[ ] C\n[ ] D\n");
}

TEST_F(MoveCommandTest, MovingRightKeepsALongTextWithQuotesWhole) {
    std::string text = "It's " + std::string(87, 'x') + " 'q' ok";
    ASSERT_EQ(text.size(), 99u);
    begin();
    addRow(1, 0, 1, "A");
    addRow(2, 0, 2, text);
    commit();
    load();
    select(2);
    moveItem(MOVE_RIGHT);
    EXPECT_EQ(field(2, "longParentID"), "1");
    EXPECT_EQ(field(2, "strText"), text);
}

}  // namespace
}  // namespace move_test
