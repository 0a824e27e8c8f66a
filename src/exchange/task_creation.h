// Create Task: the selected item becomes a new task of the device's task
// store (its text the subject, its note the body), which is then shown in
// the device's task editor; half a second later timer 2 of the main window
// sends the editor's "Task" child the command 105, which opens the task for
// editing.
//
// The store is reached through COM from its server library "pimstore.dll",
// which is registered on the first use when its class is not. Each failure
// on the way to the logon shows the platform's message box for that step,
// then the message dialog "Could not log on to POOM"; a task that cannot be
// made or saved gives "Could not create the task in POOM". COM is
// initialised and uninitialised within the command, on every path.
#pragma once

#include "windows.h"

// 40074, item popup "Create Task...".
LRESULT onCreateTask(HWND hwnd, int id, HWND hwndCtl, int code);
// Timer 2 (after KillTimer): finds the top-level window of class "Dialog"
// titled "Tasks" and sends WM_COMMAND 105 to its first child whose text is
// "Task"; without them nothing happens.
void pokeTaskEditor();
