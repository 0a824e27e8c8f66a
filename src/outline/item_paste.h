// The table side of the item clipboard: moving a cut item back into place
// within its own list, copying an item with its whole subtree into the
// current list, and the purge of parked items that spares the cut item the
// clipboard still holds. No windows are touched here; Paste reloads the
// outline afterwards.
#pragma once

#include <sqlite3.h>

#include "windef.h"

// Where the pasted item goes: under `parentId` (0 the top level) with order
// `order`; with a selected node the following siblings move one place down.
struct PastePlace {
    LONG parentId;
    LONG order;
    bool hasSelection;
};

struct PasteResult {
    LONG pastedId = 0;        // the pasted item's longID, 0 when nothing was pasted
    bool consumed = false;    // a cut item was pasted: the clipboard lets go of it
    bool unreadable = false;  // the clipboard item is gone from its list
};

// Pastes item `clipboardId` (negative: cut and parked) of `sourceList` into
// `targetList` at `place`, in one transaction. The current list's bPassword
// decides how the target is written; a different source list is read as
// plain text (an enciphered one is refused before this is called).
PasteResult pasteItemRows(sqlite3* db, const char* sourceList, const char* targetList, LONG clipboardId,
                          const PastePlace& place);

// Deletes the parked items of `listName` with their subtrees, in one
// transaction, except the parked row `keepId` (0 keeps none).
void purgeParkedItemsKeeping(sqlite3* db, const char* listName, LONG keepId);
