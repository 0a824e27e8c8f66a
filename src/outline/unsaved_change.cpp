#include "outline/unsaved_change.h"

#include <sqlite3.h>

#include <string>

#include "common/message_dialog.h"
#include "outline/outline_reload.h"
#include "shell/app_state.h"
#include "state/shell_calls.h"
#include "storage/statements.h"
#include "wcrt.h"

namespace {

// A message is on the screen: writes that fail while it is (the dialog runs
// messages of its own) belong to the same failure.
bool reporting = false;

void copyText(WCHAR* out, int capacity, const std::u16string& text) {
    if (!out || capacity <= 0) return;
    size_t n = text.size() < size_t(capacity - 1) ? text.size() : size_t(capacity - 1);
    std::char_traits<WCHAR>::copy(out, text.data(), n);
    out[n] = 0;
}

}  // namespace

bool lastStatementFailed() {
    if (!dbCurrent) return false;
    const int code = sqlite3_errcode(dbCurrent);
    return code != SQLITE_OK && code != SQLITE_ROW && code != SQLITE_DONE;
}

void unsavedChangeText(WCHAR* out, int capacity) {
    // The connection's own error when its last statement failed; else the
    // failure storage noted last (statements of the command may have run
    // after the one that failed, until its transaction gave up).
    const bool own = lastStatementFailed();
    const int code = own ? sqlite3_errcode(dbCurrent) : storageErrorCode();
    if (code == SQLITE_FULL) {
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
    copyText(out, capacity, text);
}

void reportUnsavedChange() {
    WCHAR text[200];
    unsavedChangeText(text, 200);
    reportUnsavedChange(text);
}

void reportUnsavedChange(LPCWSTR text) {
    if (reporting) return;
    reporting = true;
    // Typing goes on where it was once the message is read.
    HWND focus = GetFocus();
    messageDialog(hwndMain, text, u"Error", MD_STYLE_WARNING);
    if (focus && IsWindow(focus) && IsWindowVisible(focus)) SetFocus(focus);
    reporting = false;
}

void reportUnsavedChangeAndReload() {
    WCHAR text[200];
    unsavedChangeText(text, 200);
    reportUnsavedChangeAndReload(text);
}

void reportUnsavedChangeAndReload(LPCWSTR text) {
    if (reporting) return;
    reportUnsavedChange(text);
    setWaitCursor(1);
    reloadCurrentList();
    setWaitCursor(0);
    fitPanesToOutline();
    updateMenus();
}

int checkStored(bool stored) {
    if (stored) return 1;
    reportUnsavedChangeAndReload();
    return 0;
}
