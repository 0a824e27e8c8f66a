// The handle storage takes for a list's items, made from the outline's
// state: the open database, the current list and whether it has a password.
#pragma once

#include <vector>

#include "storage/item_table.h"

// The current list's item table in the open database.
ItemTable currentItemTable();
// The item table `listName` of `db`, its texts in the form the current
// list's password decides (the commands that pass a list of their own work
// on the current list, or on one of the same form).
ItemTable itemTableOf(sqlite3* db, const char* listName);

// Every live descendant of `id` in `table`, parents before their children.
std::vector<LONG> descendantIds(const ItemTable& table, LONG id);
// Every identifier of `table`, parked ones included.
std::vector<LONG> allItemIds(const ItemTable& table);
