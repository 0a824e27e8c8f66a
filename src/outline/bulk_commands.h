// The Options menu's commands that act on the whole current list or on the
// outline as a whole: the sort order, the outline's font size, checking,
// unchecking and deleting the checked items, showing and hiding all items,
// hiding checked items, the filtering of hidden items, and expanding and
// collapsing everything.
//
// Each is a handler of the main window's command table and returns 0. They
// change one list attribute or every row of the list with one statement
// and then reload the outline from the table; nothing is undoable. While
// the current list waits for its password they do nothing (only the font
// size, which belongs to the program rather than to a list, still applies).
#pragma once

#include "windows.h"

// --- list options (bulk_options.cpp) ------------------------------------------

// 40055 Sort > "Alphabetic": toggles bAlphaSort.
LRESULT onSortAlphabetic(HWND hwnd, int id, HWND hwndCtl, int code);
// 40056 Sort > "Checked": toggles bCheckSort (unchecked items first).
LRESULT onSortChecked(HWND hwnd, int id, HWND hwndCtl, int code);
// 40082 Sort > "Both": both sorts on.
LRESULT onSortBoth(HWND hwnd, int id, HWND hwndCtl, int code);
// 40083 Sort > "None": both sorts off.
LRESULT onSortNone(HWND hwnd, int id, HWND hwndCtl, int code);
// 40064 Hidden > "Hide Checked": toggles bHideChecked.
LRESULT onHideChecked(HWND hwnd, int id, HWND hwndCtl, int code);
// 40067 Hidden > "Hide On" / "Hide Off": toggles bShowHiddenItems, the
// filtering out of hidden items, and renames the item to match.
LRESULT onHideOnOff(HWND hwnd, int id, HWND hwndCtl, int code);

// --- whole-list rows (bulk_rows.cpp) ------------------------------------------

// 40058 Checked > "Check All" / 40059 "Uncheck All".
LRESULT onCheckAll(HWND hwnd, int id, HWND hwndCtl, int code);
LRESULT onUncheckAll(HWND hwnd, int id, HWND hwndCtl, int code);
// 40060 Checked > "Delete Checked": removes every checked item with its
// subtree for good (after the warning when "warningmessage" is 1).
LRESULT onDeleteChecked(HWND hwnd, int id, HWND hwndCtl, int code);
// 40061 Hidden > "Set All Show" / 40062 "Set All Hide".
LRESULT onSetAllShow(HWND hwnd, int id, HWND hwndCtl, int code);
LRESULT onSetAllHide(HWND hwnd, int id, HWND hwndCtl, int code);
// 40065 Expand > "Expand All" / 40066 "Collapse All".
LRESULT onExpandAll(HWND hwnd, int id, HWND hwndCtl, int code);
LRESULT onCollapseAll(HWND hwnd, int id, HWND hwndCtl, int code);

// --- font size (font_size.cpp) ------------------------------------------------

// 40045..40053 Font Size > " 8 Point" .. "16 Font": the outline's fonts,
// check boxes and note marker at 8 + (id - 40045) points, stored as the
// setting "fontsizeTV".
LRESULT onFontSize(HWND hwnd, int id, HWND hwndCtl, int code);
// Moves the Font Size check mark to `points` (none outside 8..16).
void markFontSizeItem(int points);
// Deletes and recreates the four outline fonts (normal, bold, struck out,
// bold struck out) at `points`; intTreeFontHeight gets the cell height.
void createOutlineFonts(int points);
// The Options > Font Size item that carries the check mark for `points`
// (40045 for 8 up to 40053 for 16), or 0 outside 8..16.
UINT fontSizeMenuId(int points);
