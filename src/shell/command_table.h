// The main window's command table: WM_COMMAND ids (menu items, picture
// buttons, control notifications) and the handlers they run.
#pragma once

#include "shell/command_handler.h"

// The main window's timers.
enum {
    TIMER_DRAG_SCROLL = 1,     // 25 ms while an item is dragged
    TIMER_TASK_FOLLOW_UP = 2,  // 500 ms, once, after a task was made
    TIMER_EDIT_BAR_TIP = 6,    // 1000 ms, the tip of an edit bar button held down
};

// The first entry for `id`, called with (hwnd, id, control, code); an id
// without an entry is ignored and gives 0.
LRESULT dispatchCommand(HWND hwnd, int id, HWND hwndCtl, int code);
// The handler for `id`, or null.
CommandHandler findCommandHandler(int id);
