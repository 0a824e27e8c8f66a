// The application's process-wide state: the windows, the open database and
// the current list, the screen geometry, fonts and brushes, the flags that
// commands and notifications share, and the settings loaded at start-up.
//
// Everything here lives for the whole process and is touched only on the
// thread of the message loop. The values are C++17 inline variables so that
// every library of the program can use them without linking to the shell;
// start-up sets the initial values that are not the defaults below.
//
// Sections: windows | database and current list | item commands and editing
// | layout and screen | drawing resources | settings
#pragma once

#include <sqlite3.h>

#include "common/codepage.h"
#include "storage/list_attributes.h"
#include "windows.h"

// --- windows ---------------------------------------------------------------
inline HINSTANCE hInstance = nullptr;
inline HWND hwndMain = nullptr;
inline HWND hwndMenuBar = nullptr;     // null after WM_HIBERNATE freed it
inline HWND hwndListCombo = nullptr;   // list-name combo box, id 6000
inline HWND hwndListName = nullptr;    // list-name bar, id 6001
inline HWND hwndMainTV = nullptr;      // the outline, id 6002
inline HWND hwndSplitter = nullptr;
inline HWND hwndNotes = nullptr;       // notes pane, id 6003, at most 999 characters
inline HWND hwndFind = nullptr;        // find bar, 40 pixels high
// Set while the main window must ignore the next pen-up because the user
// cancelled the list drop-down by tapping outside it.
inline int bListDropDownCancelled = 0;

// --- database and current list ---------------------------------------------
enum {
    CURRENT_DB_FILE_CHARS = 200,
    CURRENT_LIST_BYTES = codePageBytes(LIST_NAME_CHARS),  // 39 characters in any code page
    ORDER_CLAUSE_BYTES = 200,
    FILTER_CLAUSE_BYTES = 200,
    BACKGROUND_IMAGE_CHARS = 80,
};
inline sqlite3* dbCurrent = nullptr;                 // null when no database is open
inline WCHAR strCurrentDbFile[CURRENT_DB_FILE_CHARS] = {};
inline char strCurrentList[CURRENT_LIST_BYTES] = {};  // also the name of its item table
inline ListAttributes attrCurrentList = defaultListAttributes();
inline int intListCount = 0;
inline int intListIndex = 0;   // combo-box index of the current list
inline int bListLocked = 0;    // protected and its password not given yet
inline int bNoLists = 0;       // the open database holds no list
inline int bNoDatabase = 1;    // no database file is open
inline int bStarting = 1;      // 1 until start-up has finished

// --- item commands and editing ---------------------------------------------
inline LONG longClipboardID = 0;     // 0 empty, negative when cut
inline LONG bUndoAvailable = 0;      // last parked item of the current list, 0 none
inline int bOrderDirty = 0;          // resequence after the current label edit
inline int bLabelEditAllowed = 0;    // only label edits the program opens are allowed
inline int bKeepSipOnEndEdit = 0;    // the next label edit end keeps the input panel up
inline int bTextEditActive = 0;      // label editor or notes pane has the focus
inline char strOrderClause[ORDER_CLAUSE_BYTES] = {};    // ORDER BY clause of the outline
inline char strFilterClause[FILTER_CLAUSE_BYTES] = {};  // WHERE suffix of the outline
inline WCHAR strBackgroundImage[BACKGROUND_IMAGE_CHARS] = {};
inline int intEditBarState[9] = {1, 1, 1, 1, 1, 1, 1, 1, 1};  // 1 disabled, 2 enabled
inline int intPressedEditButton = -1;                         // 0..8, -1 none

// --- layout and screen -----------------------------------------------------
inline int bEditBarVisible = 0;    // setting "editbarvisible"
inline int bNotesOpen = 0;         // setting "notesebopen"
inline int intSplitterTop = 0;     // setting "setbartop"
inline int intSplitterHeight = 6;  // 3 x intUnit
inline int bHiRes = 0;             // LOGPIXELSX 130 or more
inline int intUnit = 2;            // 2, or 4 on a high-resolution screen
inline int intScale = 1;           // 1, or 2 on a high-resolution screen
inline int intWorkWidth = 0;
inline int intWorkHeight = 0;      // work area less the menu bar
inline int intMenuHeight = 0;      // SM_CYMENU
inline int intListBarHeight = 0;
inline int intListBarBottom = 0;
inline int intTreeTop = 0;
inline int bHasKeyboard = 0;       // the device reports a hardware keyboard

// --- drawing resources -----------------------------------------------------
inline HFONT hfontTree = nullptr;
inline HFONT hfontTreeBold = nullptr;
inline HFONT hfontTreeStrike = nullptr;
inline HFONT hfontTreeBoldStrike = nullptr;
inline int intTreeFontHeight = 0;
inline HFONT hfontNotes = nullptr;
inline HFONT hfontListName = nullptr;
inline HBRUSH hbrBackground = nullptr;
inline HBRUSH hbrNoteBackground = nullptr;
inline HBRUSH hbrFindBar = nullptr;

// --- settings (loaded by loadSettings, stored as they change) ---------------
enum { BACKUP_FOLDER_CHARS = 200 };
inline WCHAR strBackupFolder[BACKUP_FOLDER_CHARS] = {};  // "backupfolder"
inline int bBackupDatabase = 1;     // "backupdatabase"
inline int bWarningMessage = 1;     // "warningmessage"
inline int bClearType = 0;          // "cleartype"
inline int intTimeStamp = 0;        // "timestamp"
inline int bKeyboardSip = 1;        // "keyboardsip"
inline int intFontSizeTV = 10;      // "fontsizeTV"
inline int intFontSizeNotes = 10;   // "fontsizeNotes"
inline int intFontSizeName = 10;    // "fontsizeName"
