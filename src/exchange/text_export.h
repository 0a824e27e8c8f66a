// Export List: the current list written to a text file, one line per item
// indented with one tab per level, "\tX" after a checked item's text, and
// each line of a note as a line "~" at the item's depth, after a first
// line "!" and the list's name.
#pragma once

#include <cstdio>

#include "state/command_handler.h"
#include "windows.h"

// 40042 "Export List...": chooses the file (remembered as
// "previousexportfile") and writes the current list to it.
LRESULT onExportList(HWND hwnd, int id, HWND hwndCtl, int code);

// Writes the current list (strCurrentList of dbCurrent) to `path`; shows
// the program's message and returns 0 when it cannot.
int exportList(HWND owner, LPCWSTR path);

// The lines of one item, for the export and its tests: `depth` tabs, the
// text and "\tX" when checked.
void writeItemLine(FILE* file, int depth, LPCWSTR text, int checked);
// The note's lines at `depth`: "~" and the note, a new "~" line at each
// line feed.
void writeNoteLines(FILE* file, int depth, LPCWSTR note);
