// The shape of every handler the main window's command table calls.
//
// WM_COMMAND takes the low word of wParam as the id; the handler gets the main
// window, that id, the sending control (lParam; null for menus and the menu
// bar) and the notification code (high word of wParam), and its result is what
// WM_COMMAND returns.
#pragma once

#include "windows.h"

typedef LRESULT (*CommandHandler)(HWND hwnd, int id, HWND hwndCtl, int code);

struct CommandEntry {
    int id;
    CommandHandler handler;
};
