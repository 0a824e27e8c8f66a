// Exit, WM_CLOSE and WM_DESTROY of the main window.
#include "shell/shutdown.h"

#include "aygshell.h"
#include "common/message_dialog.h"
#include "common/paths.h"
#include "lists/backup.h"
#include "lists/database_files.h"
#include "outline/item_draw.h"
#include "outline/outline_paint.h"
#include "outline/tree_load.h"
#include "shell/main_window.h"
#include "state/app_state.h"
#include "storage/database.h"
#include "storage/list_attributes.h"
#include "storage/settings.h"
#include "wcrt.h"

namespace {

int openDatabaseInBackupFolder() {
    WCHAR folder[BACKUP_FOLDER_CHARS] = {};
    currentBackupFolder(folder);
    return !isOutsideBackupFolder(folder, strCurrentDbFile);
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
    if (dbCurrent && backupsEnabled() && openDatabaseInBackupFolder()) warnBackupImpossible(hwnd);
    SendMessageW(hwnd, WM_CLOSE, 0, 0);
    return 0;
}

LRESULT onClose(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    setSettingInt(SETTING_NOTESEBOPEN, bNotesOpen);
    SHSipPreference(hwnd, SIP_FORCEDOWN);
    // The database is stored, compacted, closed and backed up while the
    // window still shows, so that a backup that does not fit is reported to
    // a person who can see what it is about, not after the window has gone.
    showWaitCursor(1);
    leaveCurrentDatabase(hwnd, 0);
    showWaitCursor(0);
    if (hwndMenuBar) DestroyWindow(hwndMenuBar);
    hwndMenuBar = nullptr;
    DestroyWindow(hwnd);
    return 0;
}

LRESULT onDestroy(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    showWaitCursor(1);
    // Left already by WM_CLOSE; only a window destroyed without one still
    // holds its database here. The Exit command has warned already when no
    // backup can be made.
    leaveCurrentDatabase(hwnd, 0);
    dbCurrent = nullptr;
    releaseDrawingResources();
    if (hwndMenuBar) DestroyWindow(hwndMenuBar);
    hwndMenuBar = nullptr;
    showWaitCursor(0);
    PostQuitMessage(0);
    return 0;
}
