// The list attributes store: one row of ListAttributes per list, holding the
// list's colours, options, background picture and password verifier, and
// the mark of the active list.
//
// Every operation checks for a connection and for the ListAttributes table
// first and does nothing (result 0) without them. List names are 8-bit
// code-page text; they name the list's row and its item table.
#pragma once

#include <sqlite3.h>

#include "storage/list_name_box.h"
#include "windef.h"

// Capacities of the text fields, in wide characters with the terminator.
enum {
    LIST_NAME_CHARS = 40,
    LIST_BITMAP_CHARS = 80,
    LIST_PASSWORD_CHARS = 80,
};

// One list's display and behaviour attributes; `attrCurrentList` holds the
// current list's copy. Colours are 0x00BBGGRR, flags 0 or 1.
struct ListAttributes {
    WCHAR strListName[LIST_NAME_CHARS];
    COLORREF crListName;
    COLORREF crBackground;
    COLORREF crNoteBackground;
    COLORREF crNoteText;
    COLORREF crItemLevel0;
    COLORREF crItemLevel1;
    COLORREF crItemLevel2;
    COLORREF crItemLevel3;
    COLORREF crItemLine;
    COLORREF crItemCheck;
    COLORREF crItemHidden;
    int bUseBitmapFile;
    WCHAR strBitmapFile[LIST_BITMAP_CHARS];
    int bPassword;
    WCHAR strPassword[LIST_PASSWORD_CHARS];
    int bCheckbox;
    int bHideChecked;
    int bAlphaSort;
    int bCheckSort;
    int bShowHiddenItems;
    int bHiliteHiddenItems;
    int bAutoCheck;
    int bRootBold;
    int bStrikeCheck;
    int bColorChecked;
    int intButtonType;
    int intCompletionShow;
};

// The attributes a list starts with: the defaults in force before any
// database is open and when no list is active.
ListAttributes defaultListAttributes();

// Creates the list's row if needed and stores every attribute, one statement
// each; 1 when all ran, 0 at the first that failed.
int writeListAttributes(sqlite3* db, const char* listName, ListAttributes attributes);
// 1 and `attributes` filled from the list's row; 0 (untouched) without a row.
int readListAttributes(sqlite3* db, const char* listName, ListAttributes* attributes);
// 1 and the active list's name in `out` (cut to capacity - 1 bytes); 0 when
// no list is active.
int readActiveListName(sqlite3* db, char* out, int capacity);
// Makes `listName` the one active list; 1 once both statements could be
// prepared.
int setActiveList(sqlite3* db, const char* listName);
// Deletes the list's row; 1 done, 0 failed.
int deleteListAttributes(sqlite3* db, const char* listName);
// `out` emptied, then 1 and the first row's name; 0 when there are no lists.
int readFirstListName(sqlite3* db, char* out, int capacity);
// Refills the list-name box with every list's name; the number added.
int fillListNameBox(sqlite3* db, ListNameBox& box);
// The text of the Database Attributes dialog for the file at `path`.
void describeDatabase(sqlite3* db, LPCWSTR path, WCHAR* out, int capacity);
