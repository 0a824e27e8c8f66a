#include "outline/current_items.h"

#include "state/app_state.h"

ItemTable currentItemTable() { return itemTableOf(dbCurrent, strCurrentList); }

ItemTable itemTableOf(sqlite3* db, const char* listName) {
    return ItemTable{db, listName, attrCurrentList.bPassword == 1};
}
