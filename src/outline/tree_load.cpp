// Loading a list into the outline: the clauses, the state image list and
// the one-pass load of the item table.
//
// The whole list is read with one query and built from the root down:
// only rows with longID >= 0 that pass the filter, children only under a
// parent whose row counts children, siblings in the order clause's order.
// The tree is hidden while it fills, so it paints once.
#include "outline/tree_load.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <unordered_map>
#include <vector>

#include "common/codepage.h"
#include "outline/item_draw.h"
#include "outline/tree_load_state.h"
#include "outline/tree_ops.h"
#include "state/app_state.h"
#include "storage/sql_helpers.h"
#include "storage/statements.h"

namespace {

HIMAGELIST himlState = nullptr;

bool protectedList() { return attrCurrentList.bPassword == 1; }

// One shown row as the load reads it; its text lies in the list's texts.
struct LoadedRow {
    LONG id;
    int checked;
    int expand;
    int numChild;
    size_t textAt;
};

// The rows that pass the filter, in the clause's order, and for every
// parent the indexes of its rows in that order. The texts sit one after
// another, each with its terminator, in one string: a room of 100
// characters per row would make the list of a hundred thousand items
// tens of megabytes for the moment of the load.
struct LoadedList {
    std::vector<LoadedRow> rows;
    std::u16string texts;
    std::unordered_map<LONG, std::vector<int>> children;
    const WCHAR* textOf(const LoadedRow& row) const { return texts.c_str() + row.textAt; }
};

void expandItem(HWND tree, HTREEITEM item) { SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, (LPARAM)item); }

// Reads the whole list with one statement and sorts the rows to their
// parents here; false when it cannot be read to its end.
bool readList(sqlite3* db, const char* listName, const char* filterClause, const char* orderClause, LoadedList* out) {
    // The table's name and the clauses are the statement's own text; it
    // has no values.
    const std::string columns = protectedList()
                                    ? "longID,bfdecrypt(strText) AS strTextForSort,bChecked,bNodeExpand,intNumChild,"
                                      "longParentID"
                                    : "longID,strText,bChecked,bNodeExpand,intNumChild,longParentID";
    Statement read(db, "SELECT " + columns + " FROM '" + quoteSql(listName) + "' WHERE longID >= 0 " + filterClause +
                           " " + orderClause + ";");
    if (!read.ready()) return false;
    sqlite3_stmt* statement = read.get();
    int code;
    while ((code = read.step()) == SQLITE_ROW) {
        LoadedRow row;
        row.id = columnNumber(statement, 0);
        char text[codePageBytes(TREE_TEXT_CHARS)];
        columnText(statement, 1, text, codePageBytes(TREE_TEXT_CHARS));
        WCHAR wide[TREE_TEXT_CHARS];
        codePageToWide(text, wide, TREE_TEXT_CHARS);
        row.textAt = out->texts.size();
        out->texts.append(wide);
        out->texts.push_back(0);
        row.checked = (int)columnNumber(statement, 2);
        row.expand = (int)columnNumber(statement, 3);
        row.numChild = (int)columnNumber(statement, 4);
        LONG parent = columnNumber(statement, 5);
        out->children[parent].push_back((int)out->rows.size());
        out->rows.push_back(row);
    }
    return code == SQLITE_DONE;
}

// The suffix of a loaded parent from the check marks of the children that
// went in under it.
void showCompletion(HWND tree, HTREEITEM item, const LoadedRow& row, const LoadedList& list, int mode) {
    auto found = list.children.find(row.id);
    if (found == list.children.end()) return;
    int childCount = 0;
    int checkedCount = 0;
    for (HTREEITEM c = treeFirstChild(tree, item); c; c = treeNextSibling(tree, c)) {
        ++childCount;
        checkedCount += isItemChecked(tree, c);
    }
    if (childCount == 0) return;
    WCHAR text[TREE_TEXT_CHARS];
    composeCompletionText(text, TREE_TEXT_CHARS, list.textOf(row), mode, checkedCount, childCount);
    setItemText(tree, item, text);
}

// Inserts the children of `parentId` under `parent`, each followed by its own
// children when its row says it has any, then expanded as stored. With
// completion counts on, a parent's suffix is made from the rows just
// inserted under it (its stored text is in hand, so no query is needed).
void insertChildren(HWND tree, HTREEITEM parent, LONG parentId, const LoadedList& list, int depth, int mode) {
    auto found = list.children.find(parentId);
    if (found == list.children.end()) return;
    HTREEITEM last = nullptr;
    for (int index : found->second) {
        const LoadedRow& row = list.rows[(size_t)index];
        const WCHAR* text = list.textOf(row);
        HTREEITEM item = parent ? insertChildItem(tree, parent, text, row.id, row.checked, last ? last : TVI_LAST)
                                : insertItem(tree, nullptr, text, row.id, 0, row.checked, last ? last : TVI_LAST);
        if (!item) {
            if (parent) return;
            continue;
        }
        last = item;
        // Each level is one frame of this recursion; a file with an absurdly
        // deep chain of items gets its deepest levels left out instead of
        // running the stack out.
        if (row.numChild > 0 && depth < OUTLINE_LOAD_MAX_DEPTH) {
            insertChildren(tree, item, row.id, list, depth + 1, mode);
            if (mode > 0) showCompletion(tree, item, row, list, mode);
            if (row.expand == 1) expandItem(tree, item);
        }
    }
}

}  // namespace

void buildOrderClause(char* out, int capacity, int alphaSort, int checkSort, int password) {
    const char* text = "ORDER BY longOrder";
    if (!alphaSort && checkSort) text = "ORDER BY bChecked,longOrder";
    if (alphaSort && !checkSort) text = password ? "ORDER BY strTextForSort" : "ORDER BY strText";
    if (alphaSort && checkSort) text = password ? "ORDER BY bChecked,strTextForSort" : "ORDER BY bChecked,strText";
    snprintf(out, (size_t)capacity, "%s", text);
}

void buildFilterClause(char* out, int capacity, int hideChecked, int showHiddenItems) {
    snprintf(out, (size_t)capacity, "%s%s", hideChecked == 1 ? " AND bChecked = 0 " : "",
             showHiddenItems == 1 ? " AND bDisplay = 1 " : "");
}

void loadOutline(sqlite3* db, HWND tree, const char* listName, const char* orderClause, const char* filterClause) {
    if (!db || !tree || !listName || !tableExists(db, listName)) return;
    if (!orderClause) orderClause = "";
    if (!filterClause) filterClause = "";
    bOutlineLoading = 1;
    ShowWindow(tree, SW_HIDE);
    SendMessageW(tree, TVM_DELETEITEM, 0, (LPARAM)TVI_ROOT);
    LoadedList list;
    if (!readList(db, listName, filterClause, orderClause, &list)) {
        if (treeRoot(tree)) ShowWindow(tree, SW_SHOW);
        bOutlineLoading = 0;
        return;
    }
    insertChildren(tree, nullptr, 0, list, 0, attrCurrentList.intCompletionShow);
    HTREEITEM root = treeRoot(tree);
    if (root) SendMessageW(tree, TVM_ENSUREVISIBLE, 0, (LPARAM)root);
    if (root && !IsWindowVisible(tree)) ShowWindow(tree, SW_SHOW);
    bOutlineLoading = 0;
}

void reloadOutline(HWND tree) {
    loadOutline(dbCurrent, tree, strCurrentList, strOrderClause, strFilterClause);
}

void setCheckboxStyle(HWND tree, HIMAGELIST stateImages, int on) {
    if (!tree) return;
    LONG style = GetWindowLongW(tree, GWL_STYLE);
    if (on) {
        SendMessageW(tree, TVM_SETIMAGELIST, TVSIL_STATE, 0);
        SetWindowLongW(tree, GWL_STYLE, style | TVS_CHECKBOXES);
        SendMessageW(tree, TVM_SETIMAGELIST, TVSIL_STATE, (LPARAM)stateImages);
    } else {
        SetWindowLongW(tree, GWL_STYLE, style & ~(LONG)TVS_CHECKBOXES);
        SendMessageW(tree, TVM_SETIMAGELIST, TVSIL_STATE, 0);
    }
}

HIMAGELIST createStateImageList(HWND tree, int fontHeight) {
    if (himlState) {
        if (tree) SendMessageW(tree, TVM_SETIMAGELIST, TVSIL_STATE, 0);
        ImageList_Destroy(himlState);
        himlState = nullptr;
    }
    int side = fontHeight + intUnit;
    if (side < 1) side = 1;
    himlState = ImageList_Create(side, side, ILC_COLOR, 2, 10);
    if (tree && himlState) SendMessageW(tree, TVM_SETIMAGELIST, TVSIL_STATE, (LPARAM)himlState);
    return himlState;
}

HIMAGELIST outlineStateImageList() { return himlState; }

void releaseStateImageList(HWND tree) {
    if (!himlState) return;
    if (tree && IsWindow(tree)) SendMessageW(tree, TVM_SETIMAGELIST, TVSIL_STATE, 0);
    ImageList_Destroy(himlState);
    himlState = nullptr;
}
