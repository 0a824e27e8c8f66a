// The move commands. Up and down exchange the item with its neighbour:
// two childless nodes simply trade places in the outline, anything bigger
// is reloaded. Left and right change the item's parent, which always
// reloads. Afterwards the item is found again by its longID, kept in view
// and selected.
//
// Sections: shared helpers | up and down | right | left | the command
#include "outline/item_move.h"

#include "outline/current_items.h"
#include "outline/item_place.h"
#include "outline/tree_checks.h"
#include "outline/tree_load.h"
#include "outline/tree_ops.h"
#include "state/app_state.h"
#include "state/shell_calls.h"
#include "outline/unsaved_change.h"
#include "storage/item_table.h"
#include "storage/statements.h"

namespace {

// --- shared helpers --------------------------------------------------------------

// The auto-check update of the item's parents, from its present check mark.
void checkParentsOf(HWND tree, LONG id) {
    if (attrCurrentList.bAutoCheck != 1) return;
    HTREEITEM item = findItemById(tree, nullptr, id);
    if (item && treeParent(tree, item)) propagateCheckUp(tree, item, isItemChecked(tree, item));
}

// --- up and down -----------------------------------------------------------------

// Two childless nodes trade text, item and check mark, so nothing else of
// the outline has to be built again.
void exchangeNodes(HWND tree, HTREEITEM a, HTREEITEM b) {
    WCHAR textA[TREE_TEXT_CHARS];
    WCHAR textB[TREE_TEXT_CHARS];
    getItemText(tree, a, textA, TREE_TEXT_CHARS);
    getItemText(tree, b, textB, TREE_TEXT_CHARS);
    LONG idA = getItemId(tree, a);
    LONG idB = getItemId(tree, b);
    int checkedA = isItemChecked(tree, a);
    int checkedB = isItemChecked(tree, b);
    setItemText(tree, a, textB);
    setItemId(tree, a, idB);
    setItemChecked(tree, a, checkedB);
    setItemText(tree, b, textA);
    setItemId(tree, b, idA);
    setItemChecked(tree, b, checkedA);
}

// Stores the exchange of the two orders. Siblings that share one order
// number (left by older versions of a list) cannot trade it: the item then
// takes the place just past (down) or at (up) its neighbour's number and
// the siblings from there on move one place on, which puts the two in the
// new order without disturbing the rest.
void exchangeOrders(LONG parentId, LONG itemId, LONG itemOrder, LONG otherId, LONG otherOrder, int down) {
    if (itemOrder != otherOrder) {
        writeOrder(currentItemTable(), itemId, otherOrder);
        writeOrder(currentItemTable(), otherId, itemOrder);
        return;
    }
    writeOrder(currentItemTable(), itemId, down ? otherOrder + 1 : otherOrder);
    sequenceOrder(currentItemTable(), parentId, itemId);
}

bool moveVertically(HWND tree, HTREEITEM item, int down) {
    HTREEITEM other = down ? treeNextSibling(tree, item) : treePrevSibling(tree, item);
    if (!other) return false;
    LONG id = getItemId(tree, item);
    LONG otherId = getItemId(tree, other);
    LONG order = readOrder(currentItemTable(), id);
    LONG otherOrder = readOrder(currentItemTable(), otherId);
    exchangeOrders(parentIdOf(tree, item), id, order, otherId, otherOrder, down);
    if (!hasChildren(tree, item) && !hasChildren(tree, other)) {
        int differ = isItemChecked(tree, item) != isItemChecked(tree, other);
        exchangeNodes(tree, item, other);
        // Under the check sort the two may no longer belong side by side.
        if (attrCurrentList.bCheckSort == 1 && differ) reloadOutline();
    } else {
        reloadOutline();
    }
    return true;
}

// --- right -------------------------------------------------------------------------

// The item becomes the last child of its previous sibling.
bool moveRight(HWND tree, HTREEITEM item) {
    HTREEITEM previous = treePrevSibling(tree, item);
    if (!previous || treeParent(tree, previous) != treeParent(tree, item)) return false;
    LONG id = getItemId(tree, item);
    LONG newParentId = getItemId(tree, previous);
    storeItemPlace(id, newParentId, nextOrder(currentItemTable(), newParentId));
    storeChildCount(newParentId, 1);
    reloadOutline();
    checkParentsOf(tree, id);
    return true;
}

// --- left --------------------------------------------------------------------------

// The item leaves its parent and follows it as its next sibling.
bool moveLeft(HWND tree, HTREEITEM item) {
    HTREEITEM parent = treeParent(tree, item);
    if (!parent) return false;
    LONG id = getItemId(tree, item);
    LONG parentId = getItemId(tree, parent);
    LONG grandParentId = parentIdOf(tree, parent);
    if (HTREEITEM after = treeNextSibling(tree, parent)) {
        storeItemPlace(id, grandParentId, readOrder(currentItemTable(), getItemId(tree, after)));
        sequenceOrder(currentItemTable(), grandParentId, id);
    } else {
        storeItemPlace(id, grandParentId, nextOrder(currentItemTable(), grandParentId));
    }
    storeChildCount(parentId, countChildRows(currentItemTable(), parentId) > 0 ? 1 : 0);
    reloadOutline();
    if (attrCurrentList.bAutoCheck == 1) {
        // The parent it left may be complete now, its new parent not.
        recomputeAllChecks(tree);
        checkParentsOf(tree, id);
    }
    return true;
}

// The moved item stays in view, selected, with the focus in the outline.
void showMovedItem(HWND tree, LONG id, int direction) {
    if (HTREEITEM item = findItemById(tree, nullptr, id)) {
        if (!isItemVisible(tree, item)) {
            int down = direction == MOVE_DOWN || direction == MOVE_LEFT;
            SendMessageW(tree, WM_VSCROLL, down ? SB_LINEDOWN : SB_LINEUP, 0);
        }
        SetFocus(tree);
        SendMessageW(tree, TVM_ENSUREVISIBLE, 0, (LPARAM)item);
        // Opening a collapsed parent for it ends with the selection cleared.
        if ((item = findItemById(tree, nullptr, id))) SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, (LPARAM)item);
    }
    if (bEditBarVisible == 1) updateEditBar();
    InvalidateRect(tree, nullptr, FALSE);
}

}  // namespace

// --- the command ---------------------------------------------------------------------

LRESULT moveItem(int direction) {
    HWND tree = hwndMainTV;
    if (!tree || !dbCurrent || attrCurrentList.bAlphaSort == 1) return 0;
    HTREEITEM item = treeSelection(tree);
    if (!item) return 0;
    setWaitCursor(1);
    LONG id = getItemId(tree, item);
    bool moved = false;
    bool stored = true;
    WCHAR why[200] = {};
    {
        // The item's place and its siblings' orders are one change of the
        // file: a power loss or a full store leaves all of it or none.
        CommandTransaction change(dbCurrent);
        switch (direction) {
        case MOVE_DOWN: moved = moveVertically(tree, item, 1); break;
        case MOVE_UP: moved = moveVertically(tree, item, 0); break;
        case MOVE_RIGHT: moved = moveRight(tree, item); break;
        case MOVE_LEFT: moved = moveLeft(tree, item); break;
        default: break;
        }
        stored = change.commit();
        if (!stored) unsavedChangeText(why, 200);
    }
    setWaitCursor(0);
    if (!stored) {
        reportUnsavedChangeAndReload(why);
        return 0;
    }
    if (moved) showMovedItem(tree, id, direction);
    return 0;
}
