#include "outline/item_place.h"

#include "outline/current_items.h"
#include "outline/item_draw.h"
#include "outline/tree_load.h"
#include "outline/tree_ops.h"
#include "state/app_state.h"
#include "storage/item_table.h"

LONG parentIdOf(HWND tree, HTREEITEM item) {
    HTREEITEM parent = treeParent(tree, item);
    return parent ? getItemId(tree, parent) : 0;
}

void storeItemPlace(LONG id, LONG parentId, LONG order) {
    if (id <= 0) return;
    ItemRecord record{};
    record.longID = id;
    record.longParentID = parentId;
    record.longOrder = order;
    record.fieldMask = ITEM_PARENT | ITEM_ORDER;
    writeItem(currentItemTable(), record);
}

void storeChildCount(LONG id, int count) {
    if (id <= 0) return;
    ItemRecord record{};
    record.longID = id;
    record.intNumChild = count;
    record.fieldMask = ITEM_NUMCHILD;
    writeItem(currentItemTable(), record);
}

void showPlainText(HWND tree, HTREEITEM item) {
    if (!item) return;
    ItemRecord record{};
    record.longID = getItemId(tree, item);
    if (readItem(currentItemTable(), &record, ITEM_TEXT)) setItemText(tree, item, record.strText);
}

void refreshParentLabel(HWND tree, HTREEITEM parent) {
    int mode = attrCurrentList.intCompletionShow;
    if (mode <= 0 || !parent) return;
    if (hasChildren(tree, parent))
        updateCompletionUp(tree, parent, mode, nullptr, 0);
    else
        showPlainText(tree, parent);
}
