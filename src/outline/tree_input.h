// The outline's input: its own window procedure in front of the tree view
// (taps, double taps, keys), the WM_NOTIFY handling of the main window for
// the outline (custom draw, label edits, expansion, tap-and-hold menu) and
// the procedure in front of the label editor.
#pragma once

#include "windows.h"

// The tree view's own procedure, kept when the outline is subclassed.
inline WNDPROC hwndTreeProc = nullptr;

// Subclasses the outline with outlineWndProc, keeping hwndTreeProc.
void installOutlineProc(HWND tree);
LRESULT CALLBACK outlineWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// WM_NOTIFY of the main window (control 6002: custom draw and the rest).
LRESULT onOutlineNotify(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// Opens the selected item's label for editing, as a double tap on it does
// (the key F2); nothing without a selection.
void editSelectedLabel();
// Position of the last pen-down on the outline, in its client coordinates;
// the Edit command replays a double tap there.
POINT lastOutlineTap();
// The item popup (menu 162) at screen point (x, y) for an item with the
// given bDisplay and bNote.
void showItemMenu(HWND hwnd, int x, int y, int bDisplay, int bNote);
