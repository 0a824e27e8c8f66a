// Files dropped on the main window from the desktop: a database is opened
// as File > Open Database does, any other file is taken as a list to import
// (a copy of it in the documents folder goes through Import List).
#pragma once

#include "windows.h"

// Lets the main window take dropped files.
void acceptDroppedFiles(HWND hwnd);
// WM_DROPFILES of the main window: the first file dropped.
LRESULT onDropFiles(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
