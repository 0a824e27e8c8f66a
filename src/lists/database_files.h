// The database files the user works on, one at a time: the File menu's New
// Database, Open Database and Database Attributes, and the steps that leave
// the current database (store, purge, compact, close, back up).
#pragma once

#include "state/command_handler.h"
#include "windows.h"

// Leaves the open database, if any: writes the current list's attributes,
// purges the parked items of every list, compacts and closes the file and
// makes its backup copy (warning, when `warnInBackupFolder` is 1, that none
// can be made in the backup folder). The item clipboard and the undo record
// name items of that file, so they are emptied too.
void leaveCurrentDatabase(HWND owner, int warnInBackupFolder);

// 40017 "New Database...": a new (or chosen existing) file becomes current
// with no list active.
LRESULT onNewDatabase(HWND hwnd, int id, HWND hwndCtl, int code);
// 40001 "Open Database...": the chosen file becomes current with its
// active list loaded.
LRESULT onOpenDatabase(HWND hwnd, int id, HWND hwndCtl, int code);
// Opens the database at `path` as Open Database does once a file is chosen
// (a file dropped on the window comes here too). Always 0.
LRESULT openDatabaseFile(HWND hwnd, LPCWSTR path);
// 40057 "Database Attributes...": the file's path and number of lists.
LRESULT onDatabaseAttributes(HWND hwnd, int id, HWND hwndCtl, int code);

// The chooser's starting path for New Database: in the folder of `remembered`
// (else the documents folder) the first free "quillet<n>.qu2".
void newDatabaseStartPath(LPCWSTR remembered, WCHAR* out, int capacity);
