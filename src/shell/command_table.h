// The main window's command table: WM_COMMAND ids (menu items, picture
// buttons, control notifications) and the handlers they run.
#pragma once

#include "state/command_handler.h"

// The first entry for `id`, called with (hwnd, id, control, code); an id
// without an entry is ignored and gives 0.
LRESULT dispatchCommand(HWND hwnd, int id, HWND hwndCtl, int code);
// The handler for `id`, or null.
CommandHandler findCommandHandler(int id);
