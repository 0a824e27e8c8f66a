#include "outline/outline_reload.h"

#include <string>

#include "outline/current_items.h"
#include "outline/notes.h"
#include "outline/tree_load.h"
#include "state/app_state.h"
#include "storage/item_statements.h"

int currentListOpen() { return dbCurrent && strCurrentList[0] && bListLocked != 1 ? 1 : 0; }

int runOnCurrentList(const char* templ, int flag) {
    if (!currentListOpen()) return 0;
    return item_sql::prepare(currentItemTable(), templ).bind(flag).run();
}

void reloadCurrentList() {
    if (!currentListOpen() || !hwndMainTV) return;
    reloadOutline();
    // Every node was made anew and none is selected: the pane must not go
    // on showing (and taking typing for) the note of an item left behind.
    if (hwndNotes) loadItemNote(0);
}

void fitPanesToOutline() {
    if (!hwndMainTV) return;
    const bool items = SendMessageW(hwndMainTV, TVM_GETCOUNT, 0, 0) > 0;
    bool changed = false;
    for (HWND pane : {hwndMainTV, hwndNotes, hwndSplitter}) {
        if (!pane || (IsWindowVisible(pane) != FALSE) == items) continue;
        ShowWindow(pane, items ? SW_SHOW : SW_HIDE);
        changed = true;
    }
    if (!changed) return;
    if (hwndMain) {
        InvalidateRect(hwndMain, nullptr, TRUE);
        SendMessageW(hwndMain, WM_SETTINGCHANGE, 0, 0);
    }
}
