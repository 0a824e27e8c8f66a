// Applying a list's attributes to the program and loading the list into the
// outline: the sort and filter clauses, the check-box style, the state image
// list that reserves the room of the check boxes, and the one-pass load of
// the item table into the tree view.
#pragma once

#include <sqlite3.h>

#include "state/app_state.h"
#include "storage/list_attributes.h"
#include "windows.h"

// Takes a copy of `record` and applies it: check-box style, background
// picture, button pictures, the two clauses, the brushes and the Options
// menu marks. The tree's items are not touched.
void applyListAttributes(ListAttributes record);
// Replaces the tree's content with the list's rows that pass `filterClause`,
// in the order of `orderClause`. Does nothing without a database or table.
void loadOutline(sqlite3* db, HWND tree, const char* listName, const char* orderClause,
                 const char* filterClause);
// The one way the program reloads: the current list into `tree` (the
// outline), with the list's order and filter. The notes pane is left as it
// is; callers select the item they want again, whose note it then shows.
void reloadOutline(HWND tree = hwndMainTV);
// Adds or removes TVS_CHECKBOXES and attaches or detaches `stateImages`.
void setCheckboxStyle(HWND tree, HIMAGELIST stateImages, int on);
// Replaces the tree's state image list by an empty one of square images
// (font height + intUnit), which only reserves the check box's room.
HIMAGELIST createStateImageList(HWND tree, int fontHeight);
// The outline's state image list (made by createStateImageList), or null.
HIMAGELIST outlineStateImageList();
// Destroys the state image list (shutdown).
void releaseStateImageList(HWND tree);

// The ORDER BY clause for the sort flags (unprotected or protected list).
void buildOrderClause(char* out, int capacity, int alphaSort, int checkSort, int password);
// The WHERE suffix for the hide flags.
void buildFilterClause(char* out, int capacity, int hideChecked, int showHiddenItems);
