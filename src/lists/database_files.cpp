// New Database, Open Database, Database Attributes and leaving the current
// database.
//
// Sections: shared steps | leaving | New Database | Open Database |
// Database Attributes
#include "lists/database_files.h"

#include "aygshell.h"
#include "common/message_dialog.h"
#include "common/paths.h"
#include "crypto/cipher.h"
#include "dialogs/file_chooser.h"
#include "dialogs/info_window.h"
#include "lists/backup.h"
#include "lists/list_management.h"
#include "lists/list_name_combo.h"
#include "lists/list_passwords.h"
#include "outline/item_clipboard.h"
#include "outline/tree_load.h"
#include "outline/unsaved_change.h"
#include "resources/resource_ids.h"
#include "state/app_state.h"
#include "state/shell_calls.h"
#include "storage/database.h"
#include "storage/list_attributes.h"
#include "storage/settings.h"
#include "wcrt.h"

using namespace res;

namespace {

// --- shared steps --------------------------------------------------------------

void showPanes(int show) {
    for (HWND pane : {hwndMainTV, hwndNotes, hwndSplitter})
        if (pane) ShowWindow(pane, show ? SW_SHOW : SW_HIDE);
}

int outlineItemCount() { return hwndMainTV ? int(SendMessageW(hwndMainTV, TVM_GETCOUNT, 0, 0)) : 0; }

void emptyOutline() {
    if (hwndMainTV) SendMessageW(hwndMainTV, TVM_DELETEITEM, 0, LPARAM(TVI_ROOT));
}

void emptyNotes() {
    if (hwndNotes) SetWindowTextW(hwndNotes, u"");
}

void setListName(LPCWSTR text) {
    if (hwndListName) SetWindowTextW(hwndListName, text);
}

void relayout() {
    if (hwndMain) SendMessageW(hwndMain, WM_SETTINGCHANGE, 0, 0);
}

void repaintMain() {
    if (hwndMain) InvalidateRect(hwndMain, nullptr, TRUE);
    if (hwndListName) InvalidateRect(hwndListName, nullptr, TRUE);
}

int refillListBox() {
    ListNameCombo box(hwndListCombo);
    return fillListNameBox(dbCurrent, box);
}

void setCurrentDbFile(LPCWSTR path) {
    wcsncpy(strCurrentDbFile, path, CURRENT_DB_FILE_CHARS - 1);
    strCurrentDbFile[CURRENT_DB_FILE_CHARS - 1] = 0;
}

// No list is current: nothing of the list that was may stay on view, and
// its password does not go with it into the next file.
void forgetCurrentList() {
    strCurrentList[0] = 0;
    intListIndex = 0;
    setListName(u"");
    emptyOutline();
    emptyNotes();
    showPanes(0);
    bListLocked = 0;
    bClipboardEncrypted = 0;
    attrCurrentList.bPassword = 0;
    attrCurrentList.strPassword[0] = 0;
}

// The file could not be opened and the one before is closed already: the
// program goes on without a database.
void showNoDatabase() {
    dbCurrent = nullptr;
    bNoDatabase = 1;
    bNoLists = 0;
    intListCount = 0;
    strCurrentDbFile[0] = 0;
    if (hwndListCombo) SendMessageW(hwndListCombo, CB_RESETCONTENT, 0, 0);
    forgetCurrentList();
    relayout();
    repaintMain();
}

// The chooser for one of the two commands; 1 and the path when accepted.
int chooseDatabase(HWND hwnd, LPCWSTR title, int mode, WCHAR* path) {
    FileChooserRequest request = {path, title, u".qu2", mode, CHOOSER_PATH_CHARS};
    return chooseFile(hwnd, &request) && path[0];
}

}  // namespace

// --- leaving -------------------------------------------------------------------

void leaveCurrentDatabase(HWND owner, int warnInBackupFolder) {
    if (!dbCurrent) return;
    // Lists without an active one leave no current list: there is no row
    // to write back, and writing would add one without a name.
    storeCurrentListAttributes(true);
    ListNameCombo lists(hwndListCombo);
    purgeAllLists(dbCurrent, lists);
    closeDatabaseFile(dbCurrent);
    dbCurrent = nullptr;
    // A compaction that did not fit loses nothing: the file stays as it was.
    SetLastError(ERROR_SUCCESS);
    // The copy is made of the closed file, so it is whole and compacted.
    backUpClosedDatabase(owner, strCurrentDbFile, warnInBackupFolder);
    emptyItemClipboard();
    bUndoAvailable = 0;
    releaseCipherBuffer();
}

// --- New Database ----------------------------------------------------------------

void newDatabaseStartPath(LPCWSTR remembered, WCHAR* out, int capacity) {
    WCHAR folder[CURRENT_DB_FILE_CHARS] = {};
    if (remembered && remembered[0])
        getFolderPart(remembered, folder, CURRENT_DB_FILE_CHARS);
    else
        getDocumentsFolder(folder, CURRENT_DB_FILE_CHARS);
    makeUniqueFileName(folder, u"quillet", u".qu2", out, capacity);
}

LRESULT onNewDatabase(HWND hwnd, int, HWND, int) {
    WCHAR remembered[SETTING_TEXT_CHARS] = {};
    if (!getSettingText(SETTING_CURRENTDBFILE, remembered)) remembered[0] = 0;
    WCHAR path[CHOOSER_PATH_CHARS] = {};
    newDatabaseStartPath(remembered, path, CHOOSER_PATH_CHARS);
    if (!chooseDatabase(hwnd, u"New Database File", CHOOSE_NEW_FILE, path)) return 0;

    emptyNotes();
    leaveCurrentDatabase(hwnd, 1);
    strCurrentList[0] = 0;
    strCurrentDbFile[0] = 0;
    dbCurrent = openListDatabase(path);
    if (!dbCurrent) {
        showNoDatabase();
        messageDialog(hwnd, u"Error in opening a new database!", u"Error", MD_STYLE_OK);
        updateMenus();
        return 0;
    }
    for (UINT id : {kCmdDatabaseAttributes, kCmdNewList, kCmdImportList}) enableMenuCommand(id, 1);
    intListCount = refillListBox();
    forgetCurrentList();
    setCurrentDbFile(path);
    setSettingText(SETTING_CURRENTDBFILE, path);
    // An existing file chosen here keeps its lists; the user picks one from
    // the list-name box, as after a start without an active list.
    bNoLists = intListCount == 0;
    bNoDatabase = 0;
    if (hwndListName) ShowWindow(hwndListName, SW_SHOW);
    repaintMain();
    relayout();
    updateMenus();
    return 0;
}

// --- Open Database ----------------------------------------------------------------

namespace {

// The active list of the newly opened file becomes current, or no list is.
void openActiveList() {
    if (!readActiveListName(dbCurrent, strCurrentList, CURRENT_LIST_BYTES)) {
        forgetCurrentList();
        relayout();
        return;
    }
    intListIndex = selectListInBox(strCurrentList);
    readListAttributes(dbCurrent, strCurrentList, &attrCurrentList);
    applyListAttributes(attrCurrentList);
    bListLocked = askListPassword();
    updateMenus();
    if (bListLocked == 1) return;
    loadCurrentList();
    enableMenuCommand(kCmdExportList, 1);
}

}  // namespace

LRESULT onOpenDatabase(HWND hwnd, int, HWND, int) {
    WCHAR remembered[SETTING_TEXT_CHARS] = {};
    WCHAR path[CHOOSER_PATH_CHARS] = {};
    if (getSettingText(SETTING_CURRENTDBFILE, remembered))
        getFolderPart(remembered, path, CHOOSER_PATH_CHARS);
    else
        getDocumentsFolder(path, CHOOSER_PATH_CHARS);
    if (!chooseDatabase(hwnd, u"Open Database File", CHOOSE_FILE, path)) return 0;
    return openDatabaseFile(hwnd, path);
}

LRESULT openDatabaseFile(HWND hwnd, LPCWSTR path) {
    // Only the file that is open counts: a remembered file that could not
    // be opened may be tried again.
    if (dbCurrent && _wcsicmp(path, strCurrentDbFile) == 0) {
        messageDialog(hwnd, u"The database file you are trying to open is already opened! ", u"Warning",
                      MD_STYLE_WARNING);
        return 0;
    }

    emptyNotes();
    leaveCurrentDatabase(hwnd, 1);
    strCurrentList[0] = 0;
    strCurrentDbFile[0] = 0;
    if (hwndListCombo) SendMessageW(hwndListCombo, CB_RESETCONTENT, 0, 0);
    setListName(u"");
    emptyOutline();
    if (hwndMainTV) ShowWindow(hwndMainTV, SW_HIDE);

    dbCurrent = openListDatabase(path);
    bNoDatabase = 1;
    if (hwndListName) ShowWindow(hwndListName, SW_SHOW);
    SHSipPreference(hwnd, SIP_DOWN);
    if (!dbCurrent) {
        showNoDatabase();
        messageDialog(hwnd, u"Could not open the selected database file!", u"Error", MD_STYLE_WARNING);
        updateMenus();
        return 0;
    }

    bNoDatabase = 0;
    for (UINT id : {kCmdDatabaseAttributes, kCmdNewList, kCmdImportList, kCmdSetPasswordForList, kCmdSetPasswordAlt})
        enableMenuCommand(id, 1);
    intListCount = refillListBox();
    bNoLists = intListCount == 0;
    if (intListCount > 0) {
        enableMenuCommand(kCmdRenameList, 1);
        enableMenuCommand(kCmdDeleteList, 1);
    }
    openActiveList();
    if (outlineItemCount() == 0) {
        showPanes(0);
        relayout();
    }
    setSettingText(SETTING_CURRENTDBFILE, path);
    setCurrentDbFile(path);
    if (outlineItemCount() > 0) showPanes(1);
    bUndoAvailable = 0;
    updateMenus();
    repaintMain();
    return 0;
}

// --- Database Attributes ------------------------------------------------------------

LRESULT onDatabaseAttributes(HWND hwnd, int, HWND, int) {
    // The path may take up to 199 characters before the count is added.
    const int capacity = int(INFO_TEXT_CHARS) + int(CURRENT_DB_FILE_CHARS);
    WCHAR text[capacity] = {};
    describeDatabase(dbCurrent, strCurrentDbFile, text, capacity);
    showInfoWindow(hwnd, text, u"Database Attributes");
    return 0;
}
