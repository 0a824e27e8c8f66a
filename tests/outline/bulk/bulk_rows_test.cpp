// Check All, Uncheck All, Expand All, Collapse All and Delete Checked: the
// rows they change (parked ones included or spared) and the outline they
// leave.
#include "bulk_fixture.h"
#include "outline/checked_rows.h"

using namespace bulktest;
using res::kCmdCheckAll;
using res::kCmdCollapseAll;
using res::kCmdDeleteChecked;
using res::kCmdExpandAll;
using res::kCmdUncheckAll;

namespace {

class WholeList : public BulkTest {
protected:
    // Milk (with Skim and Whole), Bread, and Eggs parked by a Delete with
    // its child Brown still naming it.
    void groceries() {
        addRow(1, 0, 1, "Milk", 0, 2, 0);
        addRow(2, 1, 1, "Skim");
        addRow(3, 1, 2, "Whole");
        addRow(4, 0, 2, "Bread");
        addRow(-5, 0, 3, "Eggs", 0, 1);
        addRow(6, 5, 1, "Brown");
        bUndoAvailable = 5;
        open();
    }
};

TEST_F(WholeList, CheckAllReachesParkedRowsTooAndUncheckAllClearsEveryRow) {
    groceries();
    attrCurrentList.bAutoCheck = 1;
    attrCurrentList.intCompletionShow = 1;
    command(kCmdCheckAll);
    EXPECT_EQ(column("SELECT DISTINCT bChecked FROM 'Groceries';"), "1");
    EXPECT_EQ(dump(), "[x] Milk [2/2]\n  [x] Skim\n  [x] Whole\n[x] Bread\n");
    command(kCmdUncheckAll);
    EXPECT_EQ(column("SELECT DISTINCT bChecked FROM 'Groceries';"), "0");
    EXPECT_EQ(dump(), "[ ] Milk [0/2]\n  [ ] Skim\n  [ ] Whole\n[ ] Bread\n");
    // The parked item comes back as the list now is.
    command(kCmdCheckAll);
    command(res::kCmdUndo);
    EXPECT_EQ(dump(), "[x] Milk [2/2]\n  [x] Skim\n  [x] Whole\n[x] Bread\n[x] Eggs [1/1]\n  [x] Brown\n");
}

TEST_F(WholeList, ExpandAllIsStoredInTheRowsSoALaterLoadKeepsIt) {
    groceries();
    command(kCmdExpandAll);
    EXPECT_EQ(column("SELECT DISTINCT bNodeExpand FROM 'Groceries';"), "1");
    EXPECT_EQ(dump(), "[ ] Milk +\n  [ ] Skim\n  [ ] Whole\n[ ] Bread\n");
    // Leaving the list and coming back loads it from the rows again.
    SendMessageW(hwndMainTV, TVM_DELETEITEM, 0, (LPARAM)TVI_ROOT);
    load();
    EXPECT_EQ(dump(), "[ ] Milk +\n  [ ] Skim\n  [ ] Whole\n[ ] Bread\n");
    command(kCmdCollapseAll);
    EXPECT_EQ(column("SELECT DISTINCT bNodeExpand FROM 'Groceries';"), "0");
    EXPECT_EQ(dump(), "[ ] Milk\n  [ ] Skim\n  [ ] Whole\n[ ] Bread\n");
    EXPECT_FALSE(SendMessageW(hwndMainTV, TVM_GETITEMSTATE, (WPARAM)byId(1), TVIS_EXPANDED) & TVIS_EXPANDED);
}

// --- Delete Checked -----------------------------------------------------------------

class DeleteChecked : public BulkTest {};

TEST_F(DeleteChecked, AsksFirstWhenWarningsAreOnAndCancelChangesNothing) {
    addRow(1, 0, 1, "Milk", 1);
    addRow(2, 0, 2, "Bread");
    open();
    bWarningMessage = 1;
    dialogs().answer = 2;
    command(kCmdDeleteChecked);
    ASSERT_EQ(dialogs().shown.size(), 1u);
    EXPECT_EQ(dialogs().shown[0], "Deletion Warning|Do you want to delete all checked items in the current list?|49");
    EXPECT_EQ(rows(), "1,2");
    EXPECT_EQ(GetFocus(), hwndMainTV);

    dialogs().answer = 1;
    command(kCmdDeleteChecked);
    EXPECT_EQ(rows(), "2");
    EXPECT_EQ(dump(), "[ ] Bread\n");

    // Without warnings nothing is asked.
    bWarningMessage = 0;
    sqlite3_exec(dbCurrent, "UPDATE 'Groceries' SET bChecked=1;", nullptr, nullptr, nullptr);
    load();
    command(kCmdDeleteChecked);
    EXPECT_EQ(dialogs().shown.size(), 2u);
    EXPECT_EQ(rows(), "");
    // The last item went: the main window's empty face shows.
    EXPECT_FALSE(IsWindowVisible(hwndMainTV));
    EXPECT_FALSE(IsWindowVisible(hwndNotes));
    EXPECT_FALSE(IsWindowVisible(hwndSplitter));
}

TEST_F(DeleteChecked, ACheckedItemGoesWithItsWholeSubtreeAndParentsAreRecounted) {
    addRow(1, 0, 1, "Dairy", 0, 1, 1);
    addRow(2, 1, 1, "Milk", 1, 2, 1);   // checked, with unchecked children
    addRow(3, 2, 1, "Skim", 0, 1, 1);
    addRow(4, 3, 1, "Organic");
    addRow(5, 2, 2, "Whole");
    addRow(6, 0, 2, "Bread", 0, 2, 1);
    addRow(7, 6, 1, "Rye", 1);
    addRow(8, 6, 2, "Wheat");
    addRow(9, 0, 3, "Hidden and checked", 1, 0, 0, 0);
    open();
    select(8);
    command(kCmdDeleteChecked);
    // Nothing is left behind that no item reaches; filtered-out items count.
    EXPECT_EQ(rows(), "1,6,8");
    EXPECT_EQ(field(1, "intNumChild"), "0");
    EXPECT_EQ(field(6, "intNumChild"), "1");
    EXPECT_EQ(dump(), "[ ] Dairy\n[ ] Bread +\n  [ ] Wheat\n");
    // A parent that lost all its children has no expand button.
    EXPECT_EQ(getChildrenFlag(hwndMainTV, byId(1)), 0);
    EXPECT_EQ(treeSelection(hwndMainTV), nullptr);
    EXPECT_EQ(GetFocus(), hwndMainTV);
    EXPECT_FALSE(enabled(res::kCmdCut));
}

TEST_F(DeleteChecked, ParkedItemsStayWholeForUndoAndTheClipboard) {
    addRow(1, 0, 1, "Dairy", 0, 1, 1);
    addRow(-2, 1, 1, "Milk", 1, 1, 1);  // deleted, waiting for Undo
    addRow(3, 2, 1, "Skim", 1);
    addRow(-4, 0, 2, "Cheese", 1, 1);   // cut, on the clipboard
    addRow(5, 4, 1, "Brie", 1);
    addRow(6, 0, 3, "Bread", 1);
    sqlite3_exec(dbCurrent, "UPDATE 'Groceries' SET intNumChild=0 WHERE longID=1;", nullptr, nullptr, nullptr);
    open();
    bUndoAvailable = 2;
    command(kCmdDeleteChecked);
    EXPECT_EQ(rows(), "-4,-2,1,3,5");
    EXPECT_EQ(field(-2, "intNumChild"), "1");
    EXPECT_EQ(field(-4, "intNumChild"), "1");

    command(res::kCmdUndo);
    EXPECT_EQ(dump(), "[ ] Dairy +\n  [x] Milk +\n    [x] Skim\n");
}

TEST_F(DeleteChecked, TheTablePartReportsWhatItDidAndIsAllOrNothing) {
    addRow(1, 0, 1, "Milk", 0, 1);
    addRow(2, 1, 1, "Skim", 1);
    addRow(3, 0, 2, "Bread");
    EXPECT_EQ(deleteCheckedRows(dbCurrent, "Groceries"), 1);
    EXPECT_EQ(rows(), "1,3");
    EXPECT_EQ(field(1, "intNumChild"), "0");
    EXPECT_EQ(deleteCheckedRows(dbCurrent, "Groceries"), 0);
    EXPECT_EQ(deleteCheckedRows(dbCurrent, "No such list"), -1);

    // A row that cannot be deleted (a trigger refuses it) undoes the rest.
    addRow(4, 0, 3, "Eggs", 1);
    addRow(5, 0, 4, "Jam", 1);
    sqlite3_exec(dbCurrent,
                 "CREATE TRIGGER keep BEFORE DELETE ON 'Groceries' WHEN old.longID = 5 "
                 "BEGIN SELECT RAISE(ABORT, 'kept'); END;",
                 nullptr, nullptr, nullptr);
    EXPECT_EQ(deleteCheckedRows(dbCurrent, "Groceries"), -1);
    EXPECT_EQ(rows(), "1,3,4,5");
}

}  // namespace
