// Cut, Copy, Paste and Duplicate on a real outline: what the clipboard holds,
// what the old parent and the outline show after a cut, refusals and items
// that are gone, and the Edit menu's choice between text and items.
#include <cstring>

#include "items_fixture.h"
#include "outline/item_clipboard.h"
#include "outline/item_commands.h"
#include "outline/tree_ops.h"
#include "state/app_state.h"
#include "storage/item_table.h"

using namespace itemtest;

namespace {

class Clipboard : public ItemCommandTest {
protected:
    // Milk (1) with Skim (2) and Whole (3); Bread (4).
    void groceries() {
        row(1, 0, 1, "Milk", 1, 0, 1, 1);
        row(2, 1, 1, "Skim");
        row(3, 1, 2, "Whole");
        row(4, 0, 2, "Bread");
        load();
    }
};

TEST_F(Clipboard, CopyPastedTwiceGivesTwoCopiesAfterTheSelectionAndKeepsTheClipboard) {
    groceries();
    select(1);
    onCopyItem(hwndMain, 40076, nullptr, 0);
    EXPECT_EQ(longClipboardID, 1);
    EXPECT_STREQ(strClipboardList, "Groceries");
    bUndoAvailable = 4;
    onPasteItem(hwndMain, 40077, nullptr, 0);
    select(1);
    onPasteItem(hwndMain, 40077, nullptr, 0);
    EXPECT_EQ(nodeTexts(nullptr), "Milk,Milk,Milk,Bread");
    EXPECT_EQ(children(0), "Milk:1,Milk:2,Milk:3,Bread:4");
    HTREEITEM copy = treeNextSibling(hwndMainTV, node(1));
    EXPECT_EQ(nodeTexts(copy), "Skim,Whole");
    EXPECT_NE(getItemId(hwndMainTV, copy), 1);
    EXPECT_EQ(longClipboardID, 1);
    EXPECT_EQ(bUndoAvailable, 0);
    EXPECT_EQ(intEditBarState[2], 2);
}

TEST_F(Clipboard, CutOfTheLastChildClearsTheParentAndPasteBringsItBackWhole) {
    attrCurrentList.intCompletionShow = 1;
    row(1, 0, 1, "Milk", 1, 0, 1, 1);
    row(2, 1, 1, "Skim", 1, 0, 1, 1);
    row(3, 2, 1, "Organic");
    row(4, 0, 2, "Bread");
    load();
    setItemText(hwndMainTV, node(1), u"Milk [0/1]");
    select(2);
    onCutItem(hwndMain, 40075, nullptr, 0);
    EXPECT_EQ(longClipboardID, -2);
    EXPECT_EQ(bUndoAvailable, 2);
    EXPECT_EQ(q("SELECT intNumChild FROM 'Groceries' WHERE longID=1;"), "0");
    EXPECT_EQ(getChildrenFlag(hwndMainTV, node(1)), 0);
    EXPECT_EQ(textOf(node(1)), u"Milk");
    EXPECT_EQ(node(2), nullptr);
    // Cut neither purges nor renumbers.
    EXPECT_EQ(q("SELECT longOrder FROM 'Groceries' WHERE longID=-2;"), "1");

    select(4);
    onPasteItem(hwndMain, 40077, nullptr, 0);
    // The reload shows the counts again: Skim has its child back.
    EXPECT_EQ(nodeTexts(nullptr), "Milk,Bread,Skim [0/1]");
    EXPECT_EQ(nodeTexts(node(2)), "Organic");
    EXPECT_EQ(longClipboardID, 0);
    EXPECT_STREQ(strClipboardList, "");
    EXPECT_EQ(intEditBarState[2], 1);
}

TEST_F(Clipboard, CutLikeDeleteReconsidersTheParentsCheckAndHidesAnEmptyOutline) {
    attrCurrentList.bAutoCheck = 1;
    row(1, 0, 1, "Milk", 1, 0, 1, 1);
    row(2, 1, 1, "Skim", 0, 1);
    row(3, 1, 2, "Whole", 0, 0);
    load();
    select(3);
    onCutItem(hwndMain, 40075, nullptr, 0);
    EXPECT_EQ(q("SELECT bChecked FROM 'Groceries' WHERE longID=1;"), "1");
    EXPECT_EQ(isItemChecked(hwndMainTV, node(1)), 1);

    select(1);
    onCutItem(hwndMain, 40075, nullptr, 0);
    EXPECT_EQ(treeRoot(hwndMainTV), nullptr);
    EXPECT_FALSE(IsWindowVisible(hwndMainTV));
    EXPECT_FALSE(IsWindowVisible(hwndNotes));
    EXPECT_FALSE(IsWindowVisible(hwndSplitter));
}

TEST_F(Clipboard, CutInOneListPastedInAnotherEmptiesTheClipboardAndLeavesTheParkedRow) {
    groceries();
    select(1);
    onCutItem(hwndMain, 40075, nullptr, 0);
    ASSERT_EQ(createItemTable(db, "Packing"), 1);
    std::strcpy(strCurrentList, "Packing");
    load();
    onPasteItem(hwndMain, 40077, nullptr, 0);
    EXPECT_EQ(col("SELECT strText FROM 'Packing' ORDER BY longID;"), "Milk,Skim,Whole");
    EXPECT_EQ(nodeTexts(treeRoot(hwndMainTV)), "Skim,Whole");
    EXPECT_EQ(q("SELECT strText FROM 'Groceries' WHERE longID=-1;"), "Milk");
    EXPECT_EQ(longClipboardID, 0);
}

TEST_F(Clipboard, ItemsOfAProtectedListStayInTheirList) {
    groceries();
    attrCurrentList.bPassword = 1;
    select(4);
    onCopyItem(hwndMain, 40076, nullptr, 0);
    EXPECT_EQ(bClipboardEncrypted, 1);
    attrCurrentList.bPassword = 0;
    ASSERT_EQ(createItemTable(db, "Packing"), 1);
    std::strcpy(strCurrentList, "Packing");
    load();
    onPasteItem(hwndMain, 40077, nullptr, 0);
    EXPECT_EQ(dialogs().shown,
              (std::vector<std::string>{"Warning|Cannot paste an item that was copied/cut from an encrypted list|48"}));
    EXPECT_EQ(q("SELECT COUNT(*) FROM 'Packing';"), "0");
    EXPECT_EQ(longClipboardID, 4);
    EXPECT_STREQ(strClipboardList, "Groceries");
}

TEST_F(Clipboard, AnItemThatIsGoneEmptiesTheClipboardAndPastesNothing) {
    groceries();
    select(4);
    onCopyItem(hwndMain, 40076, nullptr, 0);
    onDeleteItem(hwndMain, 40072, nullptr, 0);
    select(1);
    onPasteItem(hwndMain, 40077, nullptr, 0);
    EXPECT_EQ(longClipboardID, 0);
    EXPECT_EQ(intEditBarState[2], 1);
    EXPECT_EQ(q("SELECT COUNT(*) FROM 'Groceries';"), "4");
    EXPECT_EQ(nodeTexts(nullptr), "Milk");

    // A copy taken in another database names a list of that file.
    select(1);
    onCopyItem(hwndMain, 40076, nullptr, 0);
    std::memcpy(strCurrentDbFile, u"\\My Documents\\other.qu2", sizeof u"\\My Documents\\other.qu2");
    onPasteItem(hwndMain, 40077, nullptr, 0);
    EXPECT_EQ(longClipboardID, 0);
    EXPECT_EQ(q("SELECT COUNT(*) FROM 'Groceries';"), "4");
}

TEST_F(Clipboard, PasteWithoutSelectionAppendsAtTheEndOfTheTopLevel) {
    groceries();
    select(2);
    onCopyItem(hwndMain, 40076, nullptr, 0);
    SendMessageW(hwndMainTV, TVM_SELECTITEM, TVGN_CARET, 0);
    onPasteItem(hwndMain, 40077, nullptr, 0);
    EXPECT_EQ(nodeTexts(nullptr), "Milk,Bread,Skim");
}

TEST_F(Clipboard, DuplicateCopiesRightAfterTheItemAndLeavesTheClipboardEmpty) {
    groceries();
    select(4);
    onCopyItem(hwndMain, 40076, nullptr, 0);
    select(1);
    onDuplicateItem(hwndMain, 40080, nullptr, 0);
    EXPECT_EQ(nodeTexts(nullptr), "Milk,Milk,Bread");
    EXPECT_EQ(nodeTexts(treeNextSibling(hwndMainTV, node(1))), "Skim,Whole");
    EXPECT_EQ(longClipboardID, 0);
    EXPECT_STREQ(strClipboardList, "");
    EXPECT_EQ(intEditBarState[2], 1);
}

TEST_F(Clipboard, EditMenuCommandsServeTheFocusedNotesPaneBeforeTheItems) {
    groceries();
    SetWindowTextW(hwndNotes, u"Buy on Friday");
    SetFocus(hwndNotes);
    SendMessageW(hwndNotes, EM_SETSEL, 0, 3);
    select(1);
    SetFocus(hwndNotes);
    onCopyItem(hwndMain, 40023, nullptr, 0);
    EXPECT_EQ(longClipboardID, 0);
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT));
    onCutItem(hwndMain, 40028, nullptr, 0);
    EXPECT_EQ(windowText(hwndNotes), u" on Friday");
    EXPECT_NE(node(1), nullptr);
    SendMessageW(hwndNotes, EM_SETSEL, 0, 0);
    onPasteItem(hwndMain, 40024, nullptr, 0);
    EXPECT_EQ(windowText(hwndNotes), u"Buy on Friday");

    // With the outline focused they act on items.
    SetFocus(hwndMainTV);
    select(4);
    onCopyItem(hwndMain, 40023, nullptr, 0);
    EXPECT_EQ(longClipboardID, 4);
    select(4);
    onPasteItem(hwndMain, 40024, nullptr, 0);
    EXPECT_EQ(nodeTexts(nullptr), "Milk,Bread,Bread");
    // Without the focus on the outline, Edit > Paste pastes no item.
    SetFocus(hwndMain);
    onPasteItem(hwndMain, 40024, nullptr, 0);
    EXPECT_EQ(q("SELECT COUNT(*) FROM 'Groceries';"), "5");
}

TEST_F(Clipboard, EditMenuCutWorksOnAnOpenLabelEditor) {
    groceries();
    bLabelEditAllowed = 1;
    HWND edit = (HWND)SendMessageW(hwndMainTV, TVM_EDITLABELW, 0, (LPARAM)node(4));
    ASSERT_NE(edit, nullptr);
    SendMessageW(edit, EM_SETSEL, 0, 2);
    onCutItem(hwndMain, 40028, nullptr, 0);
    EXPECT_EQ(windowText(edit), u"ead");
    EXPECT_EQ(longClipboardID, 0);
    EXPECT_NE(node(4), nullptr);
    cancelEdit();
}

}  // namespace
