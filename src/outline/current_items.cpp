#include "outline/current_items.h"

#include <cstdlib>
#include <memory>

#include "state/app_state.h"

namespace {

// Storage hands identifiers over in an array it allocates with malloc.
std::vector<LONG> takeIds(LONG* ids, int count) {
    std::unique_ptr<LONG, decltype(&std::free)> owned(ids, &std::free);
    return ids && count > 0 ? std::vector<LONG>(ids, ids + count) : std::vector<LONG>{};
}

}  // namespace

ItemTable currentItemTable() { return itemTableOf(dbCurrent, strCurrentList); }

ItemTable itemTableOf(sqlite3* db, const char* listName) {
    return ItemTable{db, listName, attrCurrentList.bPassword == 1};
}

std::vector<LONG> descendantIds(const ItemTable& table, LONG id) {
    LONG* ids = nullptr;
    int count = 0;
    collectDescendants(table, id, &ids, &count);
    return takeIds(ids, count);
}

std::vector<LONG> allItemIds(const ItemTable& table) {
    LONG* ids = nullptr;
    int count = listAllIds(table, &ids);
    return takeIds(ids, count);
}
