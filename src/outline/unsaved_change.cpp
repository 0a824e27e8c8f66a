#include "outline/unsaved_change.h"

#include <sqlite3.h>

#include <string>

#include "common/message_dialog.h"
#include "common/wide_text.h"
#include "outline/outline_reload.h"
#include "outline/tree_load.h"
#include "state/app_state.h"
#include "state/shell_calls.h"
#include "storage/list_attributes.h"
#include "storage/statements.h"
#include "wcrt.h"

namespace {

// A message is on the screen: writes that fail while it is (the dialog runs
// messages of its own) belong to the same failure.
bool reporting = false;
// Commands running (one may send another), and whether the outermost has
// told of a write that failed: what else fails in it is the same failure.
int commandDepth = 0;
bool toldInCommand = false;

// The outline loaded again from the stored rows, the panes fitted to it.
void showStoredOutline() {
    setWaitCursor(1);
    reloadCurrentList();
    setWaitCursor(0);
    fitPanesToOutline();
    updateMenus();
}

}  // namespace

bool lastStatementFailed() {
    if (!dbCurrent) return false;
    const int code = sqlite3_errcode(dbCurrent);
    return code != SQLITE_OK && code != SQLITE_ROW && code != SQLITE_DONE;
}

bool storeIsFull() {
    // The file system's word still holds when SQLite has rolled back since
    // (a failed command's closing statements overwrite the connection's
    // last error).
    return (dbCurrent && sqlite3_errcode(dbCurrent) == SQLITE_FULL) || GetLastError() == ERROR_DISK_FULL;
}

// The connection's own error when its last statement failed; else the
// failure storage noted last (statements of the command may have run after
// the one that failed, until its transaction gave up).
int failureCode() { return lastStatementFailed() ? sqlite3_errcode(dbCurrent) : storageErrorCode(); }

bool failedForFullStore() { return storeIsFull() || failureCode() == SQLITE_FULL; }

void unsavedChangeText(WCHAR* out, int capacity) {
    const bool own = lastStatementFailed();
    const int code = failureCode();
    if (failedForFullStore()) {
        copyText(out, capacity, u"The list could not be saved because the storage is full.");
        return;
    }
    std::u16string text = u"The list could not be saved.";
    const char* why = own ? sqlite3_errmsg(dbCurrent) : storageErrorText();
    if (code != SQLITE_OK && why && why[0]) {
        WCHAR reason[160] = {};
        MultiByteToWideChar(CP_UTF8, 0, why, -1, reason, 160);
        reason[159] = 0;
        text = u"The list could not be saved: " + std::u16string(reason) + u".";
    }
    copyText(out, capacity, text.c_str());
}

void reportUnsavedChange() {
    WCHAR text[200];
    unsavedChangeText(text, 200);
    reportUnsavedChange(text);
}

void reportUnsavedChange(LPCWSTR text) {
    if (reporting) return;
    reporting = true;
    toldInCommand = true;
    // Typing goes on where it was once the message is read.
    HWND focus = GetFocus();
    messageDialog(hwndMain, text, u"Error", MD_STYLE_WARNING);
    if (focus && IsWindow(focus) && IsWindowVisible(focus)) SetFocus(focus);
    // Told: a later failure for another reason must not read as this one.
    SetLastError(ERROR_SUCCESS);
    reporting = false;
}

void reportUnsavedChangeAndReload() {
    if (reporting) return;
    reportUnsavedChange();
    showStoredOutline();
}

void reportUnsavedChangeAndReload(LPCWSTR text) {
    if (reporting) return;
    reportUnsavedChange(text);
    showStoredOutline();
}

int checkStored(bool stored) {
    if (stored) return 1;
    reportUnsavedChangeAndReload();
    return 0;
}

void beginCommandWrites() {
    beginCommandMessages();
    if (commandDepth++ > 0) return;
    SetLastError(ERROR_SUCCESS);
    toldInCommand = false;
}

void endCommandWrites() {
    const bool told = fullStoreToldInCommand();
    endCommandMessages();
    if (--commandDepth > 0) return;
    const bool full = GetLastError() == ERROR_DISK_FULL;
    // A window that is gone has no outline left to put right.
    if (!full || toldInCommand || told || !dbCurrent || !hwndMain || !IsWindow(hwndMain)) {
        SetLastError(ERROR_SUCCESS);
        return;
    }
    // The message answers the store's error (and clears it).
    // What the command wrote may have been a setting as much as an item.
    reportUnsavedChange(u"Your change could not be saved because the storage is full.");
    showStoredOutline();
}

bool storeCurrentListAttributes(bool leaving) {
    if (!dbCurrent || intListCount <= 0 || !strCurrentList[0]) return true;
    WCHAR text[200];
    {
        CommandTransaction change(dbCurrent);
        if (writeListAttributes(dbCurrent, strCurrentList, attrCurrentList) == 1 && change.commit()) return true;
        // Told in SQLite's words before the rollback takes them.
        unsavedChangeText(text, 200);
    }
    const bool shown = !leaving && hwndMain && IsWindow(hwndMain);
    if (!shown) {
        reportUnsavedChange(text);
        return false;
    }
    ListAttributes stored = attrCurrentList;
    if (readListAttributes(dbCurrent, strCurrentList, &stored) == 1) {
        attrCurrentList = stored;
        applyListAttributes(attrCurrentList);
    }
    reportUnsavedChangeAndReload(text);
    return false;
}
