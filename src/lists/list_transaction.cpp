// Transactions of list changes.
#include "lists/list_transaction.h"

#include "storage/sql_helpers.h"

namespace {

int run(sqlite3* db, const char* sql) {
    char errorText[200];
    return executeSql(db, sql, errorText, sizeof errorText);
}

}  // namespace

bool beginListTransaction(sqlite3* db) {
    if (!db) return false;
    return run(db, "BEGIN TRANSACTION;") == SQLITE_DONE;
}

bool commitListTransaction(sqlite3* db) {
    if (!db) return false;
    if (run(db, "COMMIT;") == SQLITE_DONE) return true;
    rollbackListTransaction(db);
    return false;
}

void rollbackListTransaction(sqlite3* db) {
    // A statement that failed may already have ended the transaction;
    // then there is nothing to roll back and the error is of no interest.
    if (db && !sqlite3_get_autocommit(db)) run(db, "ROLLBACK;");
}
