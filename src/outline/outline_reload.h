// Reloading the current list into the outline after a command changed many
// rows or the sort and filter flags, and fitting the panes to the result:
// an outline that has no items left hides with the notes pane and the
// splitter, so the main window's empty face shows; one that has items again
// brings them back.
#pragma once

#include "windows.h"

// 1 when the current list's rows may be changed and shown: a database is
// open, a list is current and it is not waiting for its password.
int currentListOpen();
// Runs the item statement template `templ` ('@' the table, one "?" bound
// to `flag`) on the current list's table: the whole-table updates of the
// Options menu. SQLite's code (101 done), 0 without an open list.
int runOnCurrentList(const char* templ, int flag);
// loadOutline of the current list with the clauses in force (callers show
// the wait cursor around it), leaving no item selected and the notes pane
// empty.
void reloadCurrentList();
// Shows the outline, the notes pane and the splitter when the outline holds
// items, hides all three and repaints the main window when it holds none;
// the panes are laid out again when that changed anything.
void fitPanesToOutline();
