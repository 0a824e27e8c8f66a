// The Import List command: the file, the target list, the progress window
// and the outline afterwards. The steps without a window are in
// import_steps.cpp.
#include <cstdio>

#include "aygshell.h"
#include "dialogs/file_chooser.h"
#include "dialogs/progress_window.h"
#include "exchange/import_steps.h"
#include "exchange/list_file_format.h"
#include "exchange/remembered_paths.h"
#include "exchange/text_import.h"
#include "lists/list_management.h"
#include "lists/list_name_combo.h"
#include "state/app_state.h"
#include "state/shell_calls.h"
#include "storage/database.h"
#include "storage/list_attributes.h"
#include "wcrt.h"

namespace {

// Prepares a new list for the file's items; false (told) when it cannot.
bool startNewList(HWND hwnd, HWND progress, LPCWSTR path, const ImportSource& source) {
    ListNameCombo box(hwndListCombo);
    if (!createImportList(hwnd, progress, path, source, box)) return false;
    intListCount = fillListNameBox(dbCurrent, box);
    intListIndex = selectListInBox(strCurrentList);
    if (hwndMainTV) ShowWindow(hwndMainTV, SW_HIDE);
    if (hwndMain) {
        InvalidateRect(hwndMain, nullptr, TRUE);
        UpdateWindow(hwndMain);
    }
    if (hwndMainTV) SendMessageW(hwndMainTV, TVM_DELETEITEM, 0, LPARAM(TVI_ROOT));
    if (progress) UpdateWindow(progress);
    return true;
}

void showImportedList() {
    loadCurrentList();
    int items = hwndMainTV ? int(SendMessageW(hwndMainTV, TVM_GETCOUNT, 0, 0)) : 0;
    for (HWND pane : {hwndMainTV, hwndNotes, hwndSplitter})
        if (pane) ShowWindow(pane, items > 0 ? SW_SHOW : SW_HIDE);
    if (hwndMain) SendMessageW(hwndMain, WM_SETTINGCHANGE, 0, 0);
    if (hwndMainTV) {
        SetFocus(hwndMainTV);
        SendMessageW(hwndMainTV, TVM_SELECTITEM, TVGN_CARET, 0);
    }
}

}  // namespace

LRESULT onImportList(HWND hwnd, int, HWND, int) {
    if (!dbCurrent) return 0;
    SHSipPreference(hwnd, SIP_DOWN);
    WCHAR path[CHOOSER_PATH_CHARS] = {};
    if (readRegistryText(REGISTRY_PREVIOUS_IMPORT, path, CHOOSER_PATH_CHARS) != 0 || !path[0]) wcscpy(path, u"\\");
    FileChooserRequest request = {path, u"Import List From a File", kListFileExtensions, CHOOSE_FILE,
                                  CHOOSER_PATH_CHARS};
    if (!chooseFile(hwnd, &request) || !path[0]) return 0;
    writeRegistryText(REGISTRY_PREVIOUS_IMPORT, path);
    flushRegistryKey();
    return importListFile(hwnd, path);
}

LRESULT importListFile(HWND hwnd, LPCWSTR path) {
    if (!dbCurrent) return 0;
    ImportSource source;
    if (!readImportSource(hwnd, path, &source)) return 0;

    int target = 1;
    if (intListCount != 0) {
        // There is no current list to add to while it is locked or none is active.
        target = runImportOptions(hwnd, bListLocked != 1 && strCurrentList[0] != 0);
        if (target == 0) return 0;
    }
    HWND progress = openProgressWindow(hwnd);
    startProgressWindow(progress, u"Importing a List", u"Beginning Import...", 0, 100, 1);
    if (target == 1 && !startNewList(hwnd, progress, path, source)) {
        updateMenus();
        return 0;
    }
    bUndoAvailable = 0;
    if (hwndNotes) SetWindowTextW(hwndNotes, u"");
    updateMenus();

    if (importIntoCurrentList(hwnd, progress, path, source)) closeProgressWindow(progress);
    showImportedList();
    return 0;
}
