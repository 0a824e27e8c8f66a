// Check marks that follow each other through the tree, stored as they change.
#include "outline/tree_checks.h"

#include <cstdlib>

#include "outline/current_items.h"
#include "outline/tree_ops.h"
#include "state/app_state.h"
#include "storage/item_statements.h"
#include "storage/item_table.h"
#include "storage/statements.h"

namespace {

void storeChecked(HWND tree, HTREEITEM item, int checked) {
    ItemRecord record{};
    record.longID = getItemId(tree, item);
    if (record.longID <= 0) return;
    record.bChecked = checked ? 1 : 0;
    record.fieldMask = ITEM_CHECK;
    writeItem(currentItemTable(), record);
}

void setAndStore(HWND tree, HTREEITEM item, int checked) {
    setItemChecked(tree, item, checked);
    storeChecked(tree, item, checked);
}

void markTreeBelow(HWND tree, HTREEITEM item, int checked) {
    for (HTREEITEM c = treeFirstChild(tree, item); c; c = treeNextSibling(tree, c)) {
        setItemChecked(tree, c, checked);
        markTreeBelow(tree, c, checked);
    }
}

int readExpand(HWND tree, HTREEITEM item) {
    ItemRecord record{};
    record.longID = getItemId(tree, item);
    if (!readItem(currentItemTable(), &record, ITEM_EXPAND)) return 0;
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
    checkDescendants(currentItemTable(), id);
    markTreeBelow(tree, item, 1);
}

void uncheckSubtree(HWND tree, HTREEITEM item) {
    LONG id = getItemId(tree, item);
    if (id == 0) return;
    const std::vector<LONG> ids = descendantIds(currentItemTable(), id);
    if (!ids.empty()) {
        // Joins the caller's transaction when the tap opened one; the
        // statement is compiled once for the branch.
        StatementReuse reuse(dbCurrent);
        CommandTransaction transaction(dbCurrent);
        Statement uncheck = item_sql::prepare(currentItemTable(), "UPDATE '@' SET bChecked = ? WHERE longID = ?;");
        for (LONG descendant : ids) {
            uncheck.bind(0).bind(descendant).run();
            uncheck.reset();
        }
        transaction.commit();
    }
    markTreeBelow(tree, item, 0);
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
