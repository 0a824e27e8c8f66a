// Undo: one step back of the last Delete or Cut of the current list. The
// removed item waits parked under its negative longID with its subtree
// untouched (bUndoAvailable names it); Undo turns it positive again and
// puts it last among the children of its former parent.
#pragma once

#include <sqlite3.h>

#include "windows.h"

// 40031 Edit > "Undo".
LRESULT onUndo(HWND hwnd, int id, HWND hwndCtl, int code);

// The table side of Undo: gives the parked row -|id| of `listName` its
// identifier back as the last child of its former parent, or of the top
// level when that parent is no longer in the list (deleted, parked, or cut
// off from the top level), and marks the parent as having children. One
// transaction: all or nothing. The parent it went under (0 for the top
// level), or -1 when there is no such parked row and nothing changed.
LONG restoreParkedItem(sqlite3* db, const char* listName, LONG id);
