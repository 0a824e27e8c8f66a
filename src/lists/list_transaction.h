// One transaction around the several statements of a list change (create,
// rename, delete, encipher), so that a change either happens whole or not
// at all: a list whose table and attribute row disagree is lost to the user.
#pragma once

#include <sqlite3.h>

// "BEGIN TRANSACTION;"; true when it started.
bool beginListTransaction(sqlite3* db);
// "COMMIT;"; true when the change is in the file. On failure the
// transaction is rolled back and false returned.
bool commitListTransaction(sqlite3* db);
// "ROLLBACK;"; the file is as it was before beginListTransaction.
void rollbackListTransaction(sqlite3* db);
