// New, Rename and Delete List and the list switch on a list database: the
// tables and attribute rows, the box, the bar and the current-list state,
// the name dialogs' refusals, and failures that leave the file as it was.
#include <cstring>
#include <string>

#include "crypto/cipher.h"
#include "lists/list_management.h"
#include "lists/list_passwords.h"
#include "lists_fixture.h"
#include "outline/item_clipboard.h"
#include "resources/resource_ids.h"
#include "state/app_state.h"

using namespace liststest;

namespace {

class ListManagementTest : public ListsTest {
protected:
    // One step of the name dialog: type `name`, then press `button`.
    std::function<void()> name(const std::string& typed, int button = res::kIdOk) {
        return [this, typed, button] {
            if (!dialog) dialog = activeDialog();
            setField(dialog, res::kIdListNameEdit, typed);
            click(dialog, button);
        };
    }
    void run(LRESULT (*command)(HWND, int, HWND, int), int id, std::vector<std::function<void()>> list) {
        dialog = nullptr;
        Steps steps{list};
        play(steps);
        command(hwndMain, id, nullptr, 0);
        EXPECT_EQ(steps.next, list.size()) << "the dialog closed early";
    }
    std::string tables() {
        return col("SELECT name FROM sqlite_master WHERE type='table' AND name NOT IN "
                   "('VersionData','ListAttributes') ORDER BY name;");
    }
    std::string rows() { return col("SELECT strListName FROM ListAttributes ORDER BY strListName;"); }
    std::string active() { return col("SELECT strListName FROM ListAttributes WHERE bActive=1;"); }
    // Chooses entry `index` of the box as the pen would, with its notifications.
    void choose(int index) {
        SendMessageW(hwndListCombo, CB_SETCURSEL, WPARAM(index), 0);
        onListCombo(hwndMain, 6000, hwndListCombo, CBN_SELCHANGE);
        onListCombo(hwndMain, 6000, hwndListCombo, CBN_CLOSEUP);
    }
    HWND dialog = nullptr;
};

TEST_F(ListManagementTest, NewListCopiesTheLookButNeverThePassword) {
    ListAttributes look = defaultListAttributes();
    look.crBackground = 0x123456;
    look.bAlphaSort = 1;
    look.bPassword = 1;
    addList("Old", {"x"}, &look);
    makeCurrent("Old");
    ASSERT_EQ(setCipherKey("abcd"), 0);
    WCHAR v[80];
    makePasswordVerifier(v);
    std::memcpy(attrCurrentList.strPassword, v, sizeof v);
    ShowWindow(hwndMainTV, SW_SHOW);

    run(onNewList, 40039, {name("  Fresh list  ")});
    EXPECT_EQ(tables(), "Fresh list,Old");
    EXPECT_EQ(rows(), "Fresh list,Old");
    EXPECT_EQ(active(), "Fresh list");
    EXPECT_STREQ(strCurrentList, "Fresh list");
    EXPECT_EQ(q("SELECT crBackground || '/' || bAlphaSort || '/' || bPassword || '/' || strPassword FROM "
                "ListAttributes WHERE strListName='Fresh list';"),
              std::to_string(0x123456) + "/1/0/");
    EXPECT_EQ(attrCurrentList.bPassword, 0);
    EXPECT_EQ(utf8(attrCurrentList.strListName), "Fresh list");
    // The clauses are those of an unprotected list.
    EXPECT_EQ(std::string(strOrderClause).find("strTextForSort"), std::string::npos);
    EXPECT_EQ(boxEntries(), "Fresh list,Old");
    EXPECT_EQ(text(hwndListName), "Fresh list");
    EXPECT_EQ(intListCount, 2);
    EXPECT_EQ(intListIndex, 0);
    EXPECT_EQ(SendMessageW(hwndMainTV, TVM_GETCOUNT, 0, 0), 0);
    EXPECT_FALSE(IsWindowVisible(hwndMainTV));
    EXPECT_EQ(bNoLists, 0);
    EXPECT_EQ(bListLocked, 0);
}

TEST_F(ListManagementTest, NewListNameDialogRefusesBadNamesAndKeepsAsking) {
    addList("Groceries");
    makeCurrent("Groceries");
    run(onNewList, 40039, {name(""), name("    "), name("Bob's"), name("GROCERIES"), name(" groceries "),
                           name("Hardware")});
    EXPECT_EQ(messages().shown,
              (std::vector<std::string>{"Warning Message|Need to enter a valid list name!|48",
                                        "Warning Message|Need to enter a valid list name!|48",
                                        "Warning Message|List name cannot contain single quote characters.|48",
                                        "Warning Message|List name is not unique|48",
                                        "Warning Message|List name is not unique|48"}));
    EXPECT_EQ(tables(), "Groceries,Hardware");
}

TEST_F(ListManagementTest, NamesAreCutToThirtyNineCharacters) {
    run(onNewList, 40039, {name(std::string(45, 'n'))});
    EXPECT_EQ(strlen(strCurrentList), 39u);
    EXPECT_EQ(tables(), std::string(39, 'n'));
    EXPECT_EQ(rows(), std::string(39, 'n'));
}

TEST_F(ListManagementTest, NewListWithHighCodePageCharactersStoresTheirBytes) {
    run(onNewList, 40039, {name("Caf\u00e9 \u00bd \u20ac \u00ff")});
    EXPECT_STREQ(strCurrentList, "Caf\xe9 \xbd \x80 \xff");
    EXPECT_EQ(rows(), std::string("Caf\xe9 \xbd \x80 \xff"));
    EXPECT_EQ(text(hwndListName), "Caf\u00e9 \u00bd \u20ac \u00ff");
}

TEST_F(ListManagementTest, CancelledNewListChangesNothing) {
    addList("Groceries");
    makeCurrent("Groceries");
    run(onNewList, 40039, {name("Other", res::kIdCancel)});
    EXPECT_EQ(tables(), "Groceries");
    EXPECT_STREQ(strCurrentList, "Groceries");
}

TEST_F(ListManagementTest, AFailedNewListLeavesNoHalfList) {
    addList("Groceries", {"milk"});
    makeCurrent("Groceries");
    // A table of that name exists already but has no row (and is not in the
    // box): the creation fails and nothing of it stays.
    exec("CREATE TABLE 'Stray' (x);");
    run(onNewList, 40039, {name("Stray")});
    EXPECT_EQ(messages().shown, std::vector<std::string>{"Error|Failed to create new list!|48"});
    EXPECT_EQ(rows(), "Groceries");
    EXPECT_STREQ(strCurrentList, "Groceries");
    EXPECT_EQ(active(), "Groceries");

    // A row that cannot be written undoes the table too.
    messages().shown.clear();
    exec("CREATE TRIGGER refuse BEFORE INSERT ON ListAttributes BEGIN SELECT RAISE(ABORT, 'no'); END;");
    run(onNewList, 40039, {name("Hardware")});
    EXPECT_EQ(messages().shown, std::vector<std::string>{"Error|Failed to create new list!|48"});
    EXPECT_EQ(tables(), "Groceries,Stray");
    EXPECT_STREQ(strCurrentList, "Groceries");
}

TEST_F(ListManagementTest, NewListFromNoListsLeavesTheNoListsState) {
    bNoLists = 1;
    run(onNewList, 40039, {name("First")});
    EXPECT_EQ(bNoLists, 0);
    EXPECT_EQ(intListCount, 1);
    EXPECT_EQ(active(), "First");
}

TEST_F(ListManagementTest, RenameMovesTableAndRowTogether) {
    addList("Groceries", {"milk"});
    addList("Work");
    makeCurrent("Groceries");
    run(onRenameList, 40040, {[this] {
            dialog = activeDialog();
            // The dialog opens with the current name.
            EXPECT_EQ(text(GetDlgItem(dialog, res::kIdListNameEdit)), "Groceries");
            name("Food")();
        }});
    EXPECT_EQ(tables(), "Food,Work");
    EXPECT_EQ(rows(), "Food,Work");
    EXPECT_EQ(active(), "Food");
    EXPECT_EQ(q("SELECT strText FROM 'Food';"), "milk");
    EXPECT_STREQ(strCurrentList, "Food");
    EXPECT_EQ(utf8(attrCurrentList.strListName), "Food");
    EXPECT_EQ(boxEntries(), "Food,Work");
    EXPECT_EQ(text(hwndListName), "Food");
}

TEST_F(ListManagementTest, RenameRefusesTheSameNameInAnyCase) {
    addList("Groceries");
    makeCurrent("Groceries");
    run(onRenameList, 40040, {name("Groceries"), name("gROCERIES"), name("It's"), name(" "), name("x", res::kIdCancel)});
    EXPECT_EQ(messages().shown,
              (std::vector<std::string>{"Warning Message|List name is not unique|48",
                                        "Warning Message|List name is not unique|48",
                                        "Warning Message|List name cannot contain quote characters.|48",
                                        "Warning Message|Need to enter a valid list name!|48"}));
    EXPECT_EQ(tables(), "Groceries");
}

TEST_F(ListManagementTest, ARenameWhoseRowCannotBeUpdatedPutsTheTableNameBack) {
    addList("Groceries", {"milk"});
    makeCurrent("Groceries");
    exec("CREATE TRIGGER refuse BEFORE UPDATE ON ListAttributes BEGIN SELECT RAISE(ABORT, 'no'); END;");
    run(onRenameList, 40040, {name("Food"), name("", res::kIdCancel)});
    EXPECT_EQ(messages().shown, std::vector<std::string>{"Warning Message|Error in renaming List!|48"});
    EXPECT_EQ(tables(), "Groceries");
    EXPECT_EQ(q("SELECT strText FROM 'Groceries';"), "milk");
    EXPECT_EQ(rows(), "Groceries");
    EXPECT_STREQ(strCurrentList, "Groceries");
}

TEST_F(ListManagementTest, RenameOntoAnExistingTableFails) {
    addList("Groceries");
    makeCurrent("Groceries");
    exec("CREATE TABLE 'Taken' (x);");
    run(onRenameList, 40040, {name("Taken"), name("", res::kIdCancel)});
    EXPECT_EQ(messages().shown, std::vector<std::string>{"Warning Message|List could not be renamed!|48"});
    EXPECT_EQ(rows(), "Groceries");
}

TEST_F(ListManagementTest, RenameOfAListWhoseOldNameHoldsAQuote) {
    // Names with quotes come from files made elsewhere; they must still be
    // renamed safely.
    addList("Bob's");
    makeCurrent("Bob's");
    LPCWSTR message = nullptr;
    EXPECT_EQ(renameList("Bob's", "Bobs", &message), 1);
    EXPECT_EQ(rows(), "Bobs");
    EXPECT_EQ(tables(), "Bobs");
}

TEST_F(ListManagementTest, DeleteAsksThenMovesToTheFirstRemainingList) {
    addList("Alpha", {"a1", "a2"});
    addList("Beta", {"b1"});
    makeCurrent("Beta");
    longClipboardID = -7;
    bUndoAvailable = 3;

    messages().answer = 7;  // No
    onDeleteList(hwndMain, 40041, nullptr, 0);
    EXPECT_EQ(messages().shown, std::vector<std::string>{"Delete List|Delete List 'Beta'?|52"});
    EXPECT_EQ(tables(), "Alpha,Beta");

    messages().answer = 6;
    onDeleteList(hwndMain, 40041, nullptr, 0);
    EXPECT_EQ(tables(), "Alpha");
    EXPECT_EQ(rows(), "Alpha");
    EXPECT_EQ(active(), "Alpha");
    EXPECT_STREQ(strCurrentList, "Alpha");
    EXPECT_EQ(boxEntries(), "Alpha");
    EXPECT_EQ(text(hwndListName), "Alpha");
    EXPECT_EQ(longClipboardID, 0);
    EXPECT_EQ(bUndoAvailable, 0);
    EXPECT_EQ(SendMessageW(hwndMainTV, TVM_GETCOUNT, 0, 0), 2);
    EXPECT_TRUE(IsWindowVisible(hwndMainTV));
}

TEST_F(ListManagementTest, DeletingTheLastListLeavesTheNoListsState) {
    addList("Only", {"x"});
    makeCurrent("Only");
    bClipboardEncrypted = 1;
    messages().answer = 6;
    onDeleteList(hwndMain, 40041, nullptr, 0);
    EXPECT_EQ(tables(), "");
    EXPECT_EQ(rows(), "");
    EXPECT_EQ(strCurrentList[0], 0);
    EXPECT_EQ(intListCount, 0);
    EXPECT_EQ(boxEntries(), "");
    EXPECT_EQ(text(hwndListName), "");
    EXPECT_EQ(bNoLists, 1);
    EXPECT_EQ(bClipboardEncrypted, 0);
    EXPECT_EQ(bListLocked, 0);
    EXPECT_FALSE(IsWindowVisible(hwndMainTV));
    EXPECT_FALSE(IsWindowVisible(hwndNotes));
}

TEST_F(ListManagementTest, ADeleteWhoseRowCannotGoKeepsTheTable) {
    addList("Keep", {"x"});
    makeCurrent("Keep");
    exec("CREATE TRIGGER refuse BEFORE DELETE ON ListAttributes BEGIN SELECT RAISE(ABORT, 'no'); END;");
    messages().answers = {6};
    onDeleteList(hwndMain, 40041, nullptr, 0);
    EXPECT_EQ(messages().shown[1], "Error|Could not remove selected list from ListAttributes Table!|0");
    EXPECT_EQ(tables(), "Keep");
    EXPECT_EQ(q("SELECT strText FROM 'Keep';"), "x");
    EXPECT_STREQ(strCurrentList, "Keep");
}

TEST_F(ListManagementTest, DeletingMovesToAProtectedListThatAsksForItsPassword) {
    ListAttributes locked = defaultListAttributes();
    locked.bPassword = 1;
    ASSERT_EQ(setCipherKey("abcd"), 0);
    makePasswordVerifier(locked.strPassword);
    addList("Alpha", {}, &locked);
    addList("Beta", {"b"});
    makeCurrent("Beta");
    messages().answer = 6;
    Steps steps{{[] { click(activeDialog(), res::kIdCancel); }}};
    play(steps);
    onDeleteList(hwndMain, 40041, nullptr, 0);
    EXPECT_EQ(steps.next, 1u);
    EXPECT_STREQ(strCurrentList, "Alpha");
    EXPECT_EQ(bListLocked, 1);
    // Nothing of the deleted list stays in the outline.
    EXPECT_EQ(SendMessageW(hwndMainTV, TVM_GETCOUNT, 0, 0), 0);
    EXPECT_FALSE(IsWindowVisible(hwndMainTV));
}

TEST_F(ListManagementTest, SwitchingStoresTheLeftListAndLoadsTheChosenOne) {
    addList("Alpha", {"a1", "a2", "a3"});
    addList("Beta", {"b1"});
    makeCurrent("Beta");
    attrCurrentList.crBackground = 0x00ABCDEF;  // changed while Beta was current
    ShowWindow(hwndListCombo, SW_SHOW);
    choose(0);
    EXPECT_STREQ(strCurrentList, "Alpha");
    EXPECT_EQ(active(), "Alpha");
    EXPECT_EQ(intListIndex, 0);
    EXPECT_EQ(text(hwndListName), "Alpha");
    EXPECT_EQ(q("SELECT crBackground FROM ListAttributes WHERE strListName='Beta';"), std::to_string(0x00ABCDEF));
    EXPECT_EQ(SendMessageW(hwndMainTV, TVM_GETCOUNT, 0, 0), 3);
    EXPECT_TRUE(IsWindowVisible(hwndMainTV));
    EXPECT_FALSE(IsWindowVisible(hwndListCombo));
}

TEST_F(ListManagementTest, ChoosingTheCurrentListOnlyHidesTheBox) {
    addList("Alpha", {"a1"});
    makeCurrent("Alpha");
    ShowWindow(hwndListCombo, SW_SHOW);
    attrCurrentList.crBackground = 0x00ABCDEF;
    choose(0);
    EXPECT_FALSE(IsWindowVisible(hwndListCombo));
    // Nothing was written or loaded.
    EXPECT_NE(q("SELECT crBackground FROM ListAttributes WHERE strListName='Alpha';"), std::to_string(0x00ABCDEF));
    EXPECT_EQ(SendMessageW(hwndMainTV, TVM_GETCOUNT, 0, 0), 0);
}

TEST_F(ListManagementTest, CancellingTheDropDownMarksThePenUpToIgnore) {
    bListDropDownCancelled = 0;
    onListCombo(hwndMain, 6000, hwndListCombo, CBN_SELENDCANCEL);
    EXPECT_EQ(bListDropDownCancelled, 1);
    ShowWindow(hwndListCombo, SW_SHOW);
    onListCombo(hwndMain, 6000, hwndListCombo, CBN_CLOSEUP);
    EXPECT_FALSE(IsWindowVisible(hwndListCombo));
    bListDropDownCancelled = 0;
}

TEST_F(ListManagementTest, SwitchingToAProtectedListLocksItUntilThePasswordIsGiven) {
    ListAttributes locked = defaultListAttributes();
    locked.bPassword = 1;
    ASSERT_EQ(setCipherKey("abcd"), 0);
    makePasswordVerifier(locked.strPassword);
    addList("Alpha", {}, &locked);
    exec("INSERT INTO 'Alpha' VALUES (1,0,1,bfencrypt('secret'),0,1,0,0,'',0);");
    addList("Beta", {"b1"});
    makeCurrent("Beta");
    ASSERT_EQ(setCipherKey("other"), 0);

    Steps cancel{{[] { click(activeDialog(), res::kIdCancel); }}};
    play(cancel);
    choose(0);
    EXPECT_EQ(bListLocked, 1);
    EXPECT_EQ(SendMessageW(hwndMainTV, TVM_GETCOUNT, 0, 0), 0);

    // Back to Beta and again to Alpha, this time with the password.
    choose(1);
    EXPECT_EQ(bListLocked, 0);
    Steps give{{[] {
        setField(activeDialog(), res::kIdPwdOld, "abcd");
        click(activeDialog(), res::kIdOk);
    }}};
    play(give);
    choose(0);
    EXPECT_EQ(bListLocked, 0);
    ASSERT_EQ(SendMessageW(hwndMainTV, TVM_GETCOUNT, 0, 0), 1);
    HTREEITEM root = (HTREEITEM)SendMessageW(hwndMainTV, TVM_GETNEXTITEM, TVGN_ROOT, 0);
    WCHAR label[100] = {};
    TVITEMW item = {};
    item.mask = TVIF_TEXT;
    item.hItem = root;
    item.pszText = label;
    item.cchTextMax = 100;
    SendMessageW(hwndMainTV, TVM_GETITEMW, 0, LPARAM(&item));
    EXPECT_EQ(utf8(label), "secret");
}

TEST_F(ListManagementTest, SelectListInBoxFindsIgnoringCase) {
    addList("Alpha");
    addList("Beta");
    makeCurrent("Alpha");
    EXPECT_EQ(selectListInBox("BETA"), 1);
    EXPECT_EQ(text(hwndListName), "BETA");
    EXPECT_EQ(selectListInBox("Gamma"), 0);
    EXPECT_EQ(text(hwndListName), "BETA");
}

}  // namespace
