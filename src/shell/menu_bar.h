// The menu bar's items and picture buttons as the shell addresses them.
#pragma once

#include "windows.h"

// Enables or disables (grays) a menu item of the menu bar by command id;
// nothing without a menu bar.
void enableMenuBarItem(UINT id, int enable);
// Enables or disables a picture button of the menu bar by command id.
void enableToolbarButton(UINT id, int enable);
// The Options popup of the menu bar, or null.
HMENU optionsMenu();
// The eight tooltips given to the menu bar: three empty ones for the menu
// buttons, then the five picture buttons'.
extern const LPCWSTR kMenuBarTooltips[8];
