// The pen on the main window's own surface: pressing, sliding and releasing
// on the edit bar's nine buttons (the button under the pen at pen-up runs
// its command), and the tap below the bars while the outline is hidden,
// which asks for a locked list's password or starts New List. While an
// item is dragged the same handlers carry the drag (item_drag.h).
#pragma once

#include "windows.h"

// Set by a tap on the bare main window: the next pen-up there only clears it.
inline int bIgnorePenUp = 0;

// WM_LBUTTONDOWN, WM_MOUSEMOVE and WM_LBUTTONUP of the main window; 0.
LRESULT onMainPenDown(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT onMainPenMove(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT onMainPenUp(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// Runs the command of edit bar button `index` (0 Cut ... 8 Move Right).
void runEditBarButton(HWND hwnd, int index);

// --- the geometry, apart from the windows ----------------------------------------

// The button whose columns hold `x` (strictly inside), or -1.
int editBarButtonAt(int x, int hiRes);
// Whether `y` lies in the bar's rows: strictly inside, or with `edges` 1
// also on its top and bottom rows.
int inEditBarRows(int y, int edges);
