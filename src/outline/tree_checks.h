// Check marks that follow each other: an item is checked exactly when all
// its children are. These walk the tree and store every change with the
// item update (bChecked only) in the current list's table.
#pragma once

#include "windows.h"

// After the item's own state became `checked`: updates its parent and every
// ancestor up to the root, in the tree and in the database.
void propagateCheckUp(HWND tree, HTREEITEM item, int checked);
// Makes a parent checked exactly when all its children are, bottom up.
void recomputeCheckFromChildren(HWND tree, HTREEITEM item);
// recomputeCheckFromChildren for every root item that has children.
void recomputeAllChecks(HWND tree);
// Checks every descendant of the item, in the database (one transaction)
// and in the tree.
void checkSubtree(HWND tree, HTREEITEM item);
// Unchecks every descendant of the item, in the database (one
// transaction) and in the tree.
void uncheckSubtree(HWND tree, HTREEITEM item);
// Expands the item and its descendants whose stored bNodeExpand is 1.
void restoreExpansion(HWND tree, HTREEITEM item);
