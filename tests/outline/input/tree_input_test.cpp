// Taps, double taps, keys and label edits on the outline, through the
// device's input and the tree view's own notifications, checked against the
// tree and the stored rows.
#include "outline/tree/outline_fixture.h"
#include "crypto/cipher.h"

namespace outline_test {
namespace {

class Input : public OutlineTest {
protected:
    void SetUp() override {
        OutlineTest::SetUp();
        ShowWindow(hwndMainTV, SW_SHOW);
    }
    // Dairy(1): Milk(2), Cheese(3): Brie(4), Gouda(5); Bakery(6)
    void family() {
        addRow(1, 0, 1, "Dairy", 0, 2, 1);
        addRow(2, 1, 1, "Milk");
        addRow(3, 1, 2, "Cheese", 0, 2, 1);
        addRow(4, 3, 1, "Brie");
        addRow(5, 3, 2, "Gouda");
        addRow(6, 0, 2, "Bakery");
        load();
    }
    static POINT checkBoxOf(HTREEITEM item) {
        RECT label = labelOf(item);
        return POINT{label.left - (intTreeFontHeight + intUnit) / 2, (label.top + label.bottom) / 2};
    }
    static void tapCheckBox(LONG id) {
        POINT p = checkBoxOf(byId(id));
        tapTree(p.x, p.y);
    }
    static POINT labelPoint(LONG id, int dx = 3) {
        RECT label = labelOf(byId(id));
        return POINT{label.left + dx, (label.top + label.bottom) / 2};
    }
    static void tapLabel(LONG id, int dx = 3) {
        POINT p = labelPoint(id, dx);
        tapTree(p.x, p.y);
    }
    static void doubleTapLabel(LONG id, int dx = 3) {
        POINT p = labelPoint(id, dx);
        SendMessageW(hwndMainTV, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
        SendMessageW(hwndMainTV, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
        SendMessageW(hwndMainTV, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(p.x, p.y));
        device::runUntilIdle();
    }
    static HWND editor() { return (HWND)SendMessageW(hwndMainTV, TVM_GETEDITCONTROL, 0, 0); }
    static void finishEdit(const char16_t* text) {
        HWND edit = editor();
        ASSERT_NE(edit, nullptr);
        SetWindowTextW(edit, text);
        SendMessageW(hwndMainTV, TVM_ENDEDITLABELNOW, FALSE, 0);
        device::runUntilIdle();
    }
    static void key(unsigned vk) {
        SetFocus(hwndMainTV);
        device::keyDown(vk);
        device::keyUp(vk);
        device::runUntilIdle();
    }
};

TEST_F(Input, TapOnALabelSelectsAndShowsTheNote) {
    addRow(1, 0, 1, "With note", 0, 0, 0, 1, 1, "Remember the receipt");
    addRow(2, 0, 2, "Plain");
    load();
    tapLabel(1);
    EXPECT_EQ(treeSelection(hwndMainTV), byId(1));
    WCHAR note[64];
    GetWindowTextW(hwndNotes, note, 64);
    EXPECT_EQ(std::u16string(note), u"Remember the receipt");
    tapLabel(2);
    GetWindowTextW(hwndNotes, note, 64);
    EXPECT_EQ(std::u16string(note), u"");
    // A tap on the bare outline clears the selection.
    tapTree(200, 150);
    EXPECT_EQ(treeSelection(hwndMainTV), nullptr);
}

TEST_F(Input, TapOnACheckBoxTogglesAndStores) {
    family();
    tapCheckBox(2);
    EXPECT_EQ(isItemChecked(hwndMainTV, byId(2)), 1);
    EXPECT_EQ(field(2, "bChecked"), "1");
    EXPECT_EQ(field(1, "bChecked"), "0");  // auto check is off
    tapCheckBox(2);
    EXPECT_EQ(isItemChecked(hwndMainTV, byId(2)), 0);
    EXPECT_EQ(field(2, "bChecked"), "0");
}

TEST_F(Input, AutoCheckGoesUpAndDown) {
    attrCurrentList.bAutoCheck = 1;
    family();
    tapCheckBox(2);
    tapCheckBox(4);
    EXPECT_EQ(field(3, "bChecked"), "0");
    tapCheckBox(5);  // the last open child of Cheese, and so of Dairy
    EXPECT_EQ(field(3, "bChecked"), "1");
    EXPECT_EQ(field(1, "bChecked"), "1");
    EXPECT_EQ(isItemChecked(hwndMainTV, byId(1)), 1);
    // Unchecking a parent clears its branch and its ancestors.
    tapCheckBox(3);
    EXPECT_EQ(column("SELECT bChecked FROM 'Groceries' WHERE longID IN (1,3,4,5) ORDER BY longID;"), "0,0,0,0");
    EXPECT_EQ(isItemChecked(hwndMainTV, byId(4)), 0);
    EXPECT_EQ(field(2, "bChecked"), "1");
    // Checking a parent checks everything below it.
    tapCheckBox(1);
    EXPECT_EQ(column("SELECT bChecked FROM 'Groceries' WHERE longID <= 5 ORDER BY longID;"), "1,1,1,1,1");
    EXPECT_EQ(isItemChecked(hwndMainTV, byId(5)), 1);
}

TEST_F(Input, AFailedWriteOfAnAncestorKeepsTheWholeTapOut) {
    attrCurrentList.bAutoCheck = 1;
    family();
    tapCheckBox(4);
    // Dairy cannot be written: the tap on Gouda completes Cheese and Dairy.
    ASSERT_EQ(sqlite3_exec(dbCurrent,
                           "CREATE TRIGGER stop BEFORE UPDATE OF bChecked ON 'Groceries' WHEN old.longID = 1 BEGIN "
                           "SELECT RAISE(ABORT, 'storage failed'); END;",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    tapCheckBox(5);
    EXPECT_EQ(column("SELECT bChecked FROM 'Groceries' WHERE longID <= 5 ORDER BY longID;"), "0,0,0,1,0");
    // The outline shows the file again, not the tap that did not happen.
    EXPECT_EQ(isItemChecked(hwndMainTV, byId(5)), 0);
    EXPECT_EQ(isItemChecked(hwndMainTV, byId(3)), 0);
    EXPECT_EQ(isItemChecked(hwndMainTV, byId(4)), 1);
    EXPECT_EQ(sqlite3_get_autocommit(dbCurrent), 1);
}

TEST_F(Input, HideCheckedRemovesTheTappedItemAtOnce) {
    attrCurrentList.bHideChecked = 1;
    attrCurrentList.intCompletionShow = 1;
    family();
    EXPECT_EQ(textOf(byId(3)), "Cheese [0/2]");
    tapCheckBox(4);
    EXPECT_EQ(byId(4), nullptr);
    EXPECT_EQ(field(4, "bChecked"), "1");
    EXPECT_EQ(textOf(byId(3)), "Cheese [0/1]");
}

TEST_F(Input, CheckedSortMovesTheItemDownAndKeepsTheView) {
    attrCurrentList.bCheckSort = 1;
    addRow(1, 0, 1, "First");
    addRow(2, 0, 2, "Second");
    addRow(3, 0, 3, "Third");
    load();
    tapCheckBox(1);
    EXPECT_EQ(dump(), "[ ] Second\n[ ] Third\n[x] First\n");
    HTREEITEM first = (HTREEITEM)SendMessageW(hwndMainTV, TVM_GETNEXTITEM, TVGN_FIRSTVISIBLE, 0);
    EXPECT_EQ(getItemId(hwndMainTV, first), 2);
}

TEST_F(Input, CompletionFollowsTaps) {
    attrCurrentList.intCompletionShow = 2;
    addRow(1, 0, 1, "Parent", 0, 1, 1);
    addRow(2, 1, 1, "Only child");
    load();
    EXPECT_EQ(textOf(byId(1)), "Parent [0%]");
    tapCheckBox(2);
    EXPECT_EQ(textOf(byId(1)), "Parent [100%]");
    EXPECT_EQ(sql("SELECT strText FROM 'Groceries' WHERE longID=1;"), "Parent");
}

TEST_F(Input, EnterTogglesOnlyTheSelectedItem) {
    attrCurrentList.bAutoCheck = 1;
    attrCurrentList.intCompletionShow = 1;
    addRow(1, 0, 1, "Parent", 0, 1, 1);
    addRow(2, 1, 1, "Only child");
    load();
    tapLabel(2);
    key(VK_RETURN);
    EXPECT_EQ(isItemChecked(hwndMainTV, byId(2)), 1);
    EXPECT_EQ(field(2, "bChecked"), "1");
    EXPECT_EQ(field(1, "bChecked"), "0");
    EXPECT_EQ(textOf(byId(1)), "Parent [0/1]");
}

TEST_F(Input, LettersDoNothingAndArrowsExpandAndStore) {
    family();
    tapLabel(6);
    key('D');
    EXPECT_EQ(treeSelection(hwndMainTV), byId(6));
    tapLabel(3);
    key(VK_LEFT);
    EXPECT_EQ(field(3, "bNodeExpand"), "0");
    EXPECT_EQ(isItemVisible(hwndMainTV, byId(4)), 0);
    EXPECT_EQ(treeSelection(hwndMainTV), byId(3));
    key(VK_RIGHT);
    EXPECT_EQ(field(3, "bNodeExpand"), "1");
    EXPECT_NE(isItemVisible(hwndMainTV, byId(4)), 0);
    // A childless item swallows the key.
    tapLabel(6);
    key(VK_RIGHT);
    EXPECT_EQ(treeSelection(hwndMainTV), byId(6));
}

TEST_F(Input, TappingTheButtonStoresTheExpansion) {
    family();
    RECT row{};
    HTREEITEM dairy = byId(1);
    std::memcpy(&row, &dairy, sizeof dairy);
    SendMessageW(hwndMainTV, TVM_GETITEMRECT, FALSE, (LPARAM)&row);
    int indent = (int)SendMessageW(hwndMainTV, TVM_GETINDENT, 0, 0);
    tapTree(indent / 2, (row.top + row.bottom) / 2);
    EXPECT_EQ(field(1, "bNodeExpand"), "0");
    EXPECT_EQ(isItemVisible(hwndMainTV, byId(2)), 0);
    tapTree(indent / 2, (row.top + row.bottom) / 2);
    EXPECT_EQ(field(1, "bNodeExpand"), "1");
}

TEST_F(Input, LabelEditsOnlyWhenTheProgramOpensThem) {
    family();
    bLabelEditAllowed = 0;
    EXPECT_EQ(SendMessageW(hwndMainTV, TVM_EDITLABELW, 0, (LPARAM)byId(2)), 0);
    EXPECT_EQ(editor(), nullptr);
    doubleTapLabel(2);
    ASSERT_NE(editor(), nullptr);
    EXPECT_EQ(bLabelEditAllowed, 1);
    finishEdit(u"Whole milk");
    EXPECT_EQ(bLabelEditAllowed, 0);
    EXPECT_EQ(textOf(byId(2)), "Whole milk");
    EXPECT_EQ(field(2, "strText"), "Whole milk");
    EXPECT_EQ(treeSelection(hwndMainTV), byId(2));
}

TEST_F(Input, DoubleTapOnAnotherItemIsATap) {
    family();
    tapLabel(2);
    POINT p = labelPoint(6);
    SendMessageW(hwndMainTV, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    device::runUntilIdle();
    EXPECT_EQ(editor(), nullptr);
    EXPECT_EQ(treeSelection(hwndMainTV), byId(6));
}

TEST_F(Input, DoubleTapOnTheNoteMarkerTogglesTheNotesPane) {
    addRow(1, 0, 1, "Has a note", 0, 0, 0, 1, 1, "text");
    load();
    doubleTapLabel(1, 1);
    EXPECT_EQ(editor(), nullptr);
    ASSERT_EQ(mainLog().commands.size(), 1u);
    EXPECT_EQ(mainLog().commands[0], 40015);
}

TEST_F(Input, QuotesAndProtectedTextsAreStored) {
    family();
    doubleTapLabel(6);
    finishEdit(u"Baker's dozen");
    EXPECT_EQ(field(6, "strText"), "Baker's dozen");
    EXPECT_EQ(textOf(byId(6)), "Baker's dozen");

    ASSERT_EQ(setCipherKey("secret"), 0);
    attrCurrentList.bPassword = 1;
    doubleTapLabel(2);
    finishEdit(u"Secret milk");
    EXPECT_NE(field(2, "strText"), "Secret milk");
    EXPECT_EQ(sql("SELECT bfdecrypt(strText) FROM 'Groceries' WHERE longID=2;"), "Secret milk");
}

TEST_F(Input, ClearingALabelDeletesTheItemWithItsSubtree) {
    family();
    doubleTapLabel(3);
    finishEdit(u"");
    EXPECT_EQ(byId(3), nullptr);
    EXPECT_EQ(column("SELECT longID FROM 'Groceries' ORDER BY longID;"), "1,2,6");
    EXPECT_EQ(dump(), "[ ] Dairy +\n  [ ] Milk\n[ ] Bakery\n");
    EXPECT_EQ(field(1, "intNumChild"), "2");  // Milk is still there
    doubleTapLabel(2);
    finishEdit(u"");
    EXPECT_EQ(field(1, "intNumChild"), "0");
    EXPECT_EQ(bOrderDirty, 0);
}

TEST_F(Input, CancelledEditKeepsTheTextAndAnUnnamedItemGoes) {
    family();
    doubleTapLabel(2);
    ASSERT_NE(editor(), nullptr);
    SendMessageW(hwndMainTV, TVM_ENDEDITLABELNOW, TRUE, 0);
    device::runUntilIdle();
    EXPECT_EQ(textOf(byId(2)), "Milk");
    EXPECT_EQ(field(2, "strText"), "Milk");
    // A new item that never got a text is removed when its edit is cancelled.
    addRow(7, 0, 3, "");
    HTREEITEM fresh = insertItem(hwndMainTV, nullptr, u"", 7, 0, 0, nullptr);
    bLabelEditAllowed = 1;
    ASSERT_NE(SendMessageW(hwndMainTV, TVM_EDITLABELW, 0, (LPARAM)fresh), 0);
    SendMessageW(hwndMainTV, TVM_ENDEDITLABELNOW, TRUE, 0);
    device::runUntilIdle();
    EXPECT_EQ(byId(7), nullptr);
    EXPECT_EQ(sql("SELECT COUNT(*) FROM 'Groceries' WHERE longID=7;"), "0");
}

TEST_F(Input, NewItemIsResequencedAndSortedListsReload) {
    addRow(1, 0, 1, "b");
    addRow(2, 0, 2, "c");
    addRow(3, 0, 1, "a-new");
    attrCurrentList.bAlphaSort = 0;
    load();
    bOrderDirty = 1;
    bLabelEditAllowed = 1;
    SendMessageW(hwndMainTV, TVM_EDITLABELW, 0, (LPARAM)byId(3));
    finishEdit(u"a-new");
    EXPECT_EQ(bOrderDirty, 0);
    EXPECT_EQ(column("SELECT longOrder FROM 'Groceries' ORDER BY longID;"), "2,3,1");

    attrCurrentList.bAlphaSort = 1;
    load();
    doubleTapLabel(2);
    finishEdit(u"Aardvark");
    EXPECT_EQ(dump(), "[ ] Aardvark\n[ ] a-new\n[ ] b\n");
    EXPECT_EQ(treeSelection(hwndMainTV), byId(2));
}

TEST_F(Input, CompletionSuffixTypedBackIsDropped) {
    attrCurrentList.intCompletionShow = 1;
    addRow(1, 0, 1, "Parent", 0, 2, 1);
    addRow(2, 1, 1, "x", 1);
    addRow(3, 1, 2, "y");
    load();
    EXPECT_EQ(textOf(byId(1)), "Parent [1/2]");
    doubleTapLabel(1);
    finishEdit(u"Renamed [1/2]");
    EXPECT_EQ(field(1, "strText"), "Renamed");
    EXPECT_EQ(textOf(byId(1)), "Renamed [1/2]");
    doubleTapLabel(1);
    finishEdit(u"Box [a] of [1/2]");
    EXPECT_EQ(field(1, "strText"), "Box [a] of");
    // A leaf keeps brackets only up to the last one as well, with no suffix.
    doubleTapLabel(2);
    finishEdit(u"[only]");
    EXPECT_EQ(field(2, "strText"), "[only]");
}

TEST_F(Input, BeginEditRaisesTheInputPanelByTheRule) {
    family();
    bHasKeyboard = 0;
    doubleTapLabel(2);
    EXPECT_GT(device::screenSipHeight(), 0);
    finishEdit(u"Milk");
    EXPECT_EQ(device::screenSipHeight(), 0);
}

}  // namespace
}  // namespace outline_test
