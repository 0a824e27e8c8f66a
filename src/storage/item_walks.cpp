// The item table's subtree walks, sibling order numbers and the enciphering
// of a whole table (the rest of the store is item_table.cpp).
//
// A walk asks for the children of one parent at a time, as the stored
// child counts lead it; the index on longParentID (database.cpp) makes each
// question a look-up, and the statements are compiled once per walk.
#include <memory>
#include <unordered_set>
#include <vector>

#include "storage/item_statements.h"
#include "storage/item_table.h"
#include "storage/sql_helpers.h"

using item_sql::prepare;
using item_sql::tableReady;

namespace {

// Grows a caller's identifier block to hold `count` identifiers.
bool growIds(LONG** ids, int count) {
    void* grown = std::realloc(*ids, sizeof(LONG) * static_cast<size_t>(count > 0 ? count : 1));
    if (!grown) return false;
    *ids = static_cast<LONG*>(grown);
    return true;
}

// "BEGIN TRANSACTION;" ... "COMMIT;" "END TRANSACTION;" around the many
// single-row statements of a bulk change, unless the caller's transaction
// holds them already: a second BEGIN would fail and the COMMIT would end
// the caller's transaction half-way.
class BulkTransaction {
public:
    explicit BulkTransaction(sqlite3* db) : db_(db), own_(sqlite3_get_autocommit(db) != 0) {
        if (own_) run("BEGIN TRANSACTION;");
    }
    ~BulkTransaction() {
        if (!own_) return;
        run("COMMIT;");
        run("END TRANSACTION;");
    }
    BulkTransaction(const BulkTransaction&) = delete;
    BulkTransaction& operator=(const BulkTransaction&) = delete;

private:
    void run(const char* sql) {
        char errorText[200];
        executeSql(db_, sql, errorText, sizeof errorText);
    }
    sqlite3* db_;
    bool own_;
};

}  // namespace

// --- subtree walks -----------------------------------------------------------

void collectDescendants(const ItemTable& table, LONG parentId, LONG** ids, int* count) {
    if (!table.db || !table.name || !ids || !count) return;
    StatementReuse reuse(table.db);
    const std::string sql =
        item_sql::assemble("SELECT longID,intNumChild FROM '@' WHERE longParentID = ? AND longID >= 0;", table);
    auto children = [&](LONG parent) {
        auto statement = std::make_unique<Statement>(table.db, sql);
        statement->bind(parent);
        return statement;
    };
    std::vector<std::unique_ptr<Statement>> open;
    open.push_back(children(parentId));
    if (!open.back()->ready()) return;
    if (!*ids && !growIds(ids, 1)) return;
    // Depth first with the open queries on an explicit stack, so a deep tree
    // cannot exhaust the call stack. A damaged file can make an item its own
    // ancestor; an identifier already collected is not visited again, so
    // such a loop ends instead of running forever.
    std::unordered_set<LONG> seen{parentId};
    while (!open.empty()) {
        Statement& statement = *open.back();
        if (statement.step() != SQLITE_ROW) {
            open.pop_back();
            continue;
        }
        LONG id = columnNumber(statement.get(), 0);
        LONG grandchildren = columnNumber(statement.get(), 1);
        if (!seen.insert(id).second) continue;
        if (!growIds(ids, *count + 1)) continue;
        (*ids)[(*count)++] = id;
        if (grandchildren > 0) {
            auto inner = children(id);
            if (inner->ready()) open.push_back(std::move(inner));
        }
    }
}

namespace {

// The descendants collectDescendants finds, as a vector.
std::vector<LONG> descendantsOf(const ItemTable& table, LONG parentId) {
    LONG* ids = nullptr;
    int count = 0;
    collectDescendants(table, parentId, &ids, &count);
    std::vector<LONG> found(ids, ids + count);
    std::free(ids);
    return found;
}

}  // namespace

void deleteDescendants(const ItemTable& table, LONG parentId) {
    StatementReuse reuse(table.db);
    const std::vector<LONG> ids = descendantsOf(table, parentId);
    if (ids.empty()) return;
    // One transaction: a row per statement would otherwise be a commit, and
    // a sync of the file, each.
    CommandTransaction transaction(table.db);
    Statement remove = prepare(table, "DELETE FROM '@' WHERE longID = ?;");
    for (LONG id : ids) {
        remove.bind(id).run();
        remove.reset();
    }
    transaction.commit();
}

int listAllIds(const ItemTable& table, LONG** ids) {
    if (!table.db || !table.name || !ids) return 0;
    Statement all = prepare(table, "SELECT longID FROM '@';");
    if (!all.ready()) return 0;
    int count = 0;
    if (!*ids && !growIds(ids, 1)) return 0;
    while (all.step() == SQLITE_ROW) {
        if (!growIds(ids, count + 1)) break;
        (*ids)[count++] = columnNumber(all.get(), 0);
    }
    return count;
}

void checkDescendants(const ItemTable& table, LONG parentId) {
    StatementReuse reuse(table.db);
    const std::vector<LONG> ids = descendantsOf(table, parentId);
    if (ids.empty()) return;
    BulkTransaction transaction(table.db);
    Statement check = prepare(table, "UPDATE '@' SET bChecked = ? WHERE longID = ?;");
    for (LONG id : ids) {
        check.bind(1).bind(id).run();
        check.reset();
    }
}

// --- order numbers -----------------------------------------------------------

namespace {

// 1 with column 0 of a non-NULL first row as a number, 0 without one (or
// NULL), -1 when the statement cannot be prepared.
int readNumber(Statement& statement, LONG* value) {
    if (!statement.ready()) return -1;
    if (statement.step() != SQLITE_ROW || sqlite3_column_type(statement.get(), 0) == SQLITE_NULL) return 0;
    *value = columnNumber(statement.get(), 0);
    return 1;
}

}  // namespace

LONG nextOrder(const ItemTable& table, LONG parentId) {
    if (!tableReady(table)) return 0;
    LONG largest = 0;
    Statement query = prepare(table, "SELECT MAX(longOrder) FROM '@' WHERE longParentID=?;");
    int found = readNumber(query.bind(parentId), &largest);
    if (found < 0) return 0;
    if (found == 0) return 1;
    return largest < INT32_MAX ? largest + 1 : INT32_MAX;
}

namespace {

// The one number `templ` reads for `value`; 0 without a table or a row.
LONG numberFor(const ItemTable& table, const char* templ, LONG value) {
    if (!tableReady(table)) return 0;
    LONG number = 0;
    Statement query = prepare(table, templ);
    return readNumber(query.bind(value), &number) == 1 ? number : 0;
}

}  // namespace

LONG readOrder(const ItemTable& table, LONG id) {
    return numberFor(table, "SELECT longOrder FROM '@' WHERE longID=?;", id);
}

int writeOrder(const ItemTable& table, LONG id, LONG order) {
    if (!tableReady(table)) return 0;
    return prepare(table, "UPDATE '@' SET longOrder=? WHERE longID=?;").bind(order).bind(id).run();
}

int countChildRows(const ItemTable& table, LONG parentId) {
    return numberFor(table, "SELECT COUNT(longID) FROM '@' WHERE longParentID=? AND longID > 0;", parentId);
}

void sequenceOrder(const ItemTable& table, LONG parentId, LONG id) {
    if (!tableReady(table)) return;
    StatementReuse reuse(table.db);
    int children = countChildRows(table, parentId);
    if (children <= 0) return;
    LONG order = readOrder(table, id);
    if (id > 0) {
        prepare(table,
                "UPDATE '@' SET longOrder = longOrder+1 WHERE longParentID = ? AND longOrder >= ? AND longID != ?;")
            .bind(parentId)
            .bind(order)
            .bind(id)
            .run();
        return;
    }
    std::vector<LONG> ids;
    {
        Statement siblings =
            prepare(table, "SELECT longID FROM '@' WHERE longParentID=? AND longID > 0 ORDER BY longOrder;");
        if (!siblings.ready()) return;
        siblings.bind(parentId);
        ids.reserve(static_cast<size_t>(children));
        while (static_cast<int>(ids.size()) < children && siblings.step() == SQLITE_ROW)
            ids.push_back(columnNumber(siblings.get(), 0));
    }
    BulkTransaction transaction(table.db);
    Statement renumber = prepare(table, "UPDATE '@' SET longOrder = ? WHERE longID = ?;");
    for (size_t j = 0; j < ids.size(); ++j) {
        renumber.bind(static_cast<long long>(j + 1)).bind(ids[j]).run();
        renumber.reset();
    }
}

// --- whole-table cipher --------------------------------------------------------

int encipherItemTable(const ItemTable& table) {
    if (!table.db || !table.name) return SQLITE_MISUSE;
    prepare(table, "UPDATE '@' SET strText = bfencrypt(strText);").run();
    return prepare(table, "UPDATE '@' SET strNoteText = bfencrypt(strNoteText);").run();
}

int decipherItemTable(const ItemTable& table) {
    if (!table.db || !table.name) return SQLITE_MISUSE;
    prepare(table, "UPDATE '@' SET strText = bfdecrypt(strText);").run();
    return prepare(table, "UPDATE '@' SET strNoteText = bfdecrypt(strNoteText);").run();
}
