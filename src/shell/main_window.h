// The main window: its procedure, the menu bar and the rule that enables
// menu items, toolbar buttons and edit-bar buttons from the application state.
// The folders below the shell reach these through state/shell_calls.h.
#pragma once

#include "windows.h"

LRESULT CALLBACK mainWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// Recomputes the enabled state of menu items, toolbar buttons and edit-bar
// buttons from the application state (updateMenus).
void applyMenuDecision();
// Recomputes only the edit-bar buttons and repaints the edit bar
// (updateEditBar).
void applyEditBarDecision();
// Creates the shell menu bar for `hwnd`; null when it cannot be made.
HWND createMenuBar(HWND hwnd);
// Checks (flag 1) or unchecks the item `id` of the Options popup.
void checkOptionsMenuItem(UINT id, int flag);
// Moves item `id` to the end of the Options submenu at `position` with a new text.
void moveOptionsMenuItem(int position, UINT id, LPCWSTR text);
// Shows (1) or hides (0) the wait cursor around long operations.
void showWaitCursor(int on);
