// The Import List command: the file, the target list, the progress window
// and the outline afterwards.
#include <algorithm>
#include <cstdio>
#include <string>

#include "aygshell.h"
#include "common/codepage.h"
#include "common/message_dialog.h"
#include "dialogs/file_chooser.h"
#include "dialogs/progress_window.h"
#include "exchange/list_file_format.h"
#include "exchange/outline_document.h"
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

// The first line of the file, at most 199 characters; empty when the file
// is empty.
bool readFirstLine(LPCWSTR path, WCHAR* line, int capacity) {
    FILE* file = _wfopen(path, u"r");
    if (!file) return false;
    if (!fgetws(line, capacity, file)) line[0] = 0;
    fclose(file);
    return true;
}

// Makes the list `name` current and active with the attributes of the list
// that was current, never its password.
bool createImportList(const char* name) {
    ListAttributes attributes = attrCurrentList;
    attributes.bPassword = 0;
    attributes.strPassword[0] = 0;
    codePageToWide(name, attributes.strListName, LIST_NAME_CHARS);
    if (!createList(name, attributes)) return false;
    attrCurrentList = attributes;
    return true;
}

// The first line a text file of the outline would have: "!" and the
// outline's title, which names the new list.
void titleLine(const OutlineDocument& outline, WCHAR* line, int capacity) {
    std::u16string title = u"!" + outline.title;
    size_t length = std::min(title.size(), size_t(capacity - 1));
    std::char_traits<WCHAR>::copy(line, title.data(), length);
    line[length] = 0;
}

// Prepares a new list for the file's items; false (told) when it cannot.
// The list is named by the first line of a text file, or by the title of
// `outline` when there is one.
bool startNewList(HWND hwnd, HWND progress, LPCWSTR path, const OutlineDocument* outline) {
    WCHAR firstLine[200] = {};
    if (outline) {
        titleLine(*outline, firstLine, 200);
    } else if (!readFirstLine(path, firstLine, 200)) {
        closeProgressWindow(progress);
        messageDialog(hwnd, u"Could not open file!", u"Warning Message", MD_STYLE_WARNING);
        return false;
    }
    WCHAR name[LIST_NAME_CHARS];
    makeImportListName(firstLine, hwndListCombo, name, LIST_NAME_CHARS);
    char stored[codePageBytes(LIST_NAME_CHARS)];
    wideToCodePage(name, stored, sizeof stored, LIST_NAME_CHARS - 1);
    if (!createImportList(stored)) {
        closeProgressWindow(progress);
        messageDialog(hwnd, u"Failed to create new list!", u"Error", MD_STYLE_WARNING);
        return false;
    }
    bListLocked = 0;
    bNoLists = 0;
    std::char_traits<char>::copy(strCurrentList, stored, std::char_traits<char>::length(stored) + 1);
    ListNameCombo box(hwndListCombo);
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

int looksLikeText(LPCWSTR path) {
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;  // opening it will say what is wrong
    unsigned char head[4096];
    DWORD got = 0;
    BOOL read = ReadFile(file, head, sizeof head, &got, nullptr);
    CloseHandle(file);
    if (!read || got < 2) return 1;
    bool utf16 = (head[0] == 0xFF && head[1] == 0xFE) || (head[0] == 0xFE && head[1] == 0xFF);
    if (utf16) return 1;
    for (DWORD i = 0; i < got; ++i)
        if (head[i] == 0) return 0;
    return 1;
}

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
    int format = listFormatOfFile(path);
    // A picture or a database renamed .txt would come in as lists of noise;
    // XML names its own encoding, and the parser judges it.
    if (format != LIST_FILE_OPML && !looksLikeText(path)) {
        messageDialog(hwnd, u"The selected file is not a text file!", u"Warning Message", MD_STYLE_WARNING);
        return 0;
    }
    // An outline is read whole before anything changes, so that a file
    // that is not one leaves the lists as they were.
    OutlineDocument outline;
    if (format != LIST_FILE_TEXT) {
        std::u16string message;
        if (!readOutlineFile(path, format, &outline, &message)) {
            messageDialog(hwnd, message.c_str(), u"Warning Message", MD_STYLE_WARNING);
            return 0;
        }
    }
    const OutlineDocument* read = format != LIST_FILE_TEXT ? &outline : nullptr;

    int target = 1;
    if (intListCount != 0) {
        // There is no current list to add to while it is locked or none is active.
        target = runImportOptions(hwnd, bListLocked != 1 && strCurrentList[0] != 0);
        if (target == 0) return 0;
    }
    HWND progress = openProgressWindow(hwnd);
    startProgressWindow(progress, u"Importing a List", u"Beginning Import...", 0, 100, 1);
    if (target == 1 && !startNewList(hwnd, progress, path, read)) {
        updateMenus();
        return 0;
    }
    bUndoAvailable = 0;
    if (hwndNotes) SetWindowTextW(hwndNotes, u"");
    updateMenus();

    int done = read ? importOutline(hwnd, progress, *read) : importList(hwnd, progress, path, IMPORT_LINE_CHARS);
    if (done) closeProgressWindow(progress);
    showImportedList();
    return 0;
}
