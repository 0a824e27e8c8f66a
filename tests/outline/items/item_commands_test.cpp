// New Item, New Sub-Item, Delete and Hide/Show on a real outline over a list
// table: the rows they store, where the nodes go, and what the parent, the
// panes and the undo state look like afterwards.
#include <cstring>

#include "items_fixture.h"
#include "outline/item_clipboard.h"
#include "outline/item_commands.h"
#include "outline/tree_ops.h"
#include "state/app_state.h"

using namespace itemtest;

namespace {

class NewItems : public ItemCommandTest {
protected:
    void fiveSiblings() {
        for (long id = 1; id <= 5; ++id) row(id, 0, id, "Item " + std::to_string(id));
        load();
    }
};

TEST_F(NewItems, NewItemAfterTheThirdOfFiveIsStoredWithOrderFourAndEditedWithOneBlank) {
    fiveSiblings();
    select(3);
    onNewItem(hwndMain, 40013, nullptr, 0);
    EXPECT_EQ(q("SELECT longParentID||'/'||longOrder||'/'||strText||'/'||bDisplay FROM 'Groceries' WHERE longID=6;"),
              "0/4//1");
    EXPECT_EQ(bOrderDirty, 1);
    HTREEITEM fresh = treeNextSibling(hwndMainTV, node(3));
    ASSERT_NE(fresh, nullptr);
    EXPECT_EQ(getItemId(hwndMainTV, fresh), 6);
    EXPECT_EQ(textOf(fresh), u" ");
    ASSERT_NE(editor(), nullptr);
    EXPECT_EQ(windowText(editor()), u" ");
    EXPECT_EQ(SendMessageW(editor(), EM_GETLIMITTEXT, 0, 0), 99);
    EXPECT_EQ(bLabelEditAllowed, 1);
    EXPECT_EQ(treeSelection(hwndMainTV) == fresh || treeSelection(hwndMainTV) == nullptr, true);
    // The new item shares 4 with Item 4 until its label is confirmed; only
    // then do the later siblings move down.
    EXPECT_EQ(children(0), "Item 1:1,Item 2:2,Item 3:3,Item 4:4,:4,Item 5:5");
}

TEST_F(NewItems, NewSubItemUnderACollapsedItemExpandsItAndAppendsAnEmptyChild) {
    row(1, 0, 1, "Milk", 1);
    row(2, 1, 1, "Skim");
    row(3, 0, 2, "Bread");
    load();
    select(1);
    onNewSubItem(hwndMain, 40078, nullptr, 0);
    EXPECT_EQ(q("SELECT longParentID||'/'||longOrder FROM 'Groceries' WHERE longID=4;"), "1/2");
    EXPECT_TRUE(SendMessageW(hwndMainTV, TVM_GETITEMSTATE, (WPARAM)node(1), TVIS_EXPANDED) & TVIS_EXPANDED);
    EXPECT_EQ(getItemId(hwndMainTV, treeNextSibling(hwndMainTV, node(2))), 4);
    ASSERT_NE(editor(), nullptr);
    EXPECT_EQ(windowText(editor()), u"");
    cancelEdit();

    // A childless item becomes a parent in its row and in the outline.
    select(3);
    onNewSubItem(hwndMain, 40014, nullptr, 0);
    EXPECT_EQ(q("SELECT intNumChild FROM 'Groceries' WHERE longID=3;"), "1");
    EXPECT_EQ(getChildrenFlag(hwndMainTV, node(3)), 1);
    EXPECT_EQ(q("SELECT longParentID||'/'||longOrder FROM 'Groceries' WHERE longID=5;"), "3/1");
}

TEST_F(NewItems, NothingSelectedAppendsATopLevelItemAndAHiddenOutlineComesBack) {
    row(1, 0, 7, "Milk");
    load();
    SendMessageW(hwndMainTV, TVM_SELECTITEM, TVGN_CARET, 0);
    onNewSubItem(hwndMain, 40014, nullptr, 0);
    EXPECT_EQ(q("SELECT longParentID||'/'||longOrder FROM 'Groceries' WHERE longID=2;"), "0/8");
    cancelEdit();

    // An empty list: the outline was hidden and shows again for the item.
    SendMessageW(hwndMainTV, TVM_DELETEITEM, 0, (LPARAM)TVI_ROOT);
    ShowWindow(hwndMainTV, SW_HIDE);
    onNewItem(hwndMain, 40013, nullptr, 0);
    EXPECT_TRUE(IsWindowVisible(hwndMainTV));
    EXPECT_EQ(getItemId(hwndMainTV, treeRoot(hwndMainTV)), 3);
}

TEST_F(NewItems, WithoutADatabaseNothingHappens) {
    dbCurrent = nullptr;
    onNewItem(hwndMain, 40013, nullptr, 0);
    onNewSubItem(hwndMain, 40014, nullptr, 0);
    EXPECT_EQ(treeRoot(hwndMainTV), nullptr);
    EXPECT_EQ(editor(), nullptr);
    EXPECT_EQ(bOrderDirty, 0);
}

TEST_F(NewItems, AutoCheckUnchecksTheNewItemsAncestors) {
    attrCurrentList.bAutoCheck = 1;
    row(1, 0, 1, "Trip", 1, 1, 1, 1);
    row(2, 1, 1, "Bags", 1, 1, 1, 1);
    row(3, 2, 1, "Socks", 0, 1);
    load();
    select(2);
    onNewSubItem(hwndMain, 40014, nullptr, 0);
    EXPECT_EQ(col("SELECT bChecked FROM 'Groceries' WHERE longID IN (1,2,3) ORDER BY longID;"), "0,0,1");
    EXPECT_EQ(isItemChecked(hwndMainTV, node(1)), 0);
}

class Deleting : public ItemCommandTest {
protected:
    // Milk (1) with Skim (2) and Whole (3); Bread (4); Eggs (5).
    void groceries() {
        row(1, 0, 1, "Milk", 1, 0, 1, 1);
        row(2, 1, 1, "Skim");
        row(3, 1, 2, "Whole");
        row(4, 0, 2, "Bread");
        row(5, 0, 3, "Eggs");
        load();
    }
};

TEST_F(Deleting, TheWarningCanCancelAndOkParksTheItemAndRenumbersItsSiblings) {
    groceries();
    bWarningMessage = 1;
    dialogs().answer = 2;
    select(4);
    onDeleteItem(hwndMain, 40072, nullptr, 0);
    EXPECT_EQ(dialogs().shown,
              (std::vector<std::string>{
                  "Deletion Warning|Do you want to delete the selected item in the current list?|49"}));
    EXPECT_NE(node(4), nullptr);
    EXPECT_EQ(bUndoAvailable, 0);
    EXPECT_EQ(GetFocus(), hwndMainTV);

    dialogs().answer = 1;
    onDeleteItem(hwndMain, 40072, nullptr, 0);
    EXPECT_EQ(node(4), nullptr);
    EXPECT_EQ(q("SELECT strText FROM 'Groceries' WHERE longID=-4;"), "Bread");
    EXPECT_EQ(bUndoAvailable, 4);
    EXPECT_EQ(children(0), "Milk:1,Eggs:2");
    EXPECT_EQ(treeSelection(hwndMainTV), nullptr);
}

TEST_F(Deleting, AFailureHalfWayKeepsTheFileAndTheOutlineAsTheyWere) {
    groceries();
    select(2);
    onDeleteItem(hwndMain, 40072, nullptr, 0);  // Skim parked, purged by the next Delete
    char error[200];
    // Renumbering the top level fails, after the purge and the parking.
    ASSERT_EQ(executeSql(db,
                         "CREATE TRIGGER stop BEFORE UPDATE OF longOrder ON 'Groceries' BEGIN "
                         "SELECT RAISE(ABORT, 'storage failed'); END;",
                         error, sizeof error),
              101);
    select(4);
    onDeleteItem(hwndMain, 40072, nullptr, 0);
    EXPECT_EQ(col("SELECT longID FROM 'Groceries' ORDER BY longID;"), "-2,1,3,4,5");
    EXPECT_NE(node(4), nullptr);
    EXPECT_EQ(bUndoAvailable, 2);
    EXPECT_EQ(sqlite3_get_autocommit(db), 1);
}

TEST_F(Deleting, WithoutTheWarningSettingNothingIsAsked) {
    groceries();
    select(5);
    onDeleteItem(hwndMain, 40072, nullptr, 0);
    EXPECT_TRUE(dialogs().shown.empty());
    EXPECT_EQ(nodeTexts(nullptr), "Milk,Bread");
}

TEST_F(Deleting, TheOnlyChildTakesTheParentsMarkAndCountWithIt) {
    attrCurrentList.intCompletionShow = 1;
    row(1, 0, 1, "Milk", 1, 0, 1, 1);
    row(2, 1, 1, "Skim");
    load();
    setItemText(hwndMainTV, node(1), u"Milk [0/1]");
    select(2);
    onDeleteItem(hwndMain, 40072, nullptr, 0);
    EXPECT_EQ(q("SELECT intNumChild FROM 'Groceries' WHERE longID=1;"), "0");
    EXPECT_EQ(getChildrenFlag(hwndMainTV, node(1)), 0);
    EXPECT_EQ(textOf(node(1)), u"Milk");
}

TEST_F(Deleting, AutoCheckReconsidersTheParentWhenItsLastUncheckedChildGoes) {
    attrCurrentList.bAutoCheck = 1;
    row(1, 0, 1, "Milk", 1, 0, 1, 1);
    row(2, 1, 1, "Skim", 0, 1);
    row(3, 1, 2, "Whole", 0, 0);
    load();
    select(3);
    onDeleteItem(hwndMain, 40072, nullptr, 0);
    EXPECT_EQ(q("SELECT bChecked FROM 'Groceries' WHERE longID=1;"), "1");
    EXPECT_EQ(isItemChecked(hwndMainTV, node(1)), 1);
}

TEST_F(Deleting, TheLastItemHidesTheOutlineAndItsPanes) {
    row(1, 0, 1, "Milk");
    load();
    select(1);
    onDeleteItem(hwndMain, 40072, nullptr, 0);
    EXPECT_FALSE(IsWindowVisible(hwndMainTV));
    EXPECT_FALSE(IsWindowVisible(hwndSplitter));
    EXPECT_FALSE(IsWindowVisible(hwndNotes));
    onNewItem(hwndMain, 40013, nullptr, 0);
    EXPECT_TRUE(IsWindowVisible(hwndMainTV));
}

TEST_F(Deleting, ASecondDeletePurgesTheFirstWithItsSubtree) {
    groceries();
    select(1);
    onDeleteItem(hwndMain, 40072, nullptr, 0);
    select(5);
    onDeleteItem(hwndMain, 40072, nullptr, 0);
    EXPECT_EQ(col("SELECT longID FROM 'Groceries' ORDER BY longID;"), "-5,4");
    EXPECT_EQ(bUndoAvailable, 5);
}

TEST_F(Deleting, ACutItemStillOnTheClipboardOutlivesTheNextDelete) {
    groceries();
    select(1);
    onCutItem(hwndMain, 40075, nullptr, 0);
    select(5);
    onDeleteItem(hwndMain, 40072, nullptr, 0);
    EXPECT_EQ(col("SELECT longID FROM 'Groceries' ORDER BY longID;"), "-5,-1,2,3,4");
    select(4);
    onPasteItem(hwndMain, 40077, nullptr, 0);
    EXPECT_EQ(nodeTexts(nullptr), "Bread,Milk");
    EXPECT_EQ(nodeTexts(node(1)), "Skim,Whole");
    // Once pasted it is live again; the next purge leaves it alone.
    select(4);
    onDeleteItem(hwndMain, 40072, nullptr, 0);
    EXPECT_EQ(col("SELECT longID FROM 'Groceries' ORDER BY longID;"), "-4,1,2,3");
}

TEST_F(Deleting, WithNoSelectionNothingHappens) {
    groceries();
    bWarningMessage = 1;
    onDeleteItem(hwndMain, 40072, nullptr, 0);
    onHideShowItem(hwndMain, 40073, nullptr, 0);
    onDuplicateItem(hwndMain, 40080, nullptr, 0);
    EXPECT_TRUE(dialogs().shown.empty());
    EXPECT_EQ(q("SELECT COUNT(*) FROM 'Groceries';"), "5");
}

class HideShow : public ItemCommandTest {};

TEST_F(HideShow, ShowingAHiddenItemUnderAHiddenParentShowsBoth) {
    row(1, 0, 1, "Trip", 1, 0, 0, 1);
    row(2, 1, 1, "Tent", 1, 0, 0, 1);
    row(3, 2, 1, "Pegs", 0, 0, 0);
    load();
    select(3);
    onHideShowItem(hwndMain, 40073, nullptr, 0);
    EXPECT_EQ(col("SELECT bDisplay FROM 'Groceries' ORDER BY longID;"), "1,1,1");
    EXPECT_EQ(selectedId(), 3);
    onHideShowItem(hwndMain, 40073, nullptr, 0);
    EXPECT_EQ(col("SELECT bDisplay FROM 'Groceries' ORDER BY longID;"), "1,1,0");
}

TEST_F(HideShow, WithHidingOnTheHiddenItemLeavesTheOutline) {
    attrCurrentList.bShowHiddenItems = 1;
    attrCurrentList.intCompletionShow = 1;
    row(1, 0, 1, "Trip", 1, 0, 1, 1);
    row(2, 1, 1, "Tent");
    load();
    select(2);
    onHideShowItem(hwndMain, 40073, nullptr, 0);
    EXPECT_EQ(q("SELECT bDisplay FROM 'Groceries' WHERE longID=2;"), "0");
    EXPECT_EQ(node(2), nullptr);
    EXPECT_EQ(getChildrenFlag(hwndMainTV, node(1)), 0);
    // The row is still a child; only the outline filters it out.
    EXPECT_EQ(q("SELECT intNumChild FROM 'Groceries' WHERE longID=1;"), "1");
    EXPECT_EQ(textOf(node(1)), u"Trip");
}

}  // namespace
