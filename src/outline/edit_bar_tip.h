// The tip of an edit bar button held down for a second: a small white
// window just above the bar, centred over the button, naming it. Lifting
// the pen closes it, and the press ends without running the button.
#pragma once

#include "windows.h"

// Timer 6 of the main window, started by the press.
void onEditBarTipTimer(HWND hwnd);

// The tip text of button `index` ("Cut Item" ... "Move Right"), or null.
LPCWSTR editBarTipText(int index);
// The tip's left edge for button `index`, a tip `tipWidth` wide, on a
// screen `workWidth` wide: centred over the button, kept on the screen.
int editBarTipLeft(int index, int tipWidth, int hiRes, int workWidth);
