// Tracking a popup menu on the screen: the levels (the popup and the
// submenus opened beside it), pen and key handling in the shared modal loop,
// and the state the automation reads while a menu is open.
#pragma once

#include <vector>

#include "windows.h"

namespace shell {

struct TrackRequest {
    HMENU menu = nullptr;
    int x = 0;
    int y = 0;
    UINT flags = 0;       // TPM_* alignment
    HWND owner = nullptr;
    bool fromMenuBar = false;  // Left/Right past the edge ask for the neighbouring menu
};

struct TrackResult {
    UINT command = 0;  // the chosen command, 0 when dismissed
    int moveBar = 0;   // -1/+1: the user asked for the menu-bar menu to the left/right
};

// Runs the popup until a choice or a dismissal (false: it could not be shown).
bool trackPopup(const TrackRequest& request, TrackResult& result);

// While a popup is open (for the automation and tests).
bool popupOpen();
int popupLevelCount();
HMENU popupLevelMenu(int level);
// The screen rectangle of an item of an open level (false: no such item).
bool popupItemRect(int level, int index, RECT& out);
// The screen rectangle of an open level.
bool popupLevelRect(int level, RECT& out);
int popupSelected(int level);
// Dismisses the open popup (nothing is chosen).
void cancelPopup();

}  // namespace shell
