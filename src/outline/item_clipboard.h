// The item clipboard: Cut, Copy and Paste of one item with its whole subtree,
// within a list or between lists of the open database. It holds one item by
// reference: a copied item is read again at paste time, a cut item waits
// parked under its negative longID.
//
// The clipboard's state (state/clipboard_undo.h): longClipboardID names the
// item (0 empty, negative when it was cut), strClipboardList the list it came
// from and bClipboardEncrypted whether that list was enciphered.
#pragma once

#include "state/app_state.h"
#include "windows.h"

// --- command handlers (the main window's command table) ---------------------

// 40075 (item popup, edit bar) cuts the selected item; 40028 (Edit menu)
// cuts text from the open label editor or the focused notes pane first.
LRESULT onCutItem(HWND hwnd, int id, HWND hwndCtl, int code);
// 40076 copies the selected item; 40023 copies text from a text target first.
LRESULT onCopyItem(HWND hwnd, int id, HWND hwndCtl, int code);
// 40077 pastes the clipboard item after the selected node (or at the end of
// the top level); 40024 pastes text into a text target first.
LRESULT onPasteItem(HWND hwnd, int id, HWND hwndCtl, int code);

// --- operations for other commands --------------------------------------------

// Puts the selected node's item on the clipboard (Copy); 0 without a
// selected node, else 1.
int copySelectedItem();
// Pastes the clipboard item at the selected node; returns the pasted item's
// longID, 0 when nothing was pasted.
LONG pasteClipboardItem(HWND hwnd);
// Empties the clipboard: longClipboardID 0 and no source list.
void emptyItemClipboard();
// 1 when `id` (negative) in `listName` is a cut item the clipboard still holds.
int isClipboardParkedItem(const char* listName, LONG id);
