// The handle storage takes for a list's items, made from the outline's
// state: the open database, the current list and whether it has a password.
#pragma once

#include "storage/item_table.h"

// The current list's item table in the open database.
ItemTable currentItemTable();
// The item table `listName` of `db`, its texts in the form the current
// list's password decides (the commands that pass a list of their own work
// on the current list, or on one of the same form).
ItemTable itemTableOf(sqlite3* db, const char* listName);
