// Shared pieces of the storage tests: an in-memory list database, a recorder
// of the statements a connection runs, and one-value queries.
#pragma once

#include <sqlite3.h>

#include <string>
#include <vector>

#include "state/app_state.h"
#include "storage/database.h"
#include "storage/item_table.h"
#include "storage/sql_helpers.h"

namespace storage_test {

// The first column of the first row as text; "<none>" without a row,
// "<null>" for NULL, "<error>" when it cannot be prepared.
inline std::string scalar(sqlite3* db, const std::string& sql) {
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr) != SQLITE_OK) return "<error>";
    std::string out = "<none>";
    if (sqlite3_step(st) == SQLITE_ROW) {
        const unsigned char* t = sqlite3_column_text(st, 0);
        out = t ? reinterpret_cast<const char*>(t) : "<null>";
    }
    sqlite3_finalize(st);
    return out;
}

// Every row of a one-column query, joined with ",".
inline std::string column(sqlite3* db, const std::string& sql) {
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr) != SQLITE_OK) return "<error>";
    std::string out;
    while (sqlite3_step(st) == SQLITE_ROW) {
        if (!out.empty()) out += ",";
        const unsigned char* t = sqlite3_column_text(st, 0);
        out += t ? reinterpret_cast<const char*>(t) : "<null>";
    }
    sqlite3_finalize(st);
    return out;
}

// The item table `name` of `db`, its texts enciphered while the test's
// current list has a password, as the program's commands build it.
inline ::ItemTable itemsOf(sqlite3* db, const char* name) {
    return ::ItemTable{db, name, attrCurrentList.bPassword == 1};
}

// Records the text of every statement the connection starts, with its
// bound values written in.
class StatementLog {
public:
    explicit StatementLog(sqlite3* db) : db_(db) { sqlite3_trace_v2(db, SQLITE_TRACE_STMT, &StatementLog::trace, this); }
    ~StatementLog() { sqlite3_trace_v2(db_, 0, nullptr, nullptr); }
    StatementLog(const StatementLog&) = delete;
    StatementLog& operator=(const StatementLog&) = delete;
    const std::vector<std::string>& statements() const { return statements_; }
    void clear() { statements_.clear(); }

private:
    static int trace(unsigned, void* self, void* statement, void*) {
        auto* log = static_cast<StatementLog*>(self);
        // With the values bound: the text as the statement ran.
        char* sql = sqlite3_expanded_sql(static_cast<sqlite3_stmt*>(statement));
        log->statements_.push_back(sql ? sql : "");
        sqlite3_free(sql);
        return 0;
    }
    sqlite3* db_;
    std::vector<std::string> statements_;
};

// An in-memory connection with the list schema and the SQL functions, as a
// list database has once opened.
class MemoryListDb {
public:
    MemoryListDb() {
        sqlite3_open(":memory:", &db_);
        char error[200];
        createTable(db_, "VersionData", VERSION_DATA_COLUMNS, error, sizeof error);
        executeSql(db_, "INSERT INTO VersionData VALUES (1);", error, sizeof error);
        createTable(db_, "ListAttributes", LIST_ATTRIBUTES_COLUMNS, error, sizeof error);
        registerSqlFunctions(db_);
    }
    ~MemoryListDb() { sqlite3_close(db_); }
    MemoryListDb(const MemoryListDb&) = delete;
    MemoryListDb& operator=(const MemoryListDb&) = delete;
    sqlite3* get() const { return db_; }
    operator sqlite3*() const { return db_; }

private:
    sqlite3* db_ = nullptr;
};

}  // namespace storage_test
