// Undo of the last Delete or Cut: the item comes back with its subtree as the
// last child of its former parent (or at the top level when that parent is
// gone), and an Undo that finds nothing changes nothing.
#include "bulk_fixture.h"

using namespace bulktest;
using res::kCmdItemCut;
using res::kCmdItemDelete;
using res::kCmdItemPaste;
using res::kCmdUndo;

namespace {

class Undo : public BulkTest {
protected:
    // Dairy > Milk (checked, expanded, with a note) > Skim, Dairy > Cheese,
    // and Bread at the top level.
    void groceries() {
        addRow(1, 0, 1, "Dairy", 0, 2, 1);
        addRow(2, 1, 1, "Milk", 1, 1, 1, 1, 1, "semi-skimmed");
        addRow(3, 2, 1, "Skim", 1);
        addRow(4, 1, 2, "Cheese");
        addRow(5, 0, 2, "Bread");
        open();
    }
    void removeWith(UINT command_, LONG id) {
        select(id);
        command(command_);
    }
    std::string orders(LONG parent) {
        return column("SELECT strText||':'||longOrder FROM 'Groceries' WHERE longParentID=" + std::to_string(parent) +
                      " AND longID > 0 ORDER BY longOrder;");
    }
};

TEST_F(Undo, ADeletedItemComesBackLastUnderItsParentWithEverythingBelowIt) {
    groceries();
    removeWith(kCmdItemDelete, 2);
    EXPECT_EQ(bUndoAvailable, 2);
    EXPECT_TRUE(enabled(kCmdUndo));
    EXPECT_EQ(dump(), "[ ] Dairy +\n  [ ] Cheese\n[ ] Bread\n");

    command(kCmdUndo);
    EXPECT_EQ(dump(), "[ ] Dairy +\n  [ ] Cheese\n  [x] Milk +\n    [x] Skim\n[ ] Bread\n");
    EXPECT_EQ(orders(1), "Cheese:1,Milk:2");
    EXPECT_EQ(field(2, "strNoteText"), "semi-skimmed");
    EXPECT_EQ(bUndoAvailable, 0);
    EXPECT_FALSE(enabled(kCmdUndo));

    // A top-level item returns at the end of the top level.
    removeWith(kCmdItemDelete, 1);
    command(kCmdUndo);
    EXPECT_EQ(orders(0), "Bread:1,Dairy:2");
}

TEST_F(Undo, AParentThatLostItsOnlyChildHasChildrenAgain) {
    groceries();
    removeWith(kCmdItemDelete, 3);
    EXPECT_EQ(field(2, "intNumChild"), "0");
    command(kCmdUndo);
    EXPECT_GT(std::stoi(field(2, "intNumChild")), 0);
    EXPECT_EQ(getChildrenFlag(hwndMainTV, byId(2)), 1);
    EXPECT_EQ(textOf(treeFirstChild(hwndMainTV, byId(2))), "Skim");
}

TEST_F(Undo, OnlyTheLastDeleteCanBeUndone) {
    groceries();
    removeWith(kCmdItemDelete, 4);
    removeWith(kCmdItemDelete, 5);
    EXPECT_EQ(rows("longID < 0"), "-5");
    command(kCmdUndo);
    EXPECT_EQ(rows(), "1,2,3,5");
    EXPECT_EQ(dump(), "[ ] Dairy +\n  [x] Milk +\n    [x] Skim\n[ ] Bread\n");
}

TEST_F(Undo, ACutItemReturnsToItsParentAndAPasteThenMovesIt) {
    groceries();
    removeWith(kCmdItemCut, 4);
    EXPECT_EQ(longClipboardID, -4);
    command(kCmdUndo);
    // Cut leaves the numbers of the siblings as they were; last is enough.
    EXPECT_EQ(dump(), "[ ] Dairy +\n  [x] Milk +\n    [x] Skim\n  [ ] Cheese\n[ ] Bread\n");
    EXPECT_EQ(longClipboardID, -4);

    removeWith(kCmdItemPaste, 5);
    EXPECT_EQ(orders(1), "Milk:1");
    EXPECT_EQ(orders(0), "Dairy:1,Bread:2,Cheese:3");
    EXPECT_EQ(rows(), "1,2,3,4,5");
    EXPECT_FALSE(enabled(kCmdUndo));
}

TEST_F(Undo, ARowThatIsGoneLeavesEverythingAsItWasAndUndoEnabled) {
    groceries();
    removeWith(kCmdItemDelete, 4);
    sqlite3_exec(dbCurrent, "DELETE FROM 'Groceries' WHERE longID=-4;", nullptr, nullptr, nullptr);
    const std::string before = dump();
    command(kCmdUndo);
    EXPECT_EQ(dump(), before);
    EXPECT_EQ(bUndoAvailable, 4);
    EXPECT_TRUE(enabled(kCmdUndo));
}

TEST_F(Undo, AnItemWhoseParentWentOrIsParkedComesBackAtTheTopLevel) {
    groceries();
    removeWith(kCmdItemDelete, 3);
    // Delete Checked takes Milk, the parent Skim was parked under.
    command(res::kCmdDeleteChecked);
    EXPECT_EQ(rows(), "-3,1,4,5");
    command(kCmdUndo);
    EXPECT_EQ(field(3, "longParentID"), "0");
    EXPECT_EQ(orders(0), "Dairy:1,Bread:2,Skim:3");
    EXPECT_EQ(dump(), "[ ] Dairy +\n  [ ] Cheese\n[ ] Bread\n[x] Skim\n");

    // The same when the parent is itself parked (cut, say) at the time.
    addRow(-10, 0, 9, "Frozen", 0, 1);
    addRow(-11, 10, 1, "Peas");
    bUndoAvailable = 11;
    command(kCmdUndo);
    EXPECT_EQ(field(11, "longParentID"), "0");
    EXPECT_EQ(textOf(treeNextSibling(hwndMainTV, byId(3))), "Peas");
}

TEST_F(Undo, WithAutomaticCheckingTheParentIsDecidedAgain) {
    addRow(1, 0, 1, "Dairy", 0, 2, 1);
    addRow(2, 1, 1, "Milk", 1);
    addRow(3, 1, 2, "Cheese");
    attrCurrentList.bAutoCheck = 1;
    open();
    removeWith(kCmdItemDelete, 3);
    EXPECT_EQ(field(1, "bChecked"), "1");
    command(kCmdUndo);
    EXPECT_EQ(field(1, "bChecked"), "0");
    EXPECT_EQ(dump(), "[ ] Dairy +\n  [x] Milk\n  [ ] Cheese\n");
}

TEST_F(Undo, TheLastItemOfTheListBringsTheOutlineAndItsPanesBack) {
    addRow(1, 0, 1, "Milk");
    open();
    removeWith(kCmdItemDelete, 1);
    EXPECT_FALSE(IsWindowVisible(hwndMainTV));
    EXPECT_FALSE(IsWindowVisible(hwndSplitter));
    command(kCmdUndo);
    EXPECT_EQ(dump(), "[ ] Milk\n");
    EXPECT_TRUE(IsWindowVisible(hwndMainTV));
    EXPECT_TRUE(IsWindowVisible(hwndNotes));
    EXPECT_TRUE(IsWindowVisible(hwndSplitter));
}

TEST_F(Undo, ALiveRowOfTheSameNumberIsNeverTakenForTheRestoredOne) {
    addRow(1, 0, 1, "Milk");
    addRow(-1, 0, 2, "Milk, parked");
    EXPECT_EQ(restoreParkedItem(dbCurrent, strCurrentList, 1), -1);
    EXPECT_EQ(rows(), "-1,1");
    EXPECT_EQ(field(1, "longOrder"), "1");
    EXPECT_EQ(restoreParkedItem(dbCurrent, strCurrentList, 7), -1);
}

}  // namespace
