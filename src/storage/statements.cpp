#include "storage/statements.h"

#include <unordered_map>
#include <vector>

namespace {

// The statements kept for the one connection a StatementReuse is open on:
// for each text, those prepared so far and whether each is handed out. A
// subtree walk holds several cursors of one text open at once, so a text
// may have more than one.
struct Kept {
    sqlite3_stmt* statement;
    bool inUse;
};

struct ReuseState {
    sqlite3* db = nullptr;
    std::unordered_map<std::string, std::vector<Kept>> byText;
};

ReuseState& reuse() {
    static ReuseState state;
    return state;
}

std::string& lastError() {
    static std::string text;
    return text;
}

int& lastErrorCode() {
    static int code = SQLITE_OK;
    return code;
}

// The connection whose command transaction is open here (not one of a
// caller's): when SQLite ends that transaction itself on a failure (a full
// disk, an I/O error), the statements after it would each be committed on
// their own, so none of them runs.
sqlite3*& commandDb() {
    static sqlite3* db = nullptr;
    return db;
}

// How many storage statements have failed so far: a transaction that saw
// this change is not committed.
unsigned long& failures() {
    static unsigned long count = 0;
    return count;
}

sqlite3_stmt* takeKept(sqlite3* db, const std::string& sql) {
    ReuseState& r = reuse();
    if (r.db != db) return nullptr;
    for (Kept& kept : r.byText[sql]) {
        if (!kept.inUse) {
            kept.inUse = true;
            return kept.statement;
        }
    }
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK || !statement) return nullptr;
    r.byText[sql].push_back({statement, true});
    return statement;
}

void giveBack(sqlite3_stmt* statement) {
    sqlite3_reset(statement);
    sqlite3_clear_bindings(statement);
    for (auto& entry : reuse().byText)
        for (Kept& kept : entry.second)
            if (kept.statement == statement) {
                kept.inUse = false;
                return;
            }
}

int plainRun(sqlite3* db, const char* sql) {
    sqlite3_stmt* statement = nullptr;
    int code = sqlite3_prepare_v2(db, sql, -1, &statement, nullptr);
    if (code != SQLITE_OK || !statement) {
        noteStorageError(db);
        return code;
    }
    code = sqlite3_step(statement);
    if (code != SQLITE_DONE) noteStorageError(db);
    sqlite3_finalize(statement);
    return code;
}

}  // namespace

const char* storageErrorText() { return lastError().c_str(); }
int storageErrorCode() { return lastErrorCode(); }

bool commandRolledBack(sqlite3* db) { return db && commandDb() == db && sqlite3_get_autocommit(db); }

bool insideCommand(sqlite3* db) { return db && commandDb() == db; }

void noteStorageError(sqlite3* db) {
    const char* text = db ? sqlite3_errmsg(db) : "no database";
    lastError() = text ? text : "";
    lastErrorCode() = db ? sqlite3_errcode(db) : SQLITE_MISUSE;
    ++failures();
}

// --- Statement -------------------------------------------------------------------------------

Statement::Statement(sqlite3* db, const std::string& sql) : db_(db) {
    if (!db) return;
    statement_ = takeKept(db, sql);
    if (statement_) {
        kept_ = true;
        return;
    }
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &statement_, nullptr) != SQLITE_OK) {
        noteStorageError(db);
        sqlite3_finalize(statement_);
        statement_ = nullptr;
    }
}

Statement::~Statement() {
    if (!statement_) return;
    if (kept_)
        giveBack(statement_);
    else
        sqlite3_finalize(statement_);
}

Statement& Statement::bind(long long value) {
    if (statement_) sqlite3_bind_int64(statement_, next_, value);
    ++next_;
    return *this;
}

Statement& Statement::bindText(const std::string& text) {
    if (statement_) sqlite3_bind_text(statement_, next_, text.c_str(), int(text.size()), SQLITE_TRANSIENT);
    ++next_;
    return *this;
}

int Statement::step() {
    if (!statement_) return SQLITE_ERROR;
    if (commandRolledBack(db_)) {
        // The failure that ended the command is noted already.
        ++failures();
        return SQLITE_ABORT;
    }
    int code = sqlite3_step(statement_);
    if (code != SQLITE_ROW && code != SQLITE_DONE) noteStorageError(db_);
    return code;
}

int Statement::run() {
    int code;
    while ((code = step()) == SQLITE_ROW) {
    }
    return code;
}

void Statement::reset() {
    if (statement_) {
        sqlite3_reset(statement_);
        sqlite3_clear_bindings(statement_);
    }
    next_ = 1;
}

long long Statement::number(int column) const { return statement_ ? sqlite3_column_int64(statement_, column) : 0; }

// --- StatementReuse ----------------------------------------------------------------------------

StatementReuse::StatementReuse(sqlite3* db) {
    ReuseState& r = reuse();
    if (!db || r.db) return;  // nested, or another connection's scope is open: statements are not kept
    r.db = db;
    owner_ = true;
}

StatementReuse::~StatementReuse() {
    if (!owner_) return;
    ReuseState& r = reuse();
    for (auto& entry : r.byText)
        for (Kept& kept : entry.second) sqlite3_finalize(kept.statement);
    r.byText.clear();
    r.db = nullptr;
}

// --- CommandTransaction ----------------------------------------------------------------------

CommandTransaction::CommandTransaction(sqlite3* db) : db_(db) {
    if (!db) return;
    if (!sqlite3_get_autocommit(db)) {
        begun_ = true;  // inside the caller's transaction
        return;
    }
    own_ = begun_ = plainRun(db, "BEGIN TRANSACTION;") == SQLITE_DONE;
    failuresAtBegin_ = failures();
    if (own_) commandDb() = db;
}

CommandTransaction::~CommandTransaction() {
    if (!own_) return;
    commandDb() = nullptr;
    if (!done_ && !sqlite3_get_autocommit(db_)) plainRun(db_, "ROLLBACK;");
}

bool CommandTransaction::commit() {
    if (!begun_) return false;
    if (!own_) return true;
    if (failures() != failuresAtBegin_) return false;  // rolled back when this goes
    // SQLite ended it already: what ran of the command is undone.
    if (sqlite3_get_autocommit(db_)) return false;
    done_ = true;
    if (plainRun(db_, "COMMIT;") == SQLITE_DONE) return true;
    if (!sqlite3_get_autocommit(db_)) plainRun(db_, "ROLLBACK;");
    return false;
}
