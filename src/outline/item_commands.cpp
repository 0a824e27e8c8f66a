#include "outline/item_commands.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "common/message_dialog.h"
#include "outline/current_items.h"
#include "outline/item_clipboard.h"
#include "outline/item_draw.h"
#include "outline/item_paste.h"
#include "outline/item_place.h"
#include "outline/tree_checks.h"
#include "outline/tree_input.h"
#include "outline/tree_ops.h"
#include "outline/unsaved_change.h"
#include "state/app_state.h"
#include "state/shell_calls.h"
#include "storage/database.h"
#include "storage/item_table.h"
#include "storage/sql_helpers.h"
#include "storage/statements.h"

// Sections: shared helpers | New Item and New Sub-Item | Edit | Delete |
// Hide/Show | Duplicate

// --- shared helpers ------------------------------------------------------------

namespace {

ItemRecord blankRecord(LONG id) {
    ItemRecord record{};
    record.longID = id;
    return record;
}

void clearSelection(HWND tree) { SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, 0); }

HTREEITEM anyNode(HWND tree) { return treeRoot(tree); }

// The main window's face for a list without items shows through once the
// outline and the panes under it are gone.
void hideEmptyOutline(HWND tree) {
    if (anyNode(tree)) return;
    ShowWindow(tree, SW_HIDE);
    if (hwndSplitter) ShowWindow(hwndSplitter, SW_HIDE);
    if (hwndNotes) ShowWindow(hwndNotes, SW_HIDE);
    if (hwndMain) {
        InvalidateRect(hwndMain, nullptr, TRUE);
        UpdateWindow(hwndMain);
    }
}

}  // namespace

void purgeParkedItemsExceptClipboard(sqlite3* db, const char* listName) {
    if (!db || !listName) return;
    purgeParkedItemsKeeping(db, listName, isClipboardParkedItem(listName, longClipboardID) ? longClipboardID : 0);
}

void afterItemRemoved(HWND tree, HTREEITEM parent) {
    if (parent) {
        HTREEITEM first = treeFirstChild(tree, parent);
        if (!first) setChildrenFlag(tree, parent, 0);
        // Re-evaluating from a remaining child decides the parent afresh:
        // the child that went may have been the only unchecked one.
        if (attrCurrentList.bAutoCheck == 1 && first) propagateCheckUp(tree, first, isItemChecked(tree, first));
        if (attrCurrentList.intCompletionShow > 0) {
            if (first)
                updateCompletionUp(tree, parent, attrCurrentList.intCompletionShow, nullptr, 0);
            else
                showPlainText(tree, parent);
        }
    }
    hideEmptyOutline(tree);
}

// --- New Item and New Sub-Item ---------------------------------------------------

namespace {

void newItem(bool subItem) {
    if (!dbCurrent) return;
    HWND tree = hwndMainTV;
    if (!IsWindowVisible(tree)) {
        // An empty list hid the outline; it comes back for the new item.
        ShowWindow(tree, SW_SHOW);
        InvalidateRect(tree, nullptr, TRUE);
        UpdateWindow(tree);
        SetFocus(tree);
        SendMessageW(hwndMain, WM_SETTINGCHANGE, 0, 0);
    }
    if (bLabelEditAllowed == 1) {
        // The running edit keeps its text; the panel stays up for the next.
        bKeepSipOnEndEdit = 1;
        SendMessageW(tree, TVM_ENDEDITLABELNOW, FALSE, 0);
        bLabelEditAllowed = 0;
    }
    HTREEITEM selected = anyNode(tree) ? treeSelection(tree) : nullptr;
    bOrderDirty = 1;

    ItemRecord record = blankRecord(0);
    record.bDisplay = 1;
    record.fieldMask = ITEM_ALL;

    HTREEITEM parent = nullptr;
    HTREEITEM node = nullptr;
    if (!subItem) {
        parent = selected ? treeParent(tree, selected) : nullptr;
        record.longParentID = parent ? getItemId(tree, parent) : 0;
        record.longOrder = selected ? readOrder(currentItemTable(), getItemId(tree, selected)) + 1
                                    : nextOrder(currentItemTable(), record.longParentID);
        LONG id = writeItem(currentItemTable(), record);
        // Without a row there is nothing for a node to stand for.
        if (id <= 0) {
            bOrderDirty = 0;
            checkStored(false);
            return;
        }
        node = insertItem(tree, parent, u" ", id, 0, 0, selected ? selected : TVI_LAST);
    } else {
        parent = selected;
        record.longParentID = parent ? getItemId(tree, parent) : 0;
        record.longOrder = nextOrder(currentItemTable(), record.longParentID);
        LONG id = writeItem(currentItemTable(), record);
        if (id <= 0) {
            bOrderDirty = 0;
            checkStored(false);
            return;
        }
        if (parent) {
            storeChildCount(record.longParentID, 1);
            node = insertChildItem(tree, parent, u"", id, 0, TVI_LAST);
            SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, (LPARAM)parent);
        } else {
            node = insertItem(tree, nullptr, u"", id, 0, 0, TVI_LAST);
        }
    }
    if (!node) {
        bOrderDirty = 0;
        return;
    }
    if (attrCurrentList.bAutoCheck == 1 && parent) propagateCheckUp(tree, node, 0);
    if (attrCurrentList.intCompletionShow > 0 && parent)
        updateCompletionUp(tree, parent, attrCurrentList.intCompletionShow, nullptr, 0);

    SetFocus(tree);
    clearSelection(tree);
    if (hwndNotes) SetWindowTextW(hwndNotes, u"");
    updateMenus();

    bLabelEditAllowed = 1;
    SendMessageW(tree, TVM_ENSUREVISIBLE, 0, (LPARAM)node);
    HWND editor = (HWND)SendMessageW(tree, TVM_EDITLABELW, 0, (LPARAM)node);
    // A label is one line of at most 99 characters, however it is started.
    if (editor) SendMessageW(editor, EM_LIMITTEXT, ITEM_TEXT_CHARS - 1, 0);
}

}  // namespace

LRESULT onNewItem(HWND, int, HWND, int) {
    newItem(false);
    return 0;
}

LRESULT onNewSubItem(HWND, int, HWND, int) {
    newItem(true);
    return 0;
}

// --- Edit ------------------------------------------------------------------------

LRESULT onEditItem(HWND, int, HWND, int) {
    // The popup was asked for where the pen last went down; a double tap
    // there opens the editor exactly as the user's own double tap does.
    POINT at = lastOutlineTap();
    SendMessageW(hwndMainTV, WM_LBUTTONDBLCLK, 0, MAKELPARAM(at.x, at.y));
    return 0;
}

// --- Delete ------------------------------------------------------------------------

LRESULT onDeleteItem(HWND, int, HWND, int) {
    HWND tree = hwndMainTV;
    HTREEITEM node = treeSelection(tree);
    if (!node || !dbCurrent) return 0;
    if (bWarningMessage == 1 &&
        messageDialog(hwndMain, u"Do you want to delete the selected item in the current list?", u"Deletion Warning",
                      MD_STYLE_WARNING_OKCANCEL) == 2) {
        SetFocus(tree);
        return 0;
    }
    setWaitCursor(1);
    const LONG id = getItemId(tree, node);
    HTREEITEM parent = treeParent(tree, node);
    bool stored = false;
    bool full = false;
    WCHAR why[200] = {};
    {
        // The purge, the parking and the renumbering are one change of the
        // file: one commit, and on a failure none of it.
        CommandTransaction change(dbCurrent);
        // The item parked before is gone for good now, unless the clipboard
        // still holds it as a cut item waiting for its Paste.
        purgeParkedItemsExceptClipboard(dbCurrent, strCurrentList);
        parkItemId(currentItemTable(), -id);
        if (parent) {
            LONG parentId = getItemId(tree, parent);
            if (countChildRows(currentItemTable(), parentId) == 0) storeChildCount(parentId, 0);
            sequenceOrder(currentItemTable(), parentId, 0);
        } else {
            sequenceOrder(currentItemTable(), 0, 0);
        }
        stored = change.commit();
        // Said once the change is rolled back, in the words of the failure.
        if (!stored) {
            unsavedChangeText(why, 200);
            full = failedForFullStore();
        }
    }
    if (!stored) {
        if (full)
            reportUnsavedChangeAndReload(u"The item could not be deleted because the storage is full. Even deleting "
                                         u"needs a little room: remove files the device does not need, such as an "
                                         u"old backup, and try again.");
        else
            reportUnsavedChangeAndReload(why);
        setWaitCursor(0);
        return 0;
    }
    bUndoAvailable = id;

    SendMessageW(tree, TVM_DELETEITEM, 0, (LPARAM)node);
    afterItemRemoved(tree, parent);

    setWaitCursor(0);
    updateMenus();
    clearSelection(tree);
    SendMessageW(hwndMain, WM_SETTINGCHANGE, 0, 0);
    return 0;
}

// --- Hide/Show ------------------------------------------------------------------------

LRESULT onHideShowItem(HWND, int, HWND, int) {
    HWND tree = hwndMainTV;
    HTREEITEM node = treeSelection(tree);
    if (!node || !dbCurrent) return 0;
    setWaitCursor(1);
    ItemRecord record = blankRecord(getItemId(tree, node));
    if (readItem(currentItemTable(), &record, ITEM_DISPLAY)) {
        record.bDisplay = record.bDisplay == 0 ? 1 : 0;
        record.fieldMask = ITEM_DISPLAY;
        if (!checkStored(writeItem(currentItemTable(), record) > 0)) {
            setWaitCursor(0);
            return 0;
        }
        const bool shown = record.bDisplay == 1;
        if (shown) {
            // A shown item under a hidden parent could not be seen once
            // hiding is on, so its ancestors are shown with it.
            for (HTREEITEM up = treeParent(tree, node); up; up = treeParent(tree, up)) {
                ItemRecord ancestor = blankRecord(getItemId(tree, up));
                if (!readItem(currentItemTable(), &ancestor, ITEM_DISPLAY)) break;
                ancestor.bDisplay = 1;
                ancestor.fieldMask = ITEM_DISPLAY;
                if (!checkStored(writeItem(currentItemTable(), ancestor) > 0)) {
                    setWaitCursor(0);
                    return 0;
                }
            }
            InvalidateRect(tree, nullptr, TRUE);
            UpdateWindow(tree);
        }
        if (attrCurrentList.bShowHiddenItems == 0 || shown) {
            // Hidden items stay in the outline and are drawn as hidden.
            SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, (LPARAM)node);
        } else {
            // Hiding is on: the item is filtered out, as a reload would do.
            HTREEITEM parent = treeParent(tree, node);
            SendMessageW(tree, TVM_DELETEITEM, 0, (LPARAM)node);
            afterItemRemoved(tree, parent);
            updateMenus();
        }
    }
    setWaitCursor(0);
    return 0;
}

// --- Duplicate ------------------------------------------------------------------------

LRESULT onDuplicateItem(HWND hwnd, int, HWND, int) {
    HWND tree = hwndMainTV;
    HTREEITEM node = treeSelection(tree);
    if (!node || !dbCurrent) return 0;
    copySelectedItem();
    SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, (LPARAM)node);
    pasteClipboardItem(hwnd);
    // Duplicate borrows the clipboard; it does not leave the copy on it.
    emptyItemClipboard();
    updateMenus();
    return 0;
}
