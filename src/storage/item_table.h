// The item table store: one table per list, named after the list, holding
// the list's items as rows. Reading and writing one item under a field mask,
// identifiers, sibling order, parking items for undo, subtree walks and the
// enciphering of a whole table.
//
// Every operation takes the table it works on as an ItemTable: the
// connection, the list's name, and whether its texts are stored enciphered
// (then they go through bfencrypt on the way in and bfdecrypt on the way
// out, with the key the cipher holds). The store reads nothing else.
// Texts given to writeItem must already have their quotes doubled
// (doubleQuotes: 100 for the text, 1000 for the note).
//
// Identifier arrays are malloc'd blocks: the callee allocates or grows them,
// the caller frees them with free().
#pragma once

#include <sqlite3.h>

#include "windef.h"

enum {
    ITEM_TEXT_CHARS = 100,
    ITEM_NOTE_CHARS = 1000,
};

// Field mask bits: which fields writeItem and readItem act on.
enum {
    ITEM_ALL = 0x001,
    ITEM_TEXT = 0x002,
    ITEM_EXPAND = 0x004,
    ITEM_CHECK = 0x008,
    ITEM_NOTEFLAG = 0x010,
    ITEM_NOTE = 0x020,
    ITEM_NUMCHILD = 0x040,
    ITEM_ORDER = 0x080,
    ITEM_DISPLAY = 0x100,
    ITEM_TEXTNOTE = 0x200,
    ITEM_PARENT = 0x400,
};

// One list's item table.
struct ItemTable {
    sqlite3* db = nullptr;
    const char* name = nullptr;  // the list's name (8-bit), which is the table's
    bool enciphered = false;     // the list has a password
};

// One item row in memory; longID 0 is an item not stored yet.
struct ItemRecord {
    LONG longID;
    LONG longParentID;
    LONG longOrder;
    WCHAR strText[ITEM_TEXT_CHARS];
    int bChecked;
    int bDisplay;
    int intNumChild;
    int bNodeExpand;
    int bNote;
    WCHAR strNoteText[ITEM_NOTE_CHARS];
    int fieldMask;
};

// Number of rows, parked ones included; 0 on failure.
int countItems(const ItemTable& table);
// Stores the masked fields; the item's identifier (new or existing), or -1.
LONG writeItem(const ItemTable& table, ItemRecord item);
// Reads the fields of the first mask bit in priority order; 1 read, 0 not.
int readItem(const ItemTable& table, ItemRecord* item, int mask);
// Gives the row |id| the identifier `id` (callers pass the negative); 0 when id is 0.
int parkItemId(const ItemTable& table, LONG id);
// Gives the row -|id| the identifier |id| back; 0 when id is 0.
int unparkItemId(const ItemTable& table, LONG id);
// Deletes the one row `id`; 0 when id is 0.
int deleteItemRow(const ItemTable& table, LONG id);
// Appends every live descendant of `parentId`, parents before children.
void collectDescendants(const ItemTable& table, LONG parentId, LONG** ids, int* count);
// Deletes every live descendant of `parentId` (not the parent).
void deleteDescendants(const ItemTable& table, LONG parentId);
// Every identifier of the table, parked ones included; their number.
int listAllIds(const ItemTable& table, LONG** ids);
// Checks every descendant of `parentId`, in one transaction.
void checkDescendants(const ItemTable& table, LONG parentId);
// Largest order among the parent's children + 1; 1 without children.
LONG nextOrder(const ItemTable& table, LONG parentId);
// The item's order; 0 when it cannot be read.
LONG readOrder(const ItemTable& table, LONG id);
// Sets the item's order; the SQLite code (101 done), 0 without table.
int writeOrder(const ItemTable& table, LONG id, LONG order);
// Number of live children of `parentId`; 0 on failure.
int countChildRows(const ItemTable& table, LONG parentId);
// id > 0: moves the siblings at or after the item's order one up to make
// room for it; id <= 0: renumbers the live siblings 1, 2, 3, ...
void sequenceOrder(const ItemTable& table, LONG parentId, LONG id);
// Largest absolute identifier; 0 for an empty table or on failure.
LONG maxAbsItemId(const ItemTable& table);

// While one lives, the whole items writeItem inserts into `table` take their
// identifiers from what it knows (the largest one read once, then each new
// one) instead of asking the table again for every item: for a command that
// inserts many items in one transaction and changes no identifier otherwise
// (an import). Only one is open at a time; a second does nothing.
class ItemIdRun {
public:
    explicit ItemIdRun(const ItemTable& table);
    ~ItemIdRun();
    ItemIdRun(const ItemIdRun&) = delete;
    ItemIdRun& operator=(const ItemIdRun&) = delete;

private:
    bool owner_ = false;
};
// Enciphers every text and note of the table; the code of the second statement.
int encipherItemTable(const ItemTable& table);
// Deciphers every text and note of the table; the code of the second statement.
int decipherItemTable(const ItemTable& table);
