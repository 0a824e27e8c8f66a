// The item clipboard and the undo of the last deleted or cut item: which
// item the clipboard holds, the list it came from and whether its texts are
// enciphered there, and the item that Undo would bring back. One object
// owns them (clipboardAndUndo); the program's names for them are
// references to its fields.
#pragma once

#include "state/current_list.h"
#include "windows.h"

struct ClipboardAndUndo {
    LONG longClipboardID = 0;                      // 0 empty, negative when cut
    // The list (item table) the clipboard item came from; empty when the
    // clipboard is empty.
    char strClipboardList[CURRENT_LIST_BYTES] = {};
    int bClipboardEncrypted = 0;  // bPassword of that list at the time of Cut or Copy
    LONG bUndoAvailable = 0;                       // last parked item of the current list, 0 none
};

inline ClipboardAndUndo clipboardAndUndo;

inline LONG& longClipboardID = clipboardAndUndo.longClipboardID;
inline char (&strClipboardList)[CURRENT_LIST_BYTES] = clipboardAndUndo.strClipboardList;
inline int& bClipboardEncrypted = clipboardAndUndo.bClipboardEncrypted;
inline LONG& bUndoAvailable = clipboardAndUndo.bUndoAvailable;
