// The rule that decides which commands apply: menu items, the menu bar's
// picture buttons and the nine edit bar buttons, from the state of the
// database, the list, the selection, the item clipboard and the undo.
#pragma once

#include <vector>

#include "windows.h"

// What the rule looks at.
struct MenuInputs {
    int database = 0;     // a database is open
    int locked = 0;       // the current list waits for its password
    int listCount = 0;
    int selected = 0;     // the outline has a selected item
    int hasParent = 0;    // ... which has a parent,
    int hasPrevious = 0;  // a previous sibling,
    int hasNext = 0;      // a next sibling
    int alphaSort = 0;    // alphabetic sorting: items cannot be moved by hand
    LONG clipboard = 0;   // longClipboardID
    LONG undo = 0;        // bUndoAvailable
};

// What it decides: the items and buttons to enable (all others of the
// managed sets are disabled) and the edit bar states (1 disabled, 2 enabled).
struct MenuDecision {
    std::vector<UINT> items;
    std::vector<UINT> buttons;
    int editBar[9];
};

// Edit bar buttons.
enum {
    EDIT_BAR_CUT = 0,
    EDIT_BAR_COPY,
    EDIT_BAR_PASTE,
    EDIT_BAR_DELETE,
    EDIT_BAR_DUPLICATE,
    EDIT_BAR_MOVE_DOWN,
    EDIT_BAR_MOVE_UP,
    EDIT_BAR_MOVE_LEFT,
    EDIT_BAR_MOVE_RIGHT,
    EDIT_BAR_BUTTONS
};

// The menu items and picture buttons the rule switches off before deciding.
extern const UINT kManagedMenuItems[12];
extern const UINT kManagedToolbarButtons[5];

MenuDecision decideMenus(const MenuInputs& in);
// The application state and the outline's selection, as the rule sees them.
MenuInputs currentMenuInputs();
