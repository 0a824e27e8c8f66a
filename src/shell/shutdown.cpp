// Exit, WM_CLOSE and WM_DESTROY of the main window.
#include "shell/shutdown.h"

#include "aygshell.h"
#include "common/message_dialog.h"
#include "common/paths.h"
#include "lists/list_name_combo.h"
#include "outline/item_draw.h"
#include "outline/outline_paint.h"
#include "outline/tree_load.h"
#include "shell/app_state.h"
#include "shell/main_window.h"
#include "storage/database.h"
#include "storage/list_attributes.h"
#include "storage/settings.h"
#include "wcrt.h"

namespace {

int backupsOn() {
    int on = bBackupDatabase;
    getSettingInt(SETTING_BACKUPDATABASE, &on);
    return on == 1;
}

int openDatabaseInBackupFolder() {
    WCHAR folder[SETTING_TEXT_CHARS] = {};
    if (!getSettingText(SETTING_BACKUPFOLDER, folder)) wcscpy(folder, strBackupFolder);
    return databaseInBackupFolder(strCurrentDbFile, folder);
}

template <typename Handle>
void release(Handle& handle) {
    if (handle) DeleteObject(handle);
    handle = nullptr;
}

void releaseDrawingResources() {
    for (HFONT* font : {&hfontTree, &hfontTreeBold, &hfontTreeStrike, &hfontTreeBoldStrike, &hfontNotes, &hfontListName})
        release(*font);
    release(hbrNoteBackground);
    releasePaintResources();  // edit bar strips, back buffer, background picture, padlocks
    if (hwndMainTV) releaseStateImageList(hwndMainTV);
    releaseItemPictures();    // note marker, check boxes, expand/collapse buttons
    release(hbrBackground);
    release(hbrFindBar);
}

}  // namespace

int databaseInBackupFolder(LPCWSTR dbFile, LPCWSTR backupFolder) {
    if (!dbFile || !backupFolder || !dbFile[0]) return 0;
    WCHAR folder[CURRENT_DB_FILE_CHARS] = {};
    getFolderPart(dbFile, folder, CURRENT_DB_FILE_CHARS);
    return _wcsicmp(folder, backupFolder) == 0;
}

LRESULT onExit(HWND hwnd, int id, HWND hwndCtl, int code) {
    if (dbCurrent && backupsOn() && openDatabaseInBackupFolder()) {
        messageDialog(hwnd,
                      u"The currently opened database file is in the specified backup folder location, so a backup "
                      u"cannot be made.",
                      u"Warning", MD_STYLE_WARNING);
    }
    SendMessageW(hwnd, WM_CLOSE, 0, 0);
    return 0;
}

LRESULT onClose(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    setSettingInt(SETTING_NOTESEBOPEN, bNotesOpen);
    SHSipPreference(hwnd, SIP_FORCEDOWN);
    if (hwndMenuBar) DestroyWindow(hwndMenuBar);
    hwndMenuBar = nullptr;
    DestroyWindow(hwnd);
    return 0;
}

LRESULT onDestroy(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    setWaitCursor(1);
    if (dbCurrent) {
        // Lists without an active one leave no current list: there is no row
        // to write back, and writing would add one without a name.
        if (intListCount > 0 && strCurrentList[0]) writeListAttributes(dbCurrent, strCurrentList, attrCurrentList);
        ListNameCombo lists(hwndListCombo);
        purgeAllLists(dbCurrent, lists);
        closeDatabaseFile(dbCurrent);
    }
    dbCurrent = nullptr;
    releaseDrawingResources();
    if (hwndMenuBar) DestroyWindow(hwndMenuBar);
    hwndMenuBar = nullptr;
    setWaitCursor(0);
    PostQuitMessage(0);
    return 0;
}
