// The current list: the open database, the list the outline shows, its
// attributes and the clauses it is loaded with. One object owns them
// (currentList); the program's own names for them are its fields, and the
// names below stay as references to those fields so every command reads
// and writes the one owner.
#pragma once

#include <sqlite3.h>

#include "common/codepage.h"
#include "storage/list_attributes.h"
#include "windows.h"

enum {
    CURRENT_DB_FILE_CHARS = 200,
    CURRENT_LIST_BYTES = codePageBytes(LIST_NAME_CHARS),  // 39 characters in any code page
    ORDER_CLAUSE_BYTES = 200,
    FILTER_CLAUSE_BYTES = 200,
};

struct CurrentList {
    sqlite3* dbCurrent = nullptr;  // null when no database is open
    WCHAR strCurrentDbFile[CURRENT_DB_FILE_CHARS] = {};
    char strCurrentList[CURRENT_LIST_BYTES] = {};  // also the name of its item table
    ListAttributes attrCurrentList = defaultListAttributes();
    int intListCount = 0;
    int intListIndex = 0;  // combo-box index of the current list
    int bListLocked = 0;   // protected and its password not given yet
    int bNoLists = 0;      // the open database holds no list
    int bNoDatabase = 1;   // no database file is open
    char strOrderClause[ORDER_CLAUSE_BYTES] = {};    // ORDER BY clause of the outline
    char strFilterClause[FILTER_CLAUSE_BYTES] = {};  // WHERE suffix of the outline
};

inline CurrentList currentList;

inline sqlite3*& dbCurrent = currentList.dbCurrent;
inline WCHAR (&strCurrentDbFile)[CURRENT_DB_FILE_CHARS] = currentList.strCurrentDbFile;
inline char (&strCurrentList)[CURRENT_LIST_BYTES] = currentList.strCurrentList;
inline ListAttributes& attrCurrentList = currentList.attrCurrentList;
inline int& intListCount = currentList.intListCount;
inline int& intListIndex = currentList.intListIndex;
inline int& bListLocked = currentList.bListLocked;
inline int& bNoLists = currentList.bNoLists;
inline int& bNoDatabase = currentList.bNoDatabase;
inline char (&strOrderClause)[ORDER_CLAUSE_BYTES] = currentList.strOrderClause;
inline char (&strFilterClause)[FILTER_CLAUSE_BYTES] = currentList.strFilterClause;
