// Small steps the item operations share (editing, moving, dropping):
// storing an item's place, a parent's children count, a parent's label
// without its completion count, and reloading the list.
#pragma once

#include "windows.h"

// longID of the node's parent, 0 at the top level.
LONG parentIdOf(HWND tree, HTREEITEM item);
// Writes the item's longParentID and longOrder (nothing else of the row).
void storeItemPlace(LONG id, LONG parentId, LONG order);
// Writes intNumChild of the row `id` (the program reads it only as a flag).
void storeChildCount(LONG id, int count);
// Sets the node's text to its stored text, without a completion count.
void showPlainText(HWND tree, HTREEITEM item);
// Refreshes the completion count of `parent`, or shows its plain text when
// it has no child nodes left; only while counts are shown.
void refreshParentLabel(HWND tree, HTREEITEM parent);
