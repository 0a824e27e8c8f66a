// Loading a list into the outline: the clauses, the state image list and
// the one-pass load of the item table.
//
// The load follows the table level by level: one query for the root rows,
// then for every parent a count and an id query of its children and one
// query per child. The tree is hidden while it fills, so it paints once.
#include "outline/tree_load.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "common/codepage.h"
#include "outline/item_draw.h"
#include "outline/tree_ops.h"
#include "outline/tree_load_state.h"
#include "shell/app_state.h"
#include "storage/sql_helpers.h"

namespace {

HIMAGELIST himlState = nullptr;

bool protectedList() { return attrCurrentList.bPassword == 1; }

std::string name(const char* listName) { return quoteSql(listName); }

// Ids of the parent's children that pass the filter, in the clause's order.
std::vector<LONG> loadChildIds(sqlite3* db, const char* listName, LONG parentId, const char* filterClause,
                               const char* orderClause) {
    std::vector<LONG> ids;
    char errorText[200];
    int count = 0;
    std::string countSql = formatSql("SELECT COUNT(longID) FROM '%s' WHERE longParentID = %ld AND longID >= 0 %s;",
                                     name(listName).c_str(), (long)parentId, filterClause);
    if (!queryInt(db, countSql.c_str(), errorText, sizeof errorText, &count) || count <= 0) return ids;
    ids.reserve((size_t)count + 1);
    std::string sql =
        protectedList()
            ? formatSql("SELECT longID,bfdecrypt(strText) AS strTextForSort FROM '%s' WHERE longParentID = %ld AND "
                        "longID >= 0 %s %s;",
                        name(listName).c_str(), (long)parentId, filterClause, orderClause)
            : formatSql("SELECT longID FROM '%s' WHERE longParentID = %ld AND longID >= 0 %s %s;",
                        name(listName).c_str(), (long)parentId, filterClause, orderClause);
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare(db, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK || !statement) return ids;
    // The count was taken a moment ago; never store more than it promised.
    while ((int)ids.size() < count && sqlite3_step(statement) == SQLITE_ROW)
        ids.push_back(columnNumber(statement, 0));
    sqlite3_finalize(statement);
    return ids;
}

void expandItem(HWND tree, HTREEITEM item) { SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, (LPARAM)item); }

void readItemText(sqlite3_stmt* statement, int column, WCHAR* out) {
    char text[TREE_TEXT_CHARS];
    columnText(statement, column, text, TREE_TEXT_CHARS);
    codePageToWide(text, out, TREE_TEXT_CHARS);
}

void loadChildren(sqlite3* db, HWND tree, HTREEITEM parent, const std::vector<LONG>& ids, const char* listName,
                  const char* filterClause, const char* orderClause, int depth) {
    HTREEITEM last = nullptr;
    for (LONG id : ids) {
        std::string sql =
            protectedList()
                ? formatSql("SELECT bfdecrypt(strText) AS strTextForSort,bChecked,intNumChild,bNodeExpand FROM '%s' "
                            "WHERE longID=%ld %s %s;",
                            name(listName).c_str(), (long)id, filterClause, orderClause)
                : formatSql("SELECT strText,bChecked,intNumChild,bNodeExpand FROM '%s' WHERE longID=%ld %s %s;",
                            name(listName).c_str(), (long)id, filterClause, orderClause);
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare(db, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK || !statement) return;
        if (sqlite3_step(statement) != SQLITE_ROW) {
            sqlite3_finalize(statement);
            return;
        }
        WCHAR text[TREE_TEXT_CHARS];
        readItemText(statement, 0, text);
        int checked = (int)columnNumber(statement, 1);
        int numChild = (int)columnNumber(statement, 2);
        int expand = (int)columnNumber(statement, 3);
        sqlite3_finalize(statement);
        HTREEITEM item = insertChildItem(tree, parent, text, id, checked, last ? last : TVI_LAST);
        if (!item) return;
        last = item;
        // Each level is one frame of this recursion; a file with an absurdly
        // deep chain of items gets its deepest levels left out instead of
        // running the stack out.
        if (numChild > 0 && depth < OUTLINE_LOAD_MAX_DEPTH) {
            loadChildren(db, tree, item, loadChildIds(db, listName, id, filterClause, orderClause), listName,
                         filterClause, orderClause, depth + 1);
            if (expand == 1) expandItem(tree, item);
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
    std::string sql =
        protectedList()
            ? formatSql("SELECT longID,bfdecrypt(strText) AS strTextForSort,bChecked,bNodeExpand,intNumChild FROM '%s' "
                        "WHERE longParentID=0 AND longID >= 0 %s %s;",
                        name(listName).c_str(), filterClause, orderClause)
            : formatSql("SELECT longID,strText,bChecked,bNodeExpand,intNumChild FROM '%s' WHERE longParentID=0 AND "
                        "longID >= 0 %s %s;",
                        name(listName).c_str(), filterClause, orderClause);
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare(db, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK || !statement) {
        if (treeRoot(tree)) ShowWindow(tree, SW_SHOW);
        bOutlineLoading = 0;
        return;
    }
    HTREEITEM last = nullptr;
    while (sqlite3_step(statement) == SQLITE_ROW) {
        LONG id = columnNumber(statement, 0);
        WCHAR text[TREE_TEXT_CHARS];
        readItemText(statement, 1, text);
        int checked = (int)columnNumber(statement, 2);
        int expand = (int)columnNumber(statement, 3);
        int numChild = (int)columnNumber(statement, 4);
        HTREEITEM item = insertItem(tree, nullptr, text, id, 0, checked, last ? last : TVI_LAST);
        if (!item) continue;
        last = item;
        if (numChild > 0) {
            loadChildren(db, tree, item, loadChildIds(db, listName, id, filterClause, orderClause), listName,
                         filterClause, orderClause, 1);
            if (expand == 1) expandItem(tree, item);
        }
    }
    sqlite3_finalize(statement);
    if (attrCurrentList.intCompletionShow > 0) updateAllCompletion(tree, attrCurrentList.intCompletionShow);
    HTREEITEM root = treeRoot(tree);
    if (root) SendMessageW(tree, TVM_ENSUREVISIBLE, 0, (LPARAM)root);
    if (root && !IsWindowVisible(tree)) ShowWindow(tree, SW_SHOW);
    bOutlineLoading = 0;
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
