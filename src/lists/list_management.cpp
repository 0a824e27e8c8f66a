// Switching, creating and deleting lists: the list combo box's
// notifications and the File menu's New List and Delete List (Rename List
// runs its dialog, list_name_dialog.cpp).
//
// Sections: shared steps | list switch | New List | Rename List | Delete List
#include "lists/list_management.h"

#include <cstring>
#include <vector>

#include "common/codepage.h"
#include "common/message_dialog.h"
#include "lists/list_name_combo.h"
#include "lists/list_passwords.h"
#include "lists/list_transaction.h"
#include "outline/item_clipboard.h"
#include "outline/item_draw.h"
#include "outline/tree_load.h"
#include "outline/unsaved_change.h"
#include "resources/resource_ids.h"
#include "state/app_state.h"
#include "state/shell_calls.h"
#include "storage/database.h"
#include "storage/list_attributes.h"
#include "storage/sql_helpers.h"

namespace {

// 0 while a switch runs from showing the new name to reading its
// attributes; the drop-down closing then must not hide the box under it.
int bListSwitchDone = 1;

// --- shared steps ----------------------------------------------------------------

void showPanes(int show) {
    int how = show ? SW_SHOW : SW_HIDE;
    if (hwndMainTV) ShowWindow(hwndMainTV, how);
    if (hwndNotes) ShowWindow(hwndNotes, how);
    if (hwndSplitter) ShowWindow(hwndSplitter, how);
}

int outlineItemCount() {
    return hwndMainTV ? int(SendMessageW(hwndMainTV, TVM_GETCOUNT, 0, 0)) : 0;
}

void emptyOutline() {
    if (hwndMainTV) SendMessageW(hwndMainTV, TVM_DELETEITEM, 0, LPARAM(TVI_ROOT));
}

void hideCombo() {
    if (hwndListCombo) ShowWindow(hwndListCombo, SW_HIDE);
}

void repaintTop(int height) {
    RECT top;
    if (!hwndMain || !GetClientRect(hwndMain, &top)) return;
    top.bottom = height;
    InvalidateRect(hwndMain, &top, TRUE);
}

int refillListBox() {
    ListNameCombo box(hwndListCombo);
    return fillListNameBox(dbCurrent, box);
}

void setCurrentListName(const char* name) {
    int i = 0;
    for (; name[i] != 0 && i < CURRENT_LIST_BYTES - 1; ++i) strCurrentList[i] = name[i];
    strCurrentList[i] = 0;
}

void enableMenuItem(UINT id) {
    if (!hwndMenuBar) return;
    HMENU menu = reinterpret_cast<HMENU>(SendMessageW(hwndMenuBar, SHCMBM_GETMENU, 0, 0));
    if (menu) EnableMenuItem(menu, id, MF_BYCOMMAND | MF_ENABLED);
}

// The Options marks that follow the list: Alphabetic, Checked, Hide Checked
// and the name of the hide item.
void markOptions() {
    checkOptionsItem(res::kCmdSortAlphabetic, attrCurrentList.bAlphaSort);
    checkOptionsItem(res::kCmdSortChecked, attrCurrentList.bCheckSort);
    checkOptionsItem(res::kCmdHideChecked, attrCurrentList.bHideChecked);
    renameOptionsItem(res::kOptionsPosHidden, res::kCmdHideOnOff,
                      attrCurrentList.bShowHiddenItems == 1 ? u"Hide Off" : u"Hide On");
}

// A list that was just made current asks for its password. While it stays
// locked, nothing of the list it replaced may remain on view.
bool unlockCurrentList() {
    bListLocked = askListPassword();
    if (bListLocked != 1) return true;
    emptyOutline();
    if (hwndNotes) SetWindowTextW(hwndNotes, u"");
    updateMenus();
    if (hwndMain) InvalidateRect(hwndMain, nullptr, TRUE);
    return false;
}

// --- list switch ------------------------------------------------------------------

void switchToChosenList() {
    if (hwndMainTV) UpdateWindow(hwndMainTV);
    if (!hwndListCombo) return;
    LRESULT index = SendMessageW(hwndListCombo, CB_GETCURSEL, 0, 0);
    WCHAR wide[LIST_NAME_CHARS] = {};
    ListNameCombo box(hwndListCombo);
    if (index == CB_ERR || !box.textAt(int(index), wide, LIST_NAME_CHARS)) {
        hideCombo();
        return;
    }
    char chosen[codePageBytes(LIST_NAME_CHARS)];
    wideToCodePage(wide, chosen, sizeof chosen, LIST_NAME_CHARS - 1);
    if (std::strcmp(chosen, strCurrentList) == 0 || !dbCurrent) {
        hideCombo();
        return;
    }

    setWaitCursor(1);
    bListSwitchDone = 0;
    if (hwndListName) SetWindowTextW(hwndListName, wide);
    intListIndex = int(index);
    // The list being left keeps what was changed while it was current.
    storeCurrentListAttributes(true);
    // The undo record names a parked row of the list being left; in another
    // list the same number is another item.
    bUndoAvailable = 0;
    setCurrentListName(chosen);
    setActiveList(dbCurrent, strCurrentList);
    readListAttributes(dbCurrent, strCurrentList, &attrCurrentList);
    setWaitCursor(0);
    bListSwitchDone = 1;
    hideCombo();

    if (!unlockCurrentList()) return;

    loadCurrentList();
    if (outlineItemCount() > 0) {
        showPanes(1);
    } else {
        showPanes(0);
        if (hwndMain) InvalidateRect(hwndMain, nullptr, TRUE);
    }
    enableMenuItem(res::kCmdExportList);

    if (hwndListName) InvalidateRect(hwndListName, nullptr, TRUE);
    repaintTop(100);
    if (hwndMain) SendMessageW(hwndMain, WM_SETTINGCHANGE, 0, 0);
    if (hwndMainTV && IsWindowVisible(hwndMainTV)) SetFocus(hwndMainTV);
    if (hwndNotes) SetWindowTextW(hwndNotes, u"");
    hideCombo();
}

}  // namespace

// Puts the current list (unlocked) into the outline: its attributes, the
// outline font and pictures for them, the check boxes, then its items.
void loadCurrentList() {
    applyListAttributes(attrCurrentList);
    HFONT font = attrCurrentList.bRootBold == 1 ? hfontTreeBold : hfontTree;
    if (hwndMainTV && font) SendMessageW(hwndMainTV, WM_SETFONT, WPARAM(font), TRUE);
    if (hwndMainTV) {
        makeItemPictures(intTreeFontHeight);
        HIMAGELIST stateImages = createStateImageList(hwndMainTV, intTreeFontHeight);
        setCheckboxStyle(hwndMainTV, stateImages, attrCurrentList.bCheckbox);
    }
    updateMenus();
    setWaitCursor(1);
    reloadOutline();
    setWaitCursor(0);
}

LRESULT onListCombo(HWND, int, HWND, int code) {
    switch (code) {
        case CBN_SELCHANGE: switchToChosenList(); break;
        case CBN_CLOSEUP:
            if (bListSwitchDone == 1) hideCombo();
            bListSwitchDone = 1;
            repaintTop(100);
            break;
        case CBN_SELENDCANCEL:
            bListSwitchDone = 1;
            bListDropDownCancelled = 1;
            break;
        default: break;
    }
    return 0;
}

int selectListInBox(const char* listName) {
    if (!hwndListCombo || !listName) return 0;
    WCHAR wide[LIST_NAME_CHARS];
    codePageToWide(listName, wide, LIST_NAME_CHARS);
    LRESULT found = SendMessageW(hwndListCombo, CB_FINDSTRINGEXACT, WPARAM(-1), LPARAM(wide));
    SendMessageW(hwndListCombo, CB_SETCURSEL, WPARAM(found), 0);
    LRESULT selected = SendMessageW(hwndListCombo, CB_GETCURSEL, 0, 0);
    if (selected == CB_ERR) return 0;
    if (hwndListName) SetWindowTextW(hwndListName, wide);
    return int(selected);
}

// --- New List ---------------------------------------------------------------------

bool createList(const char* name, const ListAttributes& attributes) {
    if (!beginListTransaction(dbCurrent)) return false;
    bool ok = true;
    if (strCurrentList[0] != 0 && bListLocked != 1)
        ok = writeListAttributes(dbCurrent, strCurrentList, attrCurrentList) == 1;
    ok = ok && createItemTable(dbCurrent, name) == 1;
    ok = ok && writeListAttributes(dbCurrent, name, attributes) == 1;
    ok = ok && setActiveList(dbCurrent, name) == 1;
    if (!ok) {
        rollbackListTransaction(dbCurrent);
        return false;
    }
    return commitListTransaction(dbCurrent);
}

LRESULT onNewList(HWND hwnd, int, HWND, int) {
    if (!dbCurrent) return 0;
    WCHAR name[LIST_NAME_CHARS];
    if (!runNewListDialog(hwnd, name)) return 0;

    showPanes(0);
    // The edit bar goes with the outline; its own command hides it (and
    // remembers that it is hidden).
    if (bEditBarVisible == 1 && hwnd) SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(res::kCmdEditBar, 0), 0);

    char stored[codePageBytes(LIST_NAME_CHARS)];
    wideToCodePage(name, stored, sizeof stored, LIST_NAME_CHARS - 1);
    // A new list takes the look and options of the one that was current,
    // never its password.
    ListAttributes attributes = attrCurrentList;
    attributes.bPassword = 0;
    attributes.strPassword[0] = 0;
    codePageToWide(stored, attributes.strListName, LIST_NAME_CHARS);

    if (!createList(stored, attributes)) {
        messageDialog(hwnd, u"Failed to create new list!", u"Error", MD_STYLE_WARNING);
        // The list that was current still is: give it back its panes.
        updateMenus();
        if (bListLocked != 1 && outlineItemCount() > 0) showPanes(1);
        if (hwndMain) InvalidateRect(hwndMain, nullptr, TRUE);
        return 0;
    }

    setCurrentListName(stored);
    bUndoAvailable = 0;
    attrCurrentList = attributes;
    intListCount = refillListBox();
    intListIndex = selectListInBox(strCurrentList);
    // The sort clause of a protected list names its deciphered text; the new
    // list is not protected, so the clauses are made again for it.
    applyListAttributes(attrCurrentList);

    emptyOutline();
    if (hwndNotes) SetWindowTextW(hwndNotes, u"");
    bNoLists = 0;
    bListLocked = 0;
    // The menus follow the flags: a locked list before this one left only
    // New List and Delete List enabled.
    updateMenus();
    if (hwndMain) InvalidateRect(hwndMain, nullptr, TRUE);
    return 0;
}

// --- Rename List ---------------------------------------------------------------------

LRESULT onRenameList(HWND hwnd, int, HWND, int) {
    if (!dbCurrent || strCurrentList[0] == 0) return 0;
    runRenameListDialog(hwnd);
    if (hwndMainTV) SetFocus(hwndMainTV);
    return 0;
}

// --- Delete List ----------------------------------------------------------------------

namespace {

// Drops the table and the attribute row of `name` together; on failure the
// message to show, with nothing changed.
bool dropList(const char* name, LPCWSTR* message) {
    bool inTransaction = beginListTransaction(dbCurrent);
    if (!dropTable(dbCurrent, name)) {
        if (inTransaction) rollbackListTransaction(dbCurrent);
        *message = u"Could not delete selected list!";
        return false;
    }
    if (!deleteListAttributes(dbCurrent, name) || (inTransaction && !commitListTransaction(dbCurrent))) {
        // The rollback brings the table back; a list without its row would
        // be out of reach of every command.
        if (inTransaction) rollbackListTransaction(dbCurrent);
        *message = u"Could not remove selected list from ListAttributes Table!";
        return false;
    }
    return true;
}

void showFirstRemainingList() {
    setActiveList(dbCurrent, strCurrentList);
    intListCount = refillListBox();
    intListIndex = selectListInBox(strCurrentList);
    readListAttributes(dbCurrent, strCurrentList, &attrCurrentList);
    if (hwndNotes) SetWindowTextW(hwndNotes, u"");
    if (!unlockCurrentList()) return;

    markOptions();
    if (hwndMain) InvalidateRect(hwndMain, nullptr, TRUE);
    if (hwndMainTV) ShowWindow(hwndMainTV, SW_HIDE);
    emptyOutline();
    loadCurrentList();
    showPanes(outlineItemCount() > 0);
}

void showNoLists() {
    strCurrentList[0] = 0;
    intListCount = refillListBox();
    intListIndex = 0;
    if (hwndListName) SetWindowTextW(hwndListName, u"");
    emptyOutline();
    if (hwndNotes) SetWindowTextW(hwndNotes, u"");
    bNoLists = 1;
    bClipboardEncrypted = 0;
    bListLocked = 0;
    attrCurrentList.bPassword = 0;
    updateMenus();
    markOptions();
    showPanes(0);
    if (hwndMain) InvalidateRect(hwndMain, nullptr, TRUE);
}

}  // namespace

LRESULT onDeleteList(HWND hwnd, int, HWND, int) {
    if (!dbCurrent || strCurrentList[0] == 0) return 0;
    WCHAR wide[LIST_NAME_CHARS];
    codePageToWide(strCurrentList, wide, LIST_NAME_CHARS);
    // "Delete List '%s'?" with the name.
    std::vector<WCHAR> question;
    for (const WCHAR* p = u"Delete List '"; *p; ++p) question.push_back(*p);
    for (const WCHAR* p = wide; *p; ++p) question.push_back(*p);
    for (const WCHAR* p = u"'?"; *p; ++p) question.push_back(*p);
    question.push_back(0);
    if (messageDialog(hwnd, question.data(), u"Delete List", MD_STYLE_WARNING_YESNO) != 6) return 0;

    LPCWSTR message = nullptr;
    if (!dropList(strCurrentList, &message)) {
        messageDialog(hwnd, message, u"Error", MD_STYLE_OK);
        return 0;
    }

    // The clipboard and the undo record may name items of the deleted list
    // (or of a list whose key was that list's): neither may outlive it.
    longClipboardID = 0;
    bUndoAvailable = 0;

    if (readFirstListName(dbCurrent, strCurrentList, CURRENT_LIST_BYTES) == 1)
        showFirstRemainingList();
    else
        showNoLists();
    return 0;
}
