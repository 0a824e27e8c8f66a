#include "outline/undo.h"

#include <cstdlib>
#include <string>
#include <unordered_set>

#include "outline/current_items.h"
#include "outline/item_draw.h"
#include "outline/outline_reload.h"
#include "outline/tree_checks.h"
#include "outline/tree_load.h"
#include "outline/tree_ops.h"
#include "state/app_state.h"
#include "state/shell_calls.h"
#include "storage/item_table.h"
#include "storage/sql_helpers.h"

// Sections: the table | the command

// --- the table ------------------------------------------------------------------

namespace {

int run(sqlite3* db, const char* sql) {
    char errorText[200];
    return executeSql(db, sql, errorText, sizeof errorText);
}

ItemRecord recordOf(LONG id) {
    ItemRecord record{};
    record.longID = id;
    return record;
}

// 1 when `parentId` is the top level or a live row whose ancestors lead up
// to the top level through live rows: only then does the outline reach the
// children it gets. A damaged file whose rows name each other as parents
// ends the walk at the first row seen twice.
bool reachableParent(sqlite3* db, const char* listName, LONG parentId) {
    std::unordered_set<LONG> seen;
    for (LONG at = parentId; at != 0;) {
        if (at < 0 || !seen.insert(at).second) return false;
        ItemRecord record = recordOf(at);
        if (!readItem(itemTableOf(db, listName), &record, ITEM_PARENT)) return false;
        at = record.longParentID;
    }
    return true;
}

}  // namespace

LONG restoreParkedItem(sqlite3* db, const char* listName, LONG id) {
    if (!db || !listName || id == 0 || id == INT32_MIN) return -1;
    const LONG x = std::labs(id);
    ItemRecord parked = recordOf(-x);
    if (!readItem(itemTableOf(db, listName), &parked, ITEM_PARENT)) return -1;
    // A damaged file may hold a live row of the same number; turning the
    // parked one positive would then fail, and the live row must not be
    // mistaken for the restored one.
    ItemRecord live = recordOf(x);
    if (readItem(itemTableOf(db, listName), &live, ITEM_PARENT)) return -1;
    LONG parent = parked.longParentID;
    // Its former parent went while it was parked: the row would name a
    // parent the outline never reaches and stay out of sight for good.
    if (parent != 0 && !reachableParent(db, listName, parent)) parent = 0;
    const LONG order = nextOrder(itemTableOf(db, listName), parent);

    if (run(db, "BEGIN TRANSACTION;") != SQLITE_DONE) return -1;
    unparkItemId(itemTableOf(db, listName), x);
    ItemRecord back = recordOf(x);
    // Nothing is committed unless the row really is back under its number.
    if (!readItem(itemTableOf(db, listName), &back, ITEM_PARENT)) {
        run(db, "ROLLBACK;");
        return -1;
    }
    back.longParentID = parent;
    back.fieldMask = ITEM_PARENT;
    writeItem(itemTableOf(db, listName), back);
    back.longOrder = order;
    back.fieldMask = ITEM_ORDER;
    writeItem(itemTableOf(db, listName), back);
    if (parent != 0) {
        ItemRecord above = recordOf(parent);
        if (readItem(itemTableOf(db, listName), &above, ITEM_NUMCHILD)) {
            above.intNumChild = above.intNumChild > 0 ? above.intNumChild + 1 : 1;
            above.fieldMask = ITEM_NUMCHILD;
            writeItem(itemTableOf(db, listName), above);
        }
    }
    // It is last among its siblings, so no sibling moves; this only mends a
    // tie with a sibling that has the same number.
    sequenceOrder(itemTableOf(db, listName), parent, x);
    if (run(db, "COMMIT;") != SQLITE_DONE) {
        run(db, "ROLLBACK;");
        return -1;
    }
    return parent;
}

// --- the command ------------------------------------------------------------------

namespace {

// With automatic checking the parent is complete only when all its children
// are: the item that came back may change that for every ancestor.
void recheckAncestors(HWND tree, HTREEITEM node) {
    if (attrCurrentList.bAutoCheck != 1 || !treeParent(tree, node)) return;
    run(dbCurrent, "BEGIN TRANSACTION;");
    propagateCheckUp(tree, node, isItemChecked(tree, node));
    run(dbCurrent, "COMMIT;");
    if (attrCurrentList.intCompletionShow > 0)
        updateCompletionUp(tree, treeParent(tree, node), attrCurrentList.intCompletionShow, nullptr, 0);
}

}  // namespace

LRESULT onUndo(HWND, int, HWND, int) {
    if (bUndoAvailable == 0 || !currentListOpen()) return 0;
    const LONG x = std::labs(bUndoAvailable);
    // A row that is gone (purged by a later Delete, removed by Delete
    // Checked) leaves everything as it was.
    if (restoreParkedItem(dbCurrent, strCurrentList, x) < 0) return 0;

    HWND tree = hwndMainTV;
    HTREEITEM firstVisible = (HTREEITEM)SendMessageW(tree, TVM_GETNEXTITEM, TVGN_FIRSTVISIBLE, 0);
    const LONG firstVisibleId = getItemId(tree, firstVisible);
    setWaitCursor(1);
    reloadCurrentList();
    if (HTREEITEM node = findItemById(tree, nullptr, x)) {
        recheckAncestors(tree, node);
        // Marks that moved re-sort a check-sorted outline or hide a checked
        // parent: the table has them, so the outline is loaded again.
        if (attrCurrentList.bAutoCheck == 1 && (attrCurrentList.bCheckSort == 1 || attrCurrentList.bHideChecked == 1))
            reloadCurrentList();
    }
    if (HTREEITEM again = firstVisibleId ? findItemById(tree, nullptr, firstVisibleId) : nullptr)
        SendMessageW(tree, TVM_SELECTITEM, TVGN_FIRSTVISIBLE, (LPARAM)again);
    if (HTREEITEM restored = findItemById(tree, nullptr, x)) SendMessageW(tree, TVM_ENSUREVISIBLE, 0, (LPARAM)restored);
    setWaitCursor(0);
    fitPanesToOutline();

    bUndoAvailable = 0;
    updateMenus();
    return 0;
}
