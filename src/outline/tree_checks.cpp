// Check marks that follow each other through the tree, stored as they change.
#include "outline/tree_checks.h"

#include <vector>

#include "outline/tree_ops.h"
#include "shell/app_state.h"
#include "storage/item_table.h"
#include "storage/sql_helpers.h"

namespace {

void storeChecked(HWND tree, HTREEITEM item, int checked) {
    ItemRecord record{};
    record.longID = getItemId(tree, item);
    if (record.longID <= 0) return;
    record.bChecked = checked ? 1 : 0;
    record.fieldMask = ITEM_CHECK;
    writeItem(dbCurrent, strCurrentList, record);
}

void setAndStore(HWND tree, HTREEITEM item, int checked) {
    setItemChecked(tree, item, checked);
    storeChecked(tree, item, checked);
}

void checkTreeBelow(HWND tree, HTREEITEM item) {
    for (HTREEITEM c = treeFirstChild(tree, item); c; c = treeNextSibling(tree, c)) {
        setItemChecked(tree, c, 1);
        checkTreeBelow(tree, c);
    }
}

int readExpand(HWND tree, HTREEITEM item) {
    ItemRecord record{};
    record.longID = getItemId(tree, item);
    if (!readItem(dbCurrent, strCurrentList, &record, ITEM_EXPAND)) return 0;
    return record.bNodeExpand;
}

}  // namespace

void propagateCheckUp(HWND tree, HTREEITEM item, int checked) {
    // Walked as a loop rather than by recursion: the result is the same and
    // a deep tree costs no stack.
    for (HTREEITEM at = item; at;) {
        HTREEITEM parent = treeParent(tree, at);
        if (!parent) return;
        int parentChecked = 0;
        if (checked) {
            parentChecked = 1;
            for (HTREEITEM c = treeFirstChild(tree, parent); c; c = treeNextSibling(tree, c)) {
                if (c != at && !isItemChecked(tree, c)) {
                    parentChecked = 0;
                    break;
                }
            }
        }
        setAndStore(tree, parent, parentChecked);
        checked = parentChecked;
        at = parent;
    }
}

void recomputeCheckFromChildren(HWND tree, HTREEITEM item) {
    HTREEITEM first = treeFirstChild(tree, item);
    if (!first) return;
    int all = 1;
    for (HTREEITEM c = first; c; c = treeNextSibling(tree, c)) {
        if (hasChildren(tree, c)) recomputeCheckFromChildren(tree, c);
        if (!isItemChecked(tree, c)) all = 0;
    }
    setAndStore(tree, item, all);
}

void recomputeAllChecks(HWND tree) {
    for (HTREEITEM r = treeRoot(tree); r; r = treeNextSibling(tree, r))
        if (hasChildren(tree, r)) recomputeCheckFromChildren(tree, r);
}

void checkSubtree(HWND tree, HTREEITEM item) {
    LONG id = getItemId(tree, item);
    if (id == 0) return;
    checkDescendants(dbCurrent, strCurrentList, id);
    checkTreeBelow(tree, item);
}

void restoreExpansion(HWND tree, HTREEITEM item) {
    if (!item) return;
    if (readExpand(tree, item) == 1) SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, (LPARAM)item);
    for (HTREEITEM c = treeFirstChild(tree, item); c; c = treeNextSibling(tree, c)) {
        if (readExpand(tree, c) == 1) {
            SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, (LPARAM)c);
            restoreExpansion(tree, c);
        }
    }
}
