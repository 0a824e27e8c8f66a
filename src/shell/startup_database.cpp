// The database of a start: the remembered or command-line file, or on the
// first run the default database with its first list.
#include "shell/startup_database.h"

#include "aygshell.h"
#include "common/message_dialog.h"
#include "common/paths.h"
#include "dialogs/notice.h"
#include "lists/list_management.h"
#include "lists/list_name_combo.h"
#include "lists/list_passwords.h"
#include "outline/tree_load.h"
#include "resources/resource_ids.h"
#include "shell/main_window.h"
#include "shell/menu_bar.h"
#include "state/app_state.h"
#include "storage/database.h"
#include "storage/list_attributes.h"
#include "storage/settings.h"
#include "wcrt.h"

using namespace res;

namespace {

void fillListBox() {
    ListNameCombo box(hwndListCombo);
    intListCount = fillListNameBox(dbCurrent, box);
    if (intListCount > 0) {
        enableMenuBarItem(kCmdRenameList, 1);
        enableMenuBarItem(kCmdDeleteList, 1);
    }
}

void repaintNow() {
    InvalidateRect(hwndMain, nullptr, TRUE);
    UpdateWindow(hwndMain);
}

void copyPath(LPCWSTR path) {
    wcsncpy(strCurrentDbFile, path, CURRENT_DB_FILE_CHARS - 1);
    strCurrentDbFile[CURRENT_DB_FILE_CHARS - 1] = 0;
}

// The remembered or command-line database; 1 when a file was tried (opened
// or not), 0 when there was none to try.
int openNamedDatabase() {
    WCHAR path[SETTING_TEXT_CHARS] = {};
    int remembered = getSettingText(SETTING_CURRENTDBFILE, path);
    if (!remembered && !strCurrentDbFile[0]) return 0;
    if (strCurrentDbFile[0]) {
        wcsncpy(path, strCurrentDbFile, SETTING_TEXT_CHARS - 1);
        path[SETTING_TEXT_CHARS - 1] = 0;
    }
    // A file that has gone away is forgotten quietly.
    if (!path[0] || !fileExists(path)) return 0;
    sqlite3* db = openListDatabase(path);
    ShowWindow(hwndListName, SW_SHOW);
    SHSipPreference(hwndMain, SIP_DOWN);
    setSettingText(SETTING_CURRENTDBFILE, path);
    if (!db) {
        // The program runs on without a database; the window says so.
        bNoDatabase = 1;
        return 1;
    }
    bNoDatabase = 0;
    dbCurrent = db;
    for (UINT id : {kCmdDatabaseAttributes, kCmdNewList, kCmdImportList, kCmdSetPasswordForList, kCmdSetPasswordAlt})
        enableMenuBarItem(id, 1);
    fillListBox();
    openActiveListAtStart(1);
    copyPath(path);
    return 1;
}

void createDefaultDatabase() {
    showNotice(hwndMain);
    messageDialog(hwndMain, u"Creating a new default database called 'quillet.qu2'", u"Startup Info", MD_STYLE_OK);
    WCHAR folder[CURRENT_DB_FILE_CHARS] = {};
    getProgramFolder(folder, CURRENT_DB_FILE_CHARS);
    WCHAR path[CURRENT_DB_FILE_CHARS] = {};
    if (wcslen(folder) + 13 < (size_t)CURRENT_DB_FILE_CHARS) {
        wcscpy(path, folder);
        wcscat(path, u"\\quillet.qu2");
    }
    const bool existed = path[0] && fileExists(path);
    sqlite3* db = path[0] ? openListDatabase(path) : nullptr;
    if (!db) {
        // What the failed creation left (an empty file on a full store) would
        // stop the next start from making the database afresh.
        if (path[0] && !existed) DeleteFileW(path);
        messageDialog(hwndMain, u"Could not create the default database file!", u"Error", MD_STYLE_OK);
        return;
    }
    dbCurrent = db;
    for (UINT id : {kCmdDatabaseAttributes, kCmdNewList, kCmdImportList}) enableMenuBarItem(id, 1);
    setSettingText(SETTING_CURRENTDBFILE, path);
    fillListBox();
    openActiveListAtStart(0);
    copyPath(path);
    bNoDatabase = 0;
    repaintNow();
    // The user names the first list, exactly as with File > New List.
    SendMessageW(hwndMain, WM_COMMAND, MAKEWPARAM(kCmdNewList, 0), 0);
}

}  // namespace

void openActiveListAtStart(int askPassword) {
    if (!readActiveListName(dbCurrent, strCurrentList, CURRENT_LIST_BYTES)) {
        strCurrentList[0] = 0;
        intListIndex = 0;
        return;
    }
    intListIndex = selectListInBox(strCurrentList);
    readListAttributes(dbCurrent, strCurrentList, &attrCurrentList);
    applyListAttributes(attrCurrentList);
    if (attrCurrentList.bRootBold == 1) SendMessageW(hwndMainTV, WM_SETFONT, (WPARAM)hfontTreeBold, TRUE);
    repaintNow();
    if (askPassword && attrCurrentList.bPassword == 1) bListLocked = askListPassword();
    applyMenuDecision();
    if (bListLocked != 1) {
        showWaitCursor(1);
        reloadOutline();
        showWaitCursor(0);
        enableMenuBarItem(kCmdExportList, 1);
    }
}

void openDatabaseAtStart(int settingsExisted) {
    if (openNamedDatabase()) return;
    if (!defaultDatabaseExists() && !settingsExisted) createDefaultDatabase();
    // Otherwise nothing is opened and the window shows that no database is open.
}
