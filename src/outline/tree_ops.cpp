// Node operations of the outline over the tree view messages.
#include "outline/tree_ops.h"
#include "common/wide_text.h"

#include <cstring>

namespace {

HTREEITEM nextItem(HWND tree, HTREEITEM item, UINT code) {
    return (HTREEITEM)SendMessageW(tree, TVM_GETNEXTITEM, code, (LPARAM)item);
}

}  // namespace

HTREEITEM treeParent(HWND tree, HTREEITEM item) { return item ? nextItem(tree, item, TVGN_PARENT) : nullptr; }
HTREEITEM treeFirstChild(HWND tree, HTREEITEM item) { return item ? nextItem(tree, item, TVGN_CHILD) : nullptr; }
HTREEITEM treeNextSibling(HWND tree, HTREEITEM item) { return item ? nextItem(tree, item, TVGN_NEXT) : nullptr; }
HTREEITEM treePrevSibling(HWND tree, HTREEITEM item) { return item ? nextItem(tree, item, TVGN_PREVIOUS) : nullptr; }
HTREEITEM treeRoot(HWND tree) { return nextItem(tree, nullptr, TVGN_ROOT); }
HTREEITEM treeSelection(HWND tree) { return nextItem(tree, nullptr, TVGN_CARET); }
HTREEITEM treeFirstVisible(HWND tree) { return nextItem(tree, nullptr, TVGN_FIRSTVISIBLE); }
HTREEITEM treeNextVisible(HWND tree, HTREEITEM item) { return item ? nextItem(tree, item, TVGN_NEXTVISIBLE) : nullptr; }
HTREEITEM treeDropHighlight(HWND tree) { return nextItem(tree, nullptr, TVGN_DROPHILITE); }

bool itemTextRect(HWND tree, HTREEITEM item, RECT* out) {
    if (!item || !out) return false;
    // TVM_GETITEMRECT takes the node in the rectangle's first bytes.
    RECT rc{};
    static_assert(sizeof(RECT) >= sizeof(HTREEITEM));
    std::memcpy(&rc, &item, sizeof item);
    if (!SendMessageW(tree, TVM_GETITEMRECT, TRUE, (LPARAM)&rc)) return false;
    *out = rc;
    return true;
}

int isDescendantOf(HWND tree, HTREEITEM item, HTREEITEM ancestor) {
    if (!ancestor) return 0;
    for (HTREEITEM up = treeParent(tree, item); up; up = treeParent(tree, up))
        if (up == ancestor) return 1;
    return 0;
}

HTREEITEM insertItem(HWND tree, HTREEITEM parent, LPCWSTR text, LONG longID, int hasChildren, int checked,
                     HTREEITEM insertAfter) {
    // The control copies the text; the cast only satisfies the record's type.
    static WCHAR empty[1] = {0};
    TVINSERTSTRUCTW ins{};
    ins.hParent = parent ? parent : TVI_ROOT;
    ins.hInsertAfter = insertAfter ? insertAfter : TVI_LAST;
    ins.item.mask = TVIF_TEXT | TVIF_STATE | TVIF_PARAM | TVIF_CHILDREN;
    ins.item.pszText = text ? const_cast<LPWSTR>(text) : empty;
    ins.item.cchTextMax = textLength(text);
    ins.item.state = INDEXTOSTATEIMAGEMASK(checked ? STATE_CHECKED : STATE_UNCHECKED);
    ins.item.stateMask = TVIS_STATEIMAGEMASK;
    ins.item.lParam = longID;
    ins.item.cChildren = hasChildren ? 1 : 0;
    return (HTREEITEM)SendMessageW(tree, TVM_INSERTITEMW, 0, (LPARAM)&ins);
}

HTREEITEM insertChildItem(HWND tree, HTREEITEM parent, LPCWSTR text, LONG longID, int checked,
                          HTREEITEM insertAfter) {
    setChildrenFlag(tree, parent, 1);
    return insertItem(tree, parent, text, longID, 0, checked, insertAfter);
}

void getItemText(HWND tree, HTREEITEM item, WCHAR* buffer, int size) {
    if (!buffer || size <= 0) return;
    buffer[0] = 0;
    if (!item) return;
    TVITEMW tvi{};
    tvi.mask = TVIF_TEXT;
    tvi.hItem = item;
    tvi.pszText = buffer;
    tvi.cchTextMax = size;
    if (!SendMessageW(tree, TVM_GETITEMW, 0, (LPARAM)&tvi)) buffer[0] = 0;
    buffer[size - 1] = 0;
}

void setItemText(HWND tree, HTREEITEM item, LPCWSTR text) {
    if (!item) return;
    TVITEMW tvi{};
    tvi.mask = TVIF_TEXT;
    tvi.hItem = item;
    static WCHAR empty[1] = {0};
    tvi.pszText = text ? const_cast<LPWSTR>(text) : empty;
    tvi.cchTextMax = textLength(text);
    SendMessageW(tree, TVM_SETITEMW, 0, (LPARAM)&tvi);
}

int countChildren(HWND tree, HTREEITEM item) {
    int n = 0;
    for (HTREEITEM c = treeFirstChild(tree, item); c; c = treeNextSibling(tree, c)) ++n;
    return n;
}

int hasChildren(HWND tree, HTREEITEM item) { return treeFirstChild(tree, item) ? 1 : 0; }

void setChildrenFlag(HWND tree, HTREEITEM item, int value) {
    if (!item) return;
    TVITEMW tvi{};
    tvi.mask = TVIF_CHILDREN;
    tvi.hItem = item;
    tvi.cChildren = value;
    SendMessageW(tree, TVM_SETITEMW, 0, (LPARAM)&tvi);
}

int getChildrenFlag(HWND tree, HTREEITEM item) {
    if (!item) return 0;
    TVITEMW tvi{};
    tvi.mask = TVIF_CHILDREN;
    tvi.hItem = item;
    if (!SendMessageW(tree, TVM_GETITEMW, 0, (LPARAM)&tvi)) return 0;
    return tvi.cChildren;
}

void setItemId(HWND tree, HTREEITEM item, LONG longID) {
    if (!item) return;
    TVITEMW tvi{};
    tvi.mask = TVIF_PARAM;
    tvi.hItem = item;
    tvi.lParam = longID;
    SendMessageW(tree, TVM_SETITEMW, 0, (LPARAM)&tvi);
}

LONG getItemId(HWND tree, HTREEITEM item) {
    if (!item) return 0;
    TVITEMW tvi{};
    tvi.mask = TVIF_PARAM;
    tvi.hItem = item;
    if (!SendMessageW(tree, TVM_GETITEMW, 0, (LPARAM)&tvi)) return 0;
    return (LONG)tvi.lParam;
}

int itemDepth(HWND tree, HTREEITEM item) {
    int depth = 0;
    for (HTREEITEM p = treeParent(tree, item); p && depth < TREE_MAX_DEPTH; p = treeParent(tree, p)) ++depth;
    return depth;
}

int isRootItem(HWND tree, HTREEITEM item) { return treeParent(tree, item) ? 0 : 1; }

int isItemChecked(HWND tree, HTREEITEM item) {
    if (!item) return 0;
    TVITEMW tvi{};
    tvi.mask = TVIF_STATE;
    tvi.hItem = item;
    tvi.stateMask = TVIS_STATEIMAGEMASK;
    if (!SendMessageW(tree, TVM_GETITEMW, 0, (LPARAM)&tvi)) return 0;
    return STATEIMAGEINDEX(tvi.state) == STATE_CHECKED ? 1 : 0;
}

void setItemChecked(HWND tree, HTREEITEM item, int checked) {
    if (!item) return;
    TVITEMW tvi{};
    tvi.mask = TVIF_STATE;
    tvi.hItem = item;
    tvi.stateMask = TVIS_STATEIMAGEMASK;
    tvi.state = INDEXTOSTATEIMAGEMASK(checked ? STATE_CHECKED : STATE_UNCHECKED);
    SendMessageW(tree, TVM_SETITEMW, 0, (LPARAM)&tvi);
}

HTREEITEM nextItemPreorder(HWND tree, HTREEITEM item) {
    if (!item) return nullptr;
    if (HTREEITEM child = treeFirstChild(tree, item)) return child;
    for (HTREEITEM at = item; at; at = treeParent(tree, at)) {
        if (HTREEITEM next = treeNextSibling(tree, at)) return next;
    }
    return nullptr;
}

HTREEITEM findItemById(HWND tree, HTREEITEM start, LONG longID) {
    // Walk `start`, its later siblings and everything below them: pre-order,
    // but never climbing above the level where the walk began.
    HTREEITEM first = start ? start : treeRoot(tree);
    if (!first) return nullptr;
    HTREEITEM stop = treeParent(tree, first);
    HTREEITEM at = first;
    while (at) {
        if (getItemId(tree, at) == longID) return at;
        if (HTREEITEM child = treeFirstChild(tree, at)) {
            at = child;
            continue;
        }
        HTREEITEM next = nullptr;
        for (HTREEITEM up = at; up && up != stop; up = treeParent(tree, up)) {
            next = treeNextSibling(tree, up);
            if (next) break;
        }
        at = next;
    }
    return nullptr;
}

int countDescendants(HWND tree, HTREEITEM item) {
    int n = 0;
    for (HTREEITEM c = treeFirstChild(tree, item); c; c = treeNextSibling(tree, c)) n += 1 + countDescendants(tree, c);
    return n;
}

int isItemVisible(HWND tree, HTREEITEM item) {
    if (!item) return 0;
    RECT row{};
    std::memcpy(&row, &item, sizeof(item));
    if (!SendMessageW(tree, TVM_GETITEMRECT, FALSE, (LPARAM)&row)) return 0;
    RECT client{};
    GetClientRect(tree, &client);
    if (row.bottom > client.bottom || row.top < client.top) return 0;
    return 1;
}

HTREEITEM copyItem(HWND tree, HTREEITEM item, HTREEITEM newParent, HTREEITEM insertAfter) {
    if (!item) return nullptr;
    WCHAR text[TREE_COPY_CHARS] = {};
    TVITEMW tvi{};
    tvi.mask = TVIF_TEXT | TVIF_STATE | TVIF_PARAM | TVIF_CHILDREN;
    tvi.hItem = item;
    tvi.pszText = text;
    tvi.cchTextMax = TREE_COPY_CHARS;
    tvi.stateMask = TVIS_STATEIMAGEMASK;
    if (!SendMessageW(tree, TVM_GETITEMW, 0, (LPARAM)&tvi)) return nullptr;
    text[TREE_COPY_CHARS - 1] = 0;
    int checked = STATEIMAGEINDEX(tvi.state) == STATE_CHECKED;
    return insertItem(tree, newParent, text, (LONG)tvi.lParam, tvi.cChildren, checked, insertAfter);
}

HTREEITEM copySubtree(HWND tree, HTREEITEM item, HTREEITEM newParent, HTREEITEM insertAfter) {
    HTREEITEM copy = copyItem(tree, item, newParent, insertAfter);
    if (!copy) return nullptr;
    for (HTREEITEM c = treeFirstChild(tree, item); c; c = treeNextSibling(tree, c)) copySubtree(tree, c, copy, TVI_LAST);
    return copy;
}

HTREEITEM moveSubtree(HWND tree, HTREEITEM item, HTREEITEM dropTarget, HTREEITEM newParent,
                      HTREEITEM insertAfter) {
    if (!item || !dropTarget) return nullptr;
    HTREEITEM parent = newParent;
    HTREEITEM after = insertAfter;
    if (hasChildren(tree, dropTarget) && !insertAfter) {
        parent = dropTarget;
        after = TVI_FIRST;
    }
    // A subtree cannot go inside itself: the copy would keep finding its own
    // new children to copy, and deleting the source would take the copy along.
    for (HTREEITEM up = parent; up && up != TVI_ROOT; up = treeParent(tree, up))
        if (up == item) return nullptr;
    HTREEITEM moved = hasChildren(tree, item) ? copySubtree(tree, item, parent, after)
                                              : copyItem(tree, item, parent, after);
    SendMessageW(tree, TVM_DELETEITEM, 0, (LPARAM)item);
    return moved;
}
