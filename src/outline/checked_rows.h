// The table side of Delete Checked: removing the checked items of a list
// with everything below them, and counting every item's children again.
#pragma once

#include <sqlite3.h>

// Deletes for good, in one transaction, every checked item that the list's
// outline reaches (from the top level down through live rows) together with
// all the rows below it, then writes each live row's intNumChild as the
// number of its live children. Parked items (negative longID) and the rows
// under them are left alone, so Undo and the item clipboard still find them
// whole. All or nothing: on a failed statement the table is as it was.
// Returns the number of rows deleted, or -1 when nothing could be changed.
int deleteCheckedRows(sqlite3* db, const char* listName);
