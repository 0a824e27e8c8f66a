#include "outline/checked_rows.h"

#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "storage/item_statements.h"
#include "storage/item_table.h"
#include "storage/sql_helpers.h"
#include "storage/statements.h"
#include "windef.h"

using item_sql::prepare;

namespace {

struct Row {
    LONG id;
    LONG parent;
    int checked;
    int numChild;
};

bool readRows(const ItemTable& table, std::vector<Row>* rows) {
    Statement read = prepare(table, "SELECT longID,longParentID,bChecked,intNumChild FROM '@';");
    if (!read.ready()) return false;
    sqlite3_stmt* statement = read.get();
    int code;
    while ((code = read.step()) == SQLITE_ROW)
        rows->push_back({columnNumber(statement, 0), columnNumber(statement, 1), (int)columnNumber(statement, 2),
                         (int)columnNumber(statement, 3)});
    return code == SQLITE_DONE;
}

// The rows to delete: walking down from the top level through live rows,
// a checked row and every row under it. Parked rows are never entered, and
// each row is visited once, so a damaged file whose rows name each other
// as parents cannot loop.
std::vector<LONG> doomedRows(const std::vector<Row>& rows) {
    std::unordered_map<LONG, std::vector<size_t>> children;
    for (size_t i = 0; i < rows.size(); ++i)
        if (rows[i].id > 0) children[rows[i].parent].push_back(i);
    std::vector<LONG> doomed;
    std::unordered_set<LONG> seen;
    std::vector<std::pair<LONG, bool>> pending{{0, false}};
    while (!pending.empty()) {
        auto [parent, underChecked] = pending.back();
        pending.pop_back();
        auto found = children.find(parent);
        if (found == children.end()) continue;
        for (size_t index : found->second) {
            const Row& row = rows[index];
            if (!seen.insert(row.id).second) continue;
            bool doomedHere = underChecked || row.checked != 0;
            if (doomedHere) doomed.push_back(row.id);
            pending.push_back({row.id, doomedHere});
        }
    }
    return doomed;
}

}  // namespace

int deleteCheckedRows(sqlite3* db, const char* listName) {
    if (!db || !listName || !tableExists(db, listName)) return -1;
    ItemTable table;
    table.db = db;
    table.name = listName;
    std::vector<Row> rows;
    if (!readRows(table, &rows)) return -1;
    std::vector<LONG> doomed = doomedRows(rows);
    if (doomed.empty()) return 0;

    const std::unordered_set<LONG> gone(doomed.begin(), doomed.end());
    std::unordered_map<LONG, int> liveChildren;
    for (const Row& row : rows)
        if (row.id > 0 && !gone.count(row.id)) ++liveChildren[row.parent];

    // One transaction, rolled back whole when a statement fails. Each
    // statement is compiled once and run for every row with its values
    // bound.
    CommandTransaction change(db);
    if (!change.begun()) return -1;
    bool ok = true;
    Statement remove = prepare(table, "DELETE FROM '@' WHERE longID = ?;");
    for (size_t i = 0; ok && i < doomed.size(); ++i) {
        ok = remove.bind(doomed[i]).run() == SQLITE_DONE;
        remove.reset();
    }
    // Only the counts that changed are written; the others already hold.
    Statement recount = prepare(table, "UPDATE '@' SET intNumChild=? WHERE longID = ?;");
    for (size_t i = 0; ok && i < rows.size(); ++i) {
        const Row& row = rows[i];
        if (row.id <= 0 || gone.count(row.id)) continue;
        auto found = liveChildren.find(row.id);
        int count = found == liveChildren.end() ? 0 : found->second;
        if (count == row.numChild) continue;
        ok = recount.bind(count).bind(row.id).run() == SQLITE_DONE;
        recount.reset();
    }
    if (!ok || !change.commit()) return -1;
    return (int)doomed.size();
}
