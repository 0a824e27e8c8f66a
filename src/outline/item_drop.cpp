// The drop that ends a drag: which drops are refused, where the item goes
// (before, after or into the node under the pen), the outline rebuilt at
// the new place, and the move stored: the item's new parent and order, the
// children counts of its old and new parent, the check sort, the
// completion counts and the automatic checking.
#include <cstring>

#include "outline/current_items.h"
#include "outline/item_drag.h"
#include "outline/item_place.h"
#include "outline/notes.h"
#include "outline/tree_checks.h"
#include "outline/tree_load.h"
#include "outline/tree_ops.h"
#include "state/app_state.h"
#include "state/main_window_ids.h"
#include "state/shell_calls.h"
#include "storage/item_table.h"

namespace {

// Where the dragged node is rebuilt: under `parent` (null: the top level)
// after `after` (TVI_FIRST: first).
struct DropSpot {
    HTREEITEM parent;
    HTREEITEM after;
};

bool refused(HWND tree, HTREEITEM dragged, HTREEITEM target, int y, const RECT& text) {
    if (!dragged || !target || target == dragged || isDescendantOf(tree, target, dragged)) return true;
    // Into its own parent is where it already is.
    return target == treeParent(tree, dragged) && dropPlaceFor(y, text) == DROP_INTO;
}

DropSpot spotFor(HWND tree, HTREEITEM target, DropPlace place) {
    switch (place) {
    case DROP_BEFORE: {
        HTREEITEM previous = treePrevSibling(tree, target);
        return DropSpot{treeParent(tree, target), previous ? previous : TVI_FIRST};
    }
    case DROP_AFTER: return DropSpot{treeParent(tree, target), target};
    case DROP_INTO: break;
    }
    setChildrenFlag(tree, target, 1);
    return DropSpot{target, TVI_FIRST};
}

void repaintRow(HWND tree, HTREEITEM item) {
    if (!item) return;
    RECT row{};
    static_assert(sizeof(RECT) >= sizeof(HTREEITEM));
    std::memcpy(&row, &item, sizeof item);
    if (SendMessageW(tree, TVM_GETITEMRECT, FALSE, (LPARAM)&row)) InvalidateRect(tree, &row, TRUE);
}

// The item's new place in the table: the order of its new next sibling
// (which moves on one place with everything after it), or the end.
void storeDrop(HWND tree, HTREEITEM moved) {
    LONG id = getItemId(tree, moved);
    LONG parentId = parentIdOf(tree, moved);
    HTREEITEM next = treeNextSibling(tree, moved);
    LONG order = next ? readOrder(currentItemTable(), getItemId(tree, next))
                      : nextOrder(currentItemTable(), parentId);
    storeItemPlace(id, parentId, order);
    sequenceOrder(currentItemTable(), parentId, id);
}

// Under the check sort an item whose mark differs from its neighbour's may
// stand out of order: the list is then loaded again. The neighbour is the
// previous sibling, or the next one for an item that comes first.
bool checkSortBroken(HWND tree, HTREEITEM moved) {
    if (attrCurrentList.bCheckSort != 1) return false;
    HTREEITEM neighbour = treePrevSibling(tree, moved);
    if (!neighbour) neighbour = treeNextSibling(tree, moved);
    return neighbour && isItemChecked(tree, neighbour) != isItemChecked(tree, moved);
}

}  // namespace

void dropItem(POINT pen) {
    HWND tree = hwndMainTV;
    if (bDragging != 1 || !tree) return;
    KillTimer(hwndMain, TIMER_DRAG_SCROLL);
    HTREEITEM target = treeDropHighlight(tree);
    HTREEITEM dragged = hDragItem;
    POINT p = treePointFromMain(pen);
    RECT text{};
    if (target && !itemTextRect(tree, target, &text)) target = nullptr;
    if (refused(tree, dragged, target, p.y, text)) {
        endItemDrag();
        MessageBeep(0);
        return;
    }

    DropSpot spot = spotFor(tree, target, dropPlaceFor(p.y, text));
    HTREEITEM oldParent = treeParent(tree, dragged);
    LONG oldParentId = oldParent ? getItemId(tree, oldParent) : 0;
    HTREEITEM firstVisible = treeFirstVisible(tree);
    LONG firstVisibleId = firstVisible ? getItemId(tree, firstVisible) : 0;
    HTREEITEM moved = moveSubtree(tree, dragged, target, spot.parent, spot.after);
    if (moved) restoreExpansion(tree, moved);

    SendMessageW(tree, TVM_SELECTITEM, TVGN_DROPHILITE, (LPARAM)target);
    if (moved) SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, (LPARAM)moved);
    endItemDrag();
    if (!moved) {
        MessageBeep(0);
        updateMenus();
        return;
    }

    setWaitCursor(1);
    if (oldParent && !hasChildren(tree, oldParent)) {
        setChildrenFlag(tree, oldParent, 0);
        repaintRow(tree, oldParent);
    }
    storeDrop(tree, moved);
    LONG movedId = getItemId(tree, moved);
    HTREEITEM newParent = treeParent(tree, moved);
    LONG newParentId = newParent ? getItemId(tree, newParent) : 0;
    if (newParent) storeChildCount(newParentId, countChildRows(currentItemTable(), newParentId));
    if (oldParent) {
        int left = countChildRows(currentItemTable(), oldParentId);
        storeChildCount(oldParentId, left);
        setChildrenFlag(tree, oldParent, left > 0 ? 1 : 0);
    }
    repaintRow(tree, newParent);
    repaintRow(tree, oldParent);

    if (checkSortBroken(tree, moved)) {
        reloadOutline();
        // The reload made every node anew.
        moved = findItemById(tree, nullptr, movedId);
        newParent = newParentId ? findItemById(tree, nullptr, newParentId) : nullptr;
        oldParent = oldParentId ? findItemById(tree, nullptr, oldParentId) : nullptr;
    }
    if (HTREEITEM first = firstVisibleId ? findItemById(tree, nullptr, firstVisibleId) : nullptr)
        SendMessageW(tree, TVM_SELECTITEM, TVGN_FIRSTVISIBLE, (LPARAM)first);
    if (moved) SendMessageW(tree, TVM_ENSUREVISIBLE, 0, (LPARAM)moved);
    UpdateWindow(tree);
    setWaitCursor(0);

    refreshParentLabel(tree, newParent);
    if (oldParent != newParent) refreshParentLabel(tree, oldParent);
    if (attrCurrentList.bAutoCheck == 1) {
        if (moved && treeParent(tree, moved)) propagateCheckUp(tree, moved, isItemChecked(tree, moved));
        // The parent it left is judged again from a child that stayed.
        if (HTREEITEM stayed = treeFirstChild(tree, oldParent)) propagateCheckUp(tree, stayed, isItemChecked(tree, stayed));
    }
    // Nothing is selected after a drop: the notes pane shows no note and the
    // commands follow.
    if (hwndNotes) loadItemNote(0);
    updateMenus();
}
