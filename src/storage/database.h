// Database files: the schema of a list database and its version, opening and
// closing files, and the purge of parked items.
//
// A list database holds VersionData (one row: the schema version, 1),
// ListAttributes (one row per list) and one item table per list, named
// after the list. Paths are device paths.
#pragma once

#include <sqlite3.h>

#include "storage/list_name_box.h"
#include "windef.h"

// The schema version this program writes and accepts.
enum { SCHEMA_VERSION = 1 };

// Column lists the tables are created with; they are stored verbatim in the
// file's schema, so they never change.
extern const char* const VERSION_DATA_COLUMNS;
extern const char* const LIST_ATTRIBUTES_COLUMNS;
extern const char* const ITEM_TABLE_COLUMNS;

// Opens (or creates, when missing) the file at `path`; null when the path is
// empty or too long, or SQLite cannot open it. No schema work is done.
sqlite3* openDatabaseFile(LPCWSTR path);
// Compacts the file ("VACUUM") and closes it; the close result.
int closeDatabaseFile(sqlite3* db);
// Opens a list database, completing a new or older file with VersionData and
// ListAttributes, with bfencrypt/bfdecrypt registered; null when the file
// cannot be used (not a database, damaged, another schema version,
// read-only, locked), in which case the file is left as it was.
sqlite3* openListDatabase(LPCWSTR path);
// The schema version in VersionData (an empty table counts as 1); -1 without
// a connection or tables.
int readSchemaVersion(sqlite3* db);
// Creates the item table of a list with its index; 1 created, 0 not (it
// may exist already).
int createItemTable(sqlite3* db, const char* listName);
// Gives the list's item table its index on longParentID, unless it has it;
// 1 when the index is there.
int indexItemTable(sqlite3* db, const char* listName);
// After the item table `oldName` was renamed to `newName`: its index gets
// the name that goes with the new one; 1 when it is there.
int renameItemIndex(sqlite3* db, const char* oldName, const char* newName);
// Deletes the list's parked items (negative identifiers) with their subtrees.
void purgeParkedItems(sqlite3* db, const char* listName);
// Purges the parked items of every list named in the list-name box.
void purgeAllLists(sqlite3* db, ListNameBox& box);
