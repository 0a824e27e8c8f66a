// The main window's WM_NOTIFY for the outline: custom draw, the item menu
// on tap-and-hold, the start and end of label edits, and expansion.
//
// The end of a label edit decides the item's fate: an item left without a
// text goes (with its subtree, for good: nothing is parked), a cancelled
// edit keeps the old text, and a new text is stored, resequenced when the
// item is new, and the outline re-sorted when a sort is on.
#include <cstring>

#include "common/trim_spaces.h"
#include "common/wide_text.h"
#include "outline/current_items.h"
#include "outline/item_drag.h"
#include "outline/item_draw.h"
#include "outline/item_place.h"
#include "outline/tree_checks.h"
#include "outline/tree_input.h"
#include "outline/tree_input_state.h"
#include "outline/tree_load.h"
#include "outline/tree_load_state.h"
#include "outline/tree_ops.h"
#include "outline/unsaved_change.h"
#include "resources/resource_ids.h"
#include "state/app_state.h"
#include "state/shell_calls.h"
#include "storage/item_table.h"
#include "storage/sql_helpers.h"
#include "storage/statements.h"

using namespace outline_input;

namespace {

constexpr UINT_PTR kOutlineId = 6002;

// --- tap and hold -------------------------------------------------------------

LRESULT onContextMenu(HWND hwnd, NMRGINFO* info) {
    HWND tree = info->hdr.hwndFrom;
    HTREEITEM selected = treeSelection(tree);
    if (!selected) return 0;
    ItemRecord record{};
    record.longID = getItemId(tree, selected);
    record.bDisplay = 1;
    readItem(currentItemTable(), &record, ITEM_DISPLAY);
    showItemMenu(hwnd, info->ptAction.x, info->ptAction.y, record.bDisplay, record.bNote);
    return 0;
}

// --- label edits ----------------------------------------------------------------

LRESULT onBeginLabelEdit(NMTVDISPINFOW* info) {
    if (bLabelEditAllowed != 1) return 1;
    HWND tree = info->hdr.hwndFrom;
    SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, (LPARAM)info->item.hItem);
    enableMenuItem(res::kCmdInsertTimeDate, 1);
    if (IsClipboardFormatAvailable(CF_UNICODETEXT)) enableMenuItem(res::kCmdPaste, 1);
    if (treeRoot(tree)) showPanes();
    if (attrCurrentList.bUseBitmapFile == 1) InvalidateRect(tree, nullptr, TRUE);
    raiseSipByRule();
    return 0;
}

// An item without a text: its row and its subtree's rows go, and the
// parent is brought up to date. `lostLabel` is the message for a label that
// could not be stored, told once the item has gone.
LRESULT removeUnnamedItem(HWND tree, HTREEITEM item, LPCWSTR lostLabel = nullptr) {
    HTREEITEM parent = treeParent(tree, item);
    LONG id = getItemId(tree, item);
    LONG parentId = parent ? getItemId(tree, parent) : 0;
    bool removed = true;
    if (id > 0) {
        CommandTransaction change(dbCurrent);
        deleteDescendants(currentItemTable(), id);
        removed = deleteItemRow(currentItemTable(), id) > 0 && change.commit();
    }
    SendMessageW(tree, TVM_DELETEITEM, 0, (LPARAM)item);
    if (parent) {
        HTREEITEM first = treeFirstChild(tree, parent);
        if (attrCurrentList.bAutoCheck == 1 && first) propagateCheckUp(tree, first, isItemChecked(tree, first));
        int mode = attrCurrentList.intCompletionShow;
        if (mode > 0) {
            if (hasChildren(tree, parent))
                updateCompletionUp(tree, parent, mode, nullptr, 0);
            else
                showPlainText(tree, parent);
        }
        if (countChildRows(currentItemTable(), parentId) == 0) storeChildCount(parentId, 0);
    }
    deselect(tree);
    if (!treeRoot(tree)) {
        HWND panes[] = {hwndMainTV, hwndSplitter, hwndNotes};
        for (HWND pane : panes)
            if (pane) ShowWindow(pane, SW_HIDE);
        if (hwndMain) RedrawWindow(hwndMain, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    } else {
        showPanes();
    }
    bOrderDirty = 0;
    // A row that could not go is still stored, so it shows again.
    if (!removed)
        lostLabel ? reportUnsavedChangeAndReload(lostLabel) : reportUnsavedChangeAndReload();
    else if (lostLabel)
        reportUnsavedChange(lostLabel);
    return 1;
}

// Cuts a completion suffix the user left in (or typed) off at the last "[";
// the blanks before it go too, so that editing a parent again and again does
// not pile them up. A text that would be left empty is kept whole.
void dropSuffix(WCHAR* text) {
    WCHAR* bracket = nullptr;
    for (WCHAR* at = text; *at; ++at)
        if (*at == u'[') bracket = at;
    if (!bracket) return;
    int keep = (int)(bracket - text);
    while (keep > 0 && text[keep - 1] == u' ') --keep;
    if (keep > 0) text[keep] = 0;
}

// The characters of the text that a quote-doubled copy holds: each doubled
// pair stands for one quote.
int storedLength(const WCHAR* doubled) {
    int count = 0;
    for (int i = 0; doubled[i]; ++i, ++count)
        if (doubled[i] == u'\'' && doubled[i + 1] == u'\'') ++i;
    return count;
}

LRESULT storeLabel(HWND tree, NMTVDISPINFOW* info, bool unnamed) {
    HTREEITEM item = info->item.hItem;
    LONG id = getItemId(tree, item);
    LONG parentId = parentIdOf(tree, item);
    int mode = attrCurrentList.intCompletionShow;

    WCHAR text[TREE_TEXT_CHARS];
    copyText(text, TREE_TEXT_CHARS, info->item.pszText);
    if (mode > 0) {
        dropSuffix(text);
        // The tree takes the label from the notification's buffer.
        copyText(info->item.pszText, info->item.cchTextMax > 0 ? info->item.cchTextMax : textLength(text) + 1, text);
    }
    ItemRecord record{};
    record.longID = id;
    copyText(record.strText, ITEM_TEXT_CHARS, text);
    doubleQuotes(record.strText, ITEM_TEXT_CHARS);
    record.fieldMask = ITEM_TEXT;
    // Doubling the quotes may leave no room for the end of a long text; the
    // outline shows what is stored, so its label is cut the same way.
    if (int kept = storedLength(record.strText); kept < textLength(text)) {
        text[kept] = 0;
        copyText(info->item.pszText, info->item.cchTextMax > 0 ? info->item.cchTextMax : kept + 1, text);
    }
    if (id > 0 && writeItem(currentItemTable(), record) <= 0) {
        // The label the person typed is not stored: the node keeps the text
        // it had, which is the stored one (a reload would pull the node out
        // from under the editor that is ending). A new item had none, and
        // an item without a text goes.
        bOrderDirty = 0;
        if (unnamed) {
            WCHAR message[200];
            unsavedChangeText(message, 200);
            return removeUnnamedItem(tree, info->item.hItem, message);
        }
        reportUnsavedChange();
        updateMenus();
        return 0;
    }

    HTREEITEM again = findItemById(tree, nullptr, id);
    if (again) {
        setItemText(tree, again, text);
        SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, (LPARAM)again);
        UpdateWindow(tree);
        if (mode > 0 && hasChildren(tree, again)) {
            updateCompletionUp(tree, again, mode, nullptr, 0);
            // Hand the label with its suffix back, or the tree would put the
            // bare text over it when this notification returns.
            WCHAR shown[TREE_TEXT_CHARS];
            getItemText(tree, again, shown, TREE_TEXT_CHARS);
            if (info->item.cchTextMax > textLength(shown)) copyText(info->item.pszText, info->item.cchTextMax, shown);
        }
    }
    if (bOrderDirty == 1) {
        setWaitCursor(1);
        sequenceOrder(currentItemTable(), parentId, id);
        setWaitCursor(0);
    }
    bOrderDirty = 0;
    updateMenus();
    if (attrCurrentList.bAlphaSort == 1 || attrCurrentList.bCheckSort == 1) {
        setWaitCursor(1);
        reloadOutline(tree);
        setWaitCursor(0);
        again = findItemById(tree, nullptr, id);
        if (again) SendMessageW(tree, TVM_ENSUREVISIBLE, 0, (LPARAM)again);
    }
    SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, 0);
    if (!again || !SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, (LPARAM)again))
        MessageBoxW(hwndMain, u"Failed to select 1", u"error", MB_OK);
    if (treeRoot(tree)) showPanes();
    SetFocus(tree);
    return 1;
}

LRESULT onEndLabelEdit(NMTVDISPINFOW* info) {
    HWND tree = info->hdr.hwndFrom;
    bLabelEditAllowed = 0;
    if (bKeepSipOnEndEdit == 0)
        SHSipPreference(hwndMain, SIP_DOWN);
    else
        bKeepSipOnEndEdit = 0;
    enableMenuItem(res::kCmdInsertTimeDate, 0);

    WCHAR current[TREE_TEXT_CHARS];
    getItemText(tree, info->item.hItem, current, TREE_TEXT_CHARS);
    trimSpaces(current);
    const WCHAR* typed = info->item.pszText;
    if ((typed && !typed[0]) || (!typed && !current[0])) return removeUnnamedItem(tree, info->item.hItem);
    if (!typed) {
        bOrderDirty = 0;
        return 1;
    }
    return storeLabel(tree, info, !current[0]);
}

// --- expansion -------------------------------------------------------------------

LRESULT onItemExpanding(NMTREEVIEWW* info) {
    if (bOutlineLoading) return 0;
    SendMessageW(info->hdr.hwndFrom, WM_SETREDRAW, FALSE, 0);
    return 0;
}

LRESULT onItemExpanded(NMTREEVIEWW* info) {
    if (bOutlineLoading) return 0;
    HWND tree = info->hdr.hwndFrom;
    LONG id = getItemId(tree, info->itemNew.hItem);
    SetFocus(tree);
    SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, 0);
    UINT action = info->action & TVE_TOGGLE;
    bool stored = true;
    if (id > 0 && (action == TVE_EXPAND || action == TVE_COLLAPSE)) {
        ItemRecord record{};
        record.longID = id;
        record.bNodeExpand = action == TVE_EXPAND ? 1 : 0;
        record.fieldMask = ITEM_EXPAND;
        stored = writeItem(currentItemTable(), record) > 0;
    }
    if (!stored) {
        // The node goes back to the state its row keeps.
        bOutlineLoading = 1;
        SendMessageW(tree, TVM_EXPAND, action == TVE_EXPAND ? TVE_COLLAPSE : TVE_EXPAND,
                     (LPARAM)info->itemNew.hItem);
        bOutlineLoading = 0;
    }
    SendMessageW(tree, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(tree, nullptr, TRUE);
    if (!stored) reportUnsavedChange();
    return 0;
}

}  // namespace

LRESULT onOutlineNotify(HWND hwnd, UINT, WPARAM, LPARAM lParam) {
    NMHDR* header = reinterpret_cast<NMHDR*>(lParam);
    if (!header || header->idFrom != kOutlineId || !header->hwndFrom) return 0;
    switch (header->code) {
    case NM_CUSTOMDRAW: return onOutlineCustomDraw(reinterpret_cast<NMTVCUSTOMDRAW*>(header));
    case GN_CONTEXTMENU: return onContextMenu(hwnd, reinterpret_cast<NMRGINFO*>(header));
    case TVN_BEGINLABELEDITW: return onBeginLabelEdit(reinterpret_cast<NMTVDISPINFOW*>(header));
    case TVN_ENDLABELEDITW: return onEndLabelEdit(reinterpret_cast<NMTVDISPINFOW*>(header));
    case TVN_BEGINDRAGW: return beginItemDrag(reinterpret_cast<NMTREEVIEWW*>(header));
    case TVN_ITEMEXPANDINGW: return onItemExpanding(reinterpret_cast<NMTREEVIEWW*>(header));
    case TVN_ITEMEXPANDEDW: return onItemExpanded(reinterpret_cast<NMTREEVIEWW*>(header));
    default: return 0;
    }
}
