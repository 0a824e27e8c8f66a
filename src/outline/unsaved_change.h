// A change of the current list that did not reach the database is told to
// the person, once per command, in the program's message dialog; the outline
// is then loaded again from the stored rows, so that it never shows what is
// not stored. Every command that writes items reports through here, right
// after the write that failed (SQLite's last error says why).
#pragma once

#include "windows.h"

// Whether the last write failed for want of room: SQLite said SQLITE_FULL, or
// the device's file system left ERROR_DISK_FULL.
bool storeIsFull();
// Whether the write that just failed met a full store, by SQLite's word or
// the file system's.
bool failedForFullStore();
// The message for the database's last failure: a full store is named as
// such, anything else with SQLite's own words.
void unsavedChangeText(WCHAR* out, int capacity);
// Shows the message and leaves the outline as it is: for a text that stays
// where the person typed it (a note) or that the label editor hands back.
void reportUnsavedChange();
// The same with a text made earlier by unsavedChangeText: for a command that
// goes on (rolls back, closes windows) before it can tell.
void reportUnsavedChange(LPCWSTR text);
// Shows the message, then reloads the outline and fits the panes to it.
void reportUnsavedChangeAndReload();
void reportUnsavedChangeAndReload(LPCWSTR text);
// Whether the last statement on the database failed: for the item-table
// operations that give no result of their own. Only right after a single
// statement (a transaction's closing "END TRANSACTION;" fails by design).
bool lastStatementFailed();
// The command table runs every command between these two. A write that met
// a full store on the way (the device's file system leaves ERROR_DISK_FULL
// behind) and that no message of the command answered is reported when the
// outermost command ends, and the outline reloaded.
void beginCommandWrites();
void endCommandWrites();
// 1 when `stored`; otherwise reportUnsavedChangeAndReload and 0. For item
// writes: pass `id > 0` for writeItem's identifier, `code == 101` for a
// statement's SQLite code.
int checkStored(bool stored);
// Stores the current list's attributes (sort, hiding, look, password) in one
// transaction. When that fails the person is told, and the list takes the
// record as the file keeps it, so that what shows is what is stored. True
// when stored, or when there is no current list to store. `leaving`: the
// list is being left (another list, the database closing), so it is only
// told, not shown again.
bool storeCurrentListAttributes(bool leaving = false);
