// Dragging an outline item onto another one: the start (TVN_BEGINDRAGW), the
// drag image that follows the pen and shows whether the item would go
// between two items or into one, the automatic scrolling at the outline's
// edges (timer 1), and the drop with its rules, stored in the database.
//
// While an item is dragged the main window holds the pen capture; its
// pen-move and pen-up handlers call updateItemDrag and dropItem.
#pragma once

#include "windows.h"

// --- the drag's state (user-interface thread) ----------------------------------

inline int bDragging = 0;              // 1 from the start of a drag to its drop
inline HTREEITEM hDragItem = nullptr;  // the node being dragged
inline int bDropBetween = 0;           // the pen is in the upper or lower quarter of the node under it
inline int bDropBetweenShown = 0;      // the zone the present drag image shows
inline POINT ptDragHotSpot = {0, 0};   // from the drag image's top-left corner to the pen

enum { DRAG_TEXT_CHARS = 80 };  // 79 characters of the dragged text + terminator

// --- the steps -------------------------------------------------------------------

// TVN_BEGINDRAGW of the outline: starts the drag (a beep and no drag while
// the list is sorted alphabetically). Always 0.
LRESULT beginItemDrag(NMTREEVIEWW* info);
// A pen move while dragging, at `pen` in main-window client coordinates.
void updateItemDrag(POINT pen);
// The pen-up that ends the drag, at `pen` in main-window client coordinates.
void dropItem(POINT pen);
// Timer 1 of the main window: one step of the automatic scrolling.
void onDragScrollTimer(HWND hwnd);

// Ends the drag image, clears the outline's selection and drop highlight,
// gives the pen capture back and shows the cursor again: the drag is over.
void endItemDrag();
// The pen position in the outline's client coordinates.
POINT treePointFromMain(POINT pen);

// --- the rules, apart from the windows ----------------------------------------

enum DropPlace {
    DROP_BEFORE,  // upper quarter of the node's text: before it, under its parent
    DROP_AFTER,   // lower quarter: after it, under its parent
    DROP_INTO,    // middle half: its first child
};
// Where a pen at height `y` over a node whose text covers `text` drops.
DropPlace dropPlaceFor(int y, const RECT& text);
// 1 when `y` lies in the upper or lower quarter of `text`.
int isBetweenZone(int y, const RECT& text);
// The automatic scrolling for the drag image at height `y` over an outline
// whose client area runs from `top` to `bottom`, on scroll tick `tick`:
// -1 one line up, 1 one line down, 0 none.
int dragScrollStep(unsigned tick, int y, int top, int bottom);
