// The progress window (template 106): a small modeless yellow window in the
// program's framed look with a main label, a sub label and a progress bar,
// shown while a long job (a list import) works.
#pragma once

#include "windows.h"

constexpr COLORREF kProgressYellow = 0x96FFFF;  // background and label brush

// Makes the window over `owner` and brings it to the front; null on failure.
HWND openProgressWindow(HWND owner);
// Sets both labels, shows (show 1) or hides the window, sets the bar's range
// to low..high and its position to 0.
void startProgressWindow(HWND hwnd, LPCWSTR mainText, LPCWSTR subText, int low, int high, int show);
// Sets the sub label and moves the bar to `position`.
void stepProgressWindow(HWND hwnd, LPCWSTR subText, int position);
// Destroys the window if there is one.
void closeProgressWindow(HWND hwnd);
