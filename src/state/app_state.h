// The application's process-wide state, grouped by concern, each group one
// object with one owner:
//   current_list.h       the open database and the current list
//   screen_layout.h      the screen and the main window's bands
//   drawing_resources.h  fonts and brushes
//   clipboard_undo.h     the item clipboard and undo
// and below, the windows, the flags that commands and notifications share,
// and the settings loaded at start-up. (The find bar keeps its search in
// outline/find_search.cpp; resetFind forgets it.)
//
// Everything here lives for the whole process and is touched only on the
// thread of the message loop. Start-up sets the initial values that are not
// the defaults below; resetAppState (shell/app_reset.h) puts every group
// back to them.
//
// Sections: windows | item commands and editing | settings
#pragma once

#include "state/clipboard_undo.h"
#include "state/current_list.h"
#include "state/drawing_resources.h"
#include "state/screen_layout.h"
#include "windows.h"

// --- windows ---------------------------------------------------------------
struct ProgramWindows {
    HINSTANCE hInstance = nullptr;
    HWND hwndMain = nullptr;
    HWND hwndMenuBar = nullptr;    // null after WM_HIBERNATE freed it
    HWND hwndListCombo = nullptr;  // list-name combo box, id 6000
    HWND hwndListName = nullptr;   // list-name bar, id 6001
    HWND hwndMainTV = nullptr;     // the outline, id 6002
    HWND hwndSplitter = nullptr;
    HWND hwndNotes = nullptr;  // notes pane, id 6003, at most 999 characters
    HWND hwndFind = nullptr;   // find bar, 40 pixels high
};

inline ProgramWindows programWindows;

inline HINSTANCE& hInstance = programWindows.hInstance;
inline HWND& hwndMain = programWindows.hwndMain;
inline HWND& hwndMenuBar = programWindows.hwndMenuBar;
inline HWND& hwndListCombo = programWindows.hwndListCombo;
inline HWND& hwndListName = programWindows.hwndListName;
inline HWND& hwndMainTV = programWindows.hwndMainTV;
inline HWND& hwndSplitter = programWindows.hwndSplitter;
inline HWND& hwndNotes = programWindows.hwndNotes;
inline HWND& hwndFind = programWindows.hwndFind;

// --- item commands and editing ---------------------------------------------
enum { BACKGROUND_IMAGE_CHARS = 80 };

struct EditingState {
    int bStarting = 1;              // 1 until start-up has finished
    int bOrderDirty = 0;            // resequence after the current label edit
    int bLabelEditAllowed = 0;      // only label edits the program opens are allowed
    int bKeepSipOnEndEdit = 0;      // the next label edit end keeps the input panel up
    int bTextEditActive = 0;        // label editor or notes pane has the focus
    // Set while the main window must ignore the next pen-up because the
    // user cancelled the list drop-down by tapping outside it.
    int bListDropDownCancelled = 0;
    WCHAR strBackgroundImage[BACKGROUND_IMAGE_CHARS] = {};
    int intEditBarState[9] = {1, 1, 1, 1, 1, 1, 1, 1, 1};  // 1 disabled, 2 enabled
    int intPressedEditButton = -1;                         // 0..8, -1 none
};

inline EditingState editingState;

inline int& bStarting = editingState.bStarting;
inline int& bOrderDirty = editingState.bOrderDirty;
inline int& bLabelEditAllowed = editingState.bLabelEditAllowed;
inline int& bKeepSipOnEndEdit = editingState.bKeepSipOnEndEdit;
inline int& bTextEditActive = editingState.bTextEditActive;
inline int& bListDropDownCancelled = editingState.bListDropDownCancelled;
inline WCHAR (&strBackgroundImage)[BACKGROUND_IMAGE_CHARS] = editingState.strBackgroundImage;
inline int (&intEditBarState)[9] = editingState.intEditBarState;
inline int& intPressedEditButton = editingState.intPressedEditButton;

// --- settings (loaded by loadSettings, stored as they change) ---------------
enum { BACKUP_FOLDER_CHARS = 200 };

struct ProgramSettings {
    WCHAR strBackupFolder[BACKUP_FOLDER_CHARS] = {};  // "backupfolder"
    int bBackupDatabase = 1;    // "backupdatabase"
    int bWarningMessage = 1;    // "warningmessage"
    int bClearType = 0;         // "cleartype"
    int intTimeStamp = 0;       // "timestamp"
    int bKeyboardSip = 1;       // "keyboardsip"
    int intFontSizeTV = 10;     // "fontsizeTV"
    int intFontSizeNotes = 10;  // "fontsizeNotes"
    int intFontSizeName = 10;   // "fontsizeName"
};

inline ProgramSettings programSettings;

inline WCHAR (&strBackupFolder)[BACKUP_FOLDER_CHARS] = programSettings.strBackupFolder;
inline int& bBackupDatabase = programSettings.bBackupDatabase;
inline int& bWarningMessage = programSettings.bWarningMessage;
inline int& bClearType = programSettings.bClearType;
inline int& intTimeStamp = programSettings.intTimeStamp;
inline int& bKeyboardSip = programSettings.bKeyboardSip;
inline int& intFontSizeTV = programSettings.intFontSizeTV;
inline int& intFontSizeNotes = programSettings.intFontSizeNotes;
inline int& intFontSizeName = programSettings.intFontSizeName;
