// The main window on a screen that changed its width (the device turned on
// its side, or the desktop window resized): the bands take the new width.
#pragma once

#include "windows.h"

// WM_SIZE of the main window. Heights follow through WM_SETTINGCHANGE.
LRESULT onMainSize(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
