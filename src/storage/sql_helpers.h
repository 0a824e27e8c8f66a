// One-statement SQL helpers on an open connection, the two SQL functions that
// encipher and decipher list texts, and the quoting of text placed inside
// SQL literals.
//
// Every statement is prepared, stepped and finalized in one call; nothing is
// cached. Results are SQLite's own codes (101 done, 100 row) or 1/0. Error
// texts go into a caller's buffer: at most capacity - 1 bytes, and the last
// byte of the buffer is always a terminator.
#pragma once

#include <sqlite3.h>

#include <string>

#include "windef.h"

// Runs the first statement of `sql` with one step; the preparation's code if
// it failed, otherwise the step's code (101 done, 100 a first row).
int executeSql(sqlite3* db, const char* sql, char* errorText, int errorCapacity);
// 1 and `value` set from column 0 of the first row; 0 (error text copied) if
// there is no first row.
int queryInt(sqlite3* db, const char* sql, char* errorText, int errorCapacity, int* value);
// Number of tables in the database; -1 when the schema cannot be read.
int countTables(sqlite3* db);
// 1 when exactly one table (not a view or index) has this name, else 0.
int tableExists(sqlite3* db, const char* name);
// Creates table `name` with `columns`; 1 done, 0 failed (error text copied;
// untouched when the name or the column list is empty).
int createTable(sqlite3* db, const char* name, const char* columns, char* errorText, int errorCapacity);
// Drops table `name`; 1 done, 0 failed.
int dropTable(sqlite3* db, const char* name);
// Renames table `oldName` to `newName`; 1 done, 0 failed.
int renameTable(sqlite3* db, const char* oldName, const char* newName);
// Registers "bfdecrypt" and "bfencrypt" on a list connection; the code of the
// second registration.
int registerSqlFunctions(sqlite3* db);
// Doubles the single quotes of `text` in place, within `capacity` wide
// characters; a text that outgrows the room is cut before a quote pair,
// never between its two quotes.
void doubleQuotes(WCHAR* text, int capacity);

// --- helpers of the storage files ------------------------------------------

// printf-style formatting of a statement into a string of whatever length it
// needs, so no statement is ever cut short.
std::string formatSql(const char* format, ...) __attribute__((format(printf, 1, 2)));
// `text` with every single quote doubled, ready to sit between single quotes
// in a statement. Used for names, which reach storage as 8-bit text.
std::string quoteSql(const char* text);
// Copies the connection's error text into a caller's buffer (capacity - 1
// bytes at most, terminator in the last byte).
void copyErrorText(sqlite3* db, char* errorText, int errorCapacity);
// Column `column` of the current row as text, cut to `capacity` - 1 bytes
// (NULL gives the empty text).
void columnText(sqlite3_stmt* statement, int column, char* out, int capacity);
// Column `column` of the current row read as a signed decimal number (NULL
// gives 0).
LONG columnNumber(sqlite3_stmt* statement, int column);
