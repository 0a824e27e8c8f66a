#include "outline/item_clipboard.h"

#include <cstring>

#include "common/message_dialog.h"
#include "outline/current_items.h"
#include "outline/item_commands.h"
#include "outline/item_draw.h"
#include "outline/item_paste.h"
#include "outline/tree_load.h"
#include "outline/tree_ops.h"
#include "outline/unsaved_change.h"
#include "state/shell_calls.h"
#include "storage/item_table.h"

// Sections: clipboard state | menu and edit-bar marks | Copy | Cut | Paste |
// the Edit menu's text-or-item commands

namespace {

// Path of the database the clipboard item came from: a list of the same
// name in another file is a different list.
WCHAR strClipboardDbFile[CURRENT_DB_FILE_CHARS] = {};

enum {
    ID_EDIT_COPY = 40023,
    ID_EDIT_PASTE = 40024,
    ID_EDIT_CUT = 40028,
    EDIT_BAR_PASTE = 2,
    EDIT_BAR_DISABLED = 1,
    EDIT_BAR_ENABLED = 2,
    STRIP_HEIGHT = 40,
};

}  // namespace

// --- clipboard state -------------------------------------------------------------

void emptyItemClipboard() {
    longClipboardID = 0;
    strClipboardList[0] = 0;
    strClipboardDbFile[0] = 0;
}

int isClipboardParkedItem(const char* listName, LONG id) {
    if (!listName || id >= 0 || longClipboardID >= 0 || id != longClipboardID) return 0;
    if (std::strcmp(strClipboardList, listName) != 0) return 0;
    return std::memcmp(strClipboardDbFile, strCurrentDbFile, sizeof strClipboardDbFile) == 0 ? 1 : 0;
}

// --- menu and edit-bar marks -------------------------------------------------------

namespace {

HMENU menuBarMenu() {
    if (!hwndMenuBar) return nullptr;
    return (HMENU)SendMessageW(hwndMenuBar, SHCMBM_GETMENU, 0, 0);
}

void enableMenuCommand(UINT id, bool enable) {
    if (HMENU menu = menuBarMenu()) EnableMenuItem(menu, id, MF_BYCOMMAND | (enable ? MF_ENABLED : MF_GRAYED));
}

void repaintEditBar() {
    if (bEditBarVisible != 1 || !hwndMain) return;
    RECT client{};
    GetClientRect(hwndMain, &client);
    RECT strip{0, intListBarBottom, client.right, intListBarBottom + intListBarHeight};
    InvalidateRect(hwndMain, &strip, FALSE);
}

// The strip under the list-name bar where the edit bar sits.
void invalidateStripBelowListName() {
    if (bEditBarVisible != 1 || !hwndMain) return;
    int top = intListBarBottom;
    if (hwndListName) {
        RECT bar{};
        GetWindowRect(hwndListName, &bar);
        POINT corner{bar.left, bar.bottom};
        ScreenToClient(hwndMain, &corner);
        top = corner.y;
    }
    RECT strip{0, top, intWorkWidth, top + STRIP_HEIGHT};
    InvalidateRect(hwndMain, &strip, FALSE);
}

void showPasteState() {
    const bool full = longClipboardID != 0;
    enableMenuCommand(ID_EDIT_PASTE, full);
    intEditBarState[EDIT_BAR_PASTE] = full ? EDIT_BAR_ENABLED : EDIT_BAR_DISABLED;
    repaintEditBar();
}

void rememberSource() {
    std::memcpy(strClipboardList, strCurrentList, sizeof strClipboardList);
    strClipboardList[sizeof strClipboardList - 1] = 0;
    std::memcpy(strClipboardDbFile, strCurrentDbFile, sizeof strClipboardDbFile);
    strClipboardDbFile[CURRENT_DB_FILE_CHARS - 1] = 0;
}

}  // namespace

// --- Copy ------------------------------------------------------------------------------

int copySelectedItem() {
    HTREEITEM node = treeSelection(hwndMainTV);
    if (!node) return 0;
    longClipboardID = getItemId(hwndMainTV, node);
    invalidateStripBelowListName();
    rememberSource();
    showPasteState();
    bClipboardEncrypted = attrCurrentList.bPassword == 1 ? 1 : 0;
    return 1;
}

// --- Cut -------------------------------------------------------------------------------

namespace {

void cutSelectedItem() {
    HWND tree = hwndMainTV;
    HTREEITEM node = treeSelection(tree);
    if (!node || !dbCurrent) return;
    LONG id = getItemId(tree, node);
    if (id <= 0) return;
    longClipboardID = id;
    invalidateStripBelowListName();
    parkItemId(currentItemTable(), -id);
    // Parking is one statement: the connection's last error is its own. An
    // item that could not be parked stays where it is, and nothing is cut.
    if (lastStatementFailed()) {
        emptyItemClipboard();
        reportUnsavedChangeAndReload();
        return;
    }

    HTREEITEM parent = treeParent(tree, node);
    if (parent) {
        LONG parentId = getItemId(tree, parent);
        if (countChildRows(currentItemTable(), parentId) == 0) {
            ItemRecord record{};
            record.longID = parentId;
            record.intNumChild = 0;
            record.fieldMask = ITEM_NUMCHILD;
            writeItem(currentItemTable(), record);
        }
    }
    bUndoAvailable = id;
    longClipboardID = -id;
    rememberSource();

    SendMessageW(tree, TVM_DELETEITEM, 0, (LPARAM)node);
    updateMenus();
    // The item left its parent exactly as a deleted one does, so the
    // parent's mark, check and count follow, and an emptied outline hides.
    afterItemRemoved(tree, parent);
    bClipboardEncrypted = attrCurrentList.bPassword == 1 ? 1 : 0;
    if (!treeRoot(tree)) SendMessageW(hwndMain, WM_SETTINGCHANGE, 0, 0);
}

}  // namespace

// --- Paste -----------------------------------------------------------------------------

LONG pasteClipboardItem(HWND hwnd) {
    if (longClipboardID == 0 || !dbCurrent) return 0;
    if (bClipboardEncrypted == 1 && std::strcmp(strClipboardList, strCurrentList) != 0) {
        messageDialog(hwnd ? hwnd : hwndMain, u"Cannot paste an item that was copied/cut from an encrypted list",
                      u"Warning", MD_STYLE_WARNING);
        return 0;
    }
    setWaitCursor(1);
    HWND tree = hwndMainTV;
    HTREEITEM selected = treeSelection(tree);
    PastePlace place{};
    place.hasSelection = selected != nullptr;
    if (selected) {
        HTREEITEM parent = treeParent(tree, selected);
        place.parentId = parent ? getItemId(tree, parent) : 0;
        place.order = readOrder(currentItemTable(), getItemId(tree, selected)) + 1;
    } else {
        place.parentId = 0;
        place.order = nextOrder(currentItemTable(), 0);
    }

    const bool sameDatabase = std::memcmp(strClipboardDbFile, strCurrentDbFile, sizeof strClipboardDbFile) == 0;
    PasteResult result;
    if (sameDatabase)
        result = pasteItemRows(dbCurrent, strClipboardList, strCurrentList, longClipboardID, place);
    else
        result.unreadable = true;
    if (result.pastedId <= 0) {
        // The item is no longer where the clipboard says (deleted, purged,
        // its list gone or renamed, another database open): nothing to
        // insert, and nothing for a later Paste either. A write that failed
        // keeps the clipboard, so a cut item is not lost with it.
        if (result.unreadable) emptyItemClipboard();
        else reportUnsavedChangeAndReload();
        showPasteState();
        updateMenus();
        setWaitCursor(0);
        return 0;
    }
    if (result.consumed) emptyItemClipboard();

    HTREEITEM firstVisible = (HTREEITEM)SendMessageW(tree, TVM_GETNEXTITEM, TVGN_FIRSTVISIBLE, 0);
    LONG firstVisibleId = getItemId(tree, firstVisible);
    reloadOutline(tree);
    if (HTREEITEM again = firstVisibleId ? findItemById(tree, nullptr, firstVisibleId) : nullptr)
        SendMessageW(tree, TVM_SELECTITEM, TVGN_FIRSTVISIBLE, (LPARAM)again);
    if (HTREEITEM pasted = findItemById(tree, nullptr, result.pastedId))
        SendMessageW(tree, TVM_ENSUREVISIBLE, 0, (LPARAM)pasted);

    showPasteState();
    bUndoAvailable = 0;
    updateMenus();
    setWaitCursor(0);
    return result.pastedId;
}

// --- the Edit menu's text-or-item commands ------------------------------------------------

namespace {

// The open label editor, else the notes pane when it is shown and focused.
HWND textTarget(HWND* editor) {
    *editor = (HWND)SendMessageW(hwndMainTV, TVM_GETEDITCONTROL, 0, 0);
    if (*editor) return *editor;
    if (hwndNotes && IsWindowVisible(hwndNotes) && GetFocus() == hwndNotes) return hwndNotes;
    return nullptr;
}

}  // namespace

LRESULT onCutItem(HWND, int id, HWND, int) {
    if (id == ID_EDIT_CUT) {
        HWND editor = nullptr;
        if (HWND target = textTarget(&editor)) {
            SendMessageW(target, WM_CUT, 0, 0);
            // The selection went with the cut text.
            enableMenuCommand(ID_EDIT_CUT, false);
            enableMenuCommand(ID_EDIT_COPY, false);
            return 0;
        }
    }
    cutSelectedItem();
    return 0;
}

LRESULT onCopyItem(HWND, int id, HWND, int) {
    if (id == ID_EDIT_COPY) {
        HWND editor = nullptr;
        if (HWND target = textTarget(&editor)) {
            SendMessageW(target, WM_COPY, 0, 0);
            return 0;
        }
    }
    copySelectedItem();
    return 0;
}

LRESULT onPasteItem(HWND hwnd, int id, HWND, int) {
    if (id == ID_EDIT_PASTE) {
        HWND editor = nullptr;
        HWND target = textTarget(&editor);
        if (editor) {
            if (IsClipboardFormatAvailable(CF_UNICODETEXT)) SendMessageW(editor, WM_PASTE, 0, 0);
            return 0;
        }
        if (target) {
            SendMessageW(target, WM_PASTE, 0, 0);
            return 0;
        }
        if (GetFocus() != hwndMainTV) return 0;
    }
    pasteClipboardItem(hwnd);
    return 0;
}
