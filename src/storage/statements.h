// Statements of the storage files with their values bound rather than
// formatted into the text. A template keeps the statement's text with a "?"
// where a value goes (the table name is still written in, between single
// quotes); sqlite3_expanded_sql gives back the text with the values in, the
// same text the formatted statement had.
//
// While a StatementReuse lives for a connection, every statement prepared
// here is kept and handed out again for the same text, so a command that
// runs one statement for many rows compiles it once. Without one, a
// statement is finalized when its Statement goes, as before.
//
// Every failure keeps SQLite's text: storageErrorText() is the text of the
// last statement here that failed.
#pragma once

#include <sqlite3.h>

#include <string>

class Statement {
public:
    Statement(sqlite3* db, const std::string& sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // Prepared: a statement exists (the text compiled).
    bool ready() const { return statement_ != nullptr; }
    // Binds the next value, in the order the template names them.
    Statement& bind(long long value);
    Statement& bindText(const std::string& text);
    // One step: SQLite's code (100 row, 101 done); a failure keeps its text.
    int step();
    // Steps to the end; SQLite's code of the last step (101 done).
    int run();
    // Ready to run again with new values (a loop over many rows).
    void reset();
    long long number(int column) const;
    sqlite3_stmt* get() const { return statement_; }

private:
    sqlite3* db_;
    sqlite3_stmt* statement_ = nullptr;
    bool kept_ = false;
    int next_ = 1;
};

// Keeps the statements of `db` prepared until it goes; nested scopes for the
// same connection share the outer one's statements.
class StatementReuse {
public:
    explicit StatementReuse(sqlite3* db);
    ~StatementReuse();
    StatementReuse(const StatementReuse&) = delete;
    StatementReuse& operator=(const StatementReuse&) = delete;

private:
    bool owner_ = false;
};

// The statements of one command in one transaction: begun with
// "BEGIN TRANSACTION;" unless one is open already (the outer command's then
// holds them); commit() ends it with "COMMIT;" when none of the storage
// statements since the beginning failed, and a transaction not committed is
// rolled back whole ("ROLLBACK;") when this goes.
class CommandTransaction {
public:
    explicit CommandTransaction(sqlite3* db);
    ~CommandTransaction();
    CommandTransaction(const CommandTransaction&) = delete;
    CommandTransaction& operator=(const CommandTransaction&) = delete;

    // False when "BEGIN TRANSACTION;" failed.
    bool begun() const { return begun_; }
    // True when the changes are in the file (or left to the outer
    // transaction); false when a statement failed or the commit did.
    bool commit();

private:
    sqlite3* db_;
    unsigned long failuresAtBegin_ = 0;
    bool own_ = false;
    bool begun_ = false;
    bool done_ = false;
};

// The error text of the last storage statement that failed ("" before any).
const char* storageErrorText();
// SQLite's code of that failure (SQLITE_OK before any).
int storageErrorCode();
// Whether SQLite has itself rolled back the command transaction open on
// `db` (after a full disk or an I/O error); no statement of that command
// runs any more, or it would be committed on its own.
bool commandRolledBack(sqlite3* db);
// Whether a command transaction of this connection is open: a failure of any
// statement then fails the command.
bool insideCommand(sqlite3* db);
// Remembers the connection's current error text as the last failure; an
// open CommandTransaction then rolls back instead of committing.
void noteStorageError(sqlite3* db);
