// The four move commands of the edit bar: the selected item goes one place
// down or up among its siblings, out of its parent to the place right after
// it (left), or into its previous sibling as that sibling's last child
// (right). The database follows, and the outline is reloaded where the
// shape of the tree changed.
#pragma once

#include "windows.h"

enum MoveDirection {
    MOVE_DOWN = 0,
    MOVE_UP = 1,
    MOVE_LEFT = 2,
    MOVE_RIGHT = 3,
};

// Moves the outline's selected item; nothing happens without a selection,
// under alphabetic sorting, or when the item has no place to go that way.
// Always 0.
LRESULT moveItem(int direction);
