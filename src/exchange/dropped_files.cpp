// A dropped database is opened, a dropped text file imported.
#include "exchange/dropped_files.h"

#include "common/message_dialog.h"
#include "common/paths.h"
#include "exchange/text_import.h"
#include "lists/database_files.h"
#include "state/app_state.h"
#include "wcrt.h"

namespace {

constexpr int kPathChars = MAX_PATH;

bool hasExtension(LPCWSTR path, LPCWSTR extension) {
    size_t n = wcslen(path), e = wcslen(extension);
    return n > e && _wcsicmp(path + n - e, extension) == 0;
}

// The file's name split at its last dot ("list.txt": "list", ".txt").
void splitName(LPCWSTR path, WCHAR* base, WCHAR* extension) {
    getFilePart(path, base, kPathChars);
    extension[0] = 0;
    if (WCHAR* dot = wcsrchr(base, u'.'); dot && dot != base) {
        wcscpy(extension, dot);
        *dot = 0;
    }
}

// The file is copied into the documents folder under a name not taken yet,
// so the import never reads a file the desktop may change meanwhile and
// the list's source stays on the device.
void importDroppedText(HWND hwnd, LPCWSTR path) {
    if (!dbCurrent) {
        messageDialog(hwnd, u"Open or create a database before importing a list.", u"Warning Message",
                      MD_STYLE_WARNING);
        return;
    }
    WCHAR folder[kPathChars], base[kPathChars], extension[kPathChars], copy[kPathChars];
    getDocumentsFolder(folder, kPathChars);
    splitName(path, base, extension);
    makeUniqueFileName(folder, base, extension, copy, kPathChars);
    if (!CopyFileW(path, copy, TRUE)) {
        messageDialog(hwnd, u"Could not copy the file!", u"Warning Message", MD_STYLE_WARNING);
        return;
    }
    importListFile(hwnd, copy);
}

}  // namespace

void acceptDroppedFiles(HWND hwnd) { DragAcceptFiles(hwnd, TRUE); }

LRESULT onDropFiles(HWND hwnd, UINT, WPARAM wParam, LPARAM) {
    HDROP drop = (HDROP)wParam;
    WCHAR path[kPathChars] = {};
    bool got = DragQueryFileW(drop, 0, path, kPathChars) > 0;
    DragFinish(drop);
    if (!got) return 0;
    // Device paths begin with a backslash; anything else lies outside the
    // device and its storage card, where the program cannot reach.
    if (path[0] != u'\\') {
        messageDialog(hwnd, u"Only files on the device or on the storage card can be used.", u"Warning Message",
                      MD_STYLE_WARNING);
        return 0;
    }
    if (hasExtension(path, u".qu2")) return openDatabaseFile(hwnd, path);
    importDroppedText(hwnd, path);
    return 0;
}
