// The end of the program: the Exit command, closing the main window and its
// destruction, which saves the list, purges parked items, compacts and closes
// the database and releases every drawing resource.
#pragma once

#include "state/command_handler.h"

// 40009 "Exit": warns when backups are on but the database lies in the
// backup folder, then closes the main window.
LRESULT onExit(HWND hwnd, int id, HWND hwndCtl, int code);
// WM_CLOSE: remembers whether the notes pane was open, lowers the input
// panel, destroys the menu bar and the main window.
LRESULT onClose(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// WM_DESTROY: saves and closes the database, releases the drawing resources
// and ends the message loop.
LRESULT onDestroy(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// 1 when the folder part of `dbFile` is `backupFolder`, ignoring case.
int databaseInBackupFolder(LPCWSTR dbFile, LPCWSTR backupFolder);
