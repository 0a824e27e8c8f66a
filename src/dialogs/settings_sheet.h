// Options > "Settings..." (40008): the "Settings" sheet with its pages
// "Display", "Color" and "Other", which edit the current list's display
// attributes and the program's settings.
#pragma once

#include "windows.h"

// Runs the sheet; afterwards the current list's attributes (changed or not)
// are stored in the database and applied to the outline.
LRESULT onSettings(HWND hwnd, int id, HWND hwndCtl, int code);

// Runs the sheet modally over `owner`, starting on "Display": 1 after OK,
// 0 after Cancel, -1 when it cannot be shown.
INT_PTR runSettingsSheet(HWND owner);
