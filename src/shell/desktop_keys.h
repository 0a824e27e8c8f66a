// The desktop keys: the two accelerator tables of the program's resources,
// translated in the message loop, and the commands only keys reach (F3,
// the Alt+arrow moves, F2).
#pragma once

#include "windows.h"

// Loads the tables (after the resources are registered).
void loadDesktopKeys();
// Turns a key of the message loop into a command of the main window: the
// item keys while the outline has the focus, the others anywhere in the
// main window but a label being edited. True when the key was one of them.
bool translateDesktopKeys(MSG* msg);

// F3: "Next" of the find bar, or the find bar itself while it is hidden.
LRESULT onFindNextKey(HWND hwnd, int id, HWND hwndCtl, int code);
// Alt+Down, Alt+Up, Alt+Left, Alt+Right: the edit bar's moves.
LRESULT onMoveKey(HWND hwnd, int id, HWND hwndCtl, int code);
// F2: edit the selected item's label.
LRESULT onEditLabelKey(HWND hwnd, int id, HWND hwndCtl, int code);
