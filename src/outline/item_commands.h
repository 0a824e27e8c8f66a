// Item editing commands of the outline: New Item, New Sub-Item, Edit, Delete
// (parking the item so that Undo can bring it back), Hide/Show and Duplicate.
//
// Every command acts on the outline's selected node; the item behind a node
// is the row whose longID is the node's parameter. The outline is brought up
// to date in place; only Duplicate reloads it (through Paste).
#pragma once

#include <sqlite3.h>

#include "windows.h"

// --- command handlers (the main window's command table) ---------------------

// 40013: a new sibling after the selected node, then its label edit.
LRESULT onNewItem(HWND hwnd, int id, HWND hwndCtl, int code);
// 40014, 40078: a new last child of the selected node, then its label edit.
LRESULT onNewSubItem(HWND hwnd, int id, HWND hwndCtl, int code);
// 40071: the label edit of the node under the last pen-down on the outline.
LRESULT onEditItem(HWND hwnd, int id, HWND hwndCtl, int code);
// 40072: parks the selected item with its subtree (after the warning when
// the setting "warningmessage" is 1).
LRESULT onDeleteItem(HWND hwnd, int id, HWND hwndCtl, int code);
// 40073: toggles the selected item's bDisplay (and shows its ancestors).
LRESULT onHideShowItem(HWND hwnd, int id, HWND hwndCtl, int code);
// 40080: a copy of the selected item with its subtree right after it.
LRESULT onDuplicateItem(HWND hwnd, int id, HWND hwndCtl, int code);

// --- operations shared with the clipboard and undo ---------------------------

// Deletes for good the parked items of `listName` with their subtrees, but
// keeps a cut item that the item clipboard still names: it must be there
// for its Paste.
void purgeParkedItemsExceptClipboard(sqlite3* db, const char* listName);
// After `item` left the outline under `parent` (null for the top level):
// clears the parent's children mark when nothing is left under it, lets
// automatic checking re-evaluate the parent, refreshes or resets its
// completion count, and hides the outline, splitter and notes pane when the
// outline became empty. Delete, Cut and Hide/Show share it.
void afterItemRemoved(HWND tree, HTREEITEM parent);
