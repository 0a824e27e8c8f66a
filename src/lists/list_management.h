// The lists of the open database: switching the current list from the
// list-name combo box, and the File menu's New List, Rename List and Delete
// List with their name dialogs, rules and messages. Each list is an item
// table plus a ListAttributes row; these commands keep both, the list-name
// box and the current-list state in step.
#pragma once

#include "state/command_handler.h"
#include "storage/list_attributes.h"
#include "windows.h"

// List names: at most 39 characters after trimming.
enum { LIST_NAME_MAX_CHARS = 39 };

// Control 6000: the combo box's notifications (selection change switches
// lists; closing up and cancelling hide the box again).
LRESULT onListCombo(HWND hwnd, int id, HWND hwndCtl, int code);
// 40039 "New List...": asks for a name and makes a new, empty list current.
LRESULT onNewList(HWND hwnd, int id, HWND hwndCtl, int code);
// 40040 "Rename List": asks for a new name for the current list.
LRESULT onRenameList(HWND hwnd, int id, HWND hwndCtl, int code);
// 40041 "Delete List": removes the current list after asking.
LRESULT onDeleteList(HWND hwnd, int id, HWND hwndCtl, int code);

// Finds the 8-bit `listName` in the list-name box (ignoring case), selects
// it and shows it in the list-name bar; the box index, or 0 when the box
// reports no selection.
int selectListInBox(const char* listName);

// Puts the current list (unlocked) into the outline: its attributes, the
// outline font and pictures for them, the check boxes, the menus, then its
// items under the wait cursor.
void loadCurrentList();

// Creates the table and attribute row of `name` (8-bit) with `attributes`
// and makes it the active list, all or nothing. The list being left (unless
// locked) is stored first, as on every change of list. True when done.
bool createList(const char* name, const ListAttributes& attributes);

// --- name rules (used by both name dialogs) --------------------------------

enum ListNameProblem {
    LIST_NAME_OK = 0,
    LIST_NAME_EMPTY,       // nothing but blanks
    LIST_NAME_QUOTE,       // holds a single quote
    LIST_NAME_NOT_UNIQUE,  // another list has it, ignoring case
};

// Trims `name` in place (blanks only) and checks it against the rules and
// the entries of the combo box `box`; the first rule it breaks.
ListNameProblem checkListName(WCHAR* name, HWND box);
ListNameProblem checkListName(WCHAR* name, ListNameBox& box);
// The warning for a broken rule; the quote message differs between the New
// (renaming 0) and the Rename dialog (renaming 1). Null for LIST_NAME_OK.
LPCWSTR listNameMessage(ListNameProblem problem, int renaming);

// --- the name dialogs (template 145) ---------------------------------------

// "New list name": 1 and the checked name in `name` (room for at least 40
// characters), or 0 when cancelled.
int runNewListDialog(HWND owner, WCHAR* name);
// "Rename list name": renames the current list when OK succeeds; 1 renamed,
// 0 cancelled.
int runRenameListDialog(HWND owner);

// Renames the list `oldName` (table and attribute row together, in one
// transaction) to `newName`; 1 done, 0 failed with nothing changed. The
// message to show on failure is put into *message.
int renameList(const char* oldName, const char* newName, LPCWSTR* message);
