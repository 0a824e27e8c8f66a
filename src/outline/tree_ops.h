// The node operations of the outline: every other part of the program reads
// and changes the tree view `hwndMainTV` through these, never through raw
// tree view messages of its own. Each node carries the longID of its item
// row as its parameter; its state image is 1 (unchecked) or 2 (checked).
//
// All functions take the tree view window; "item" is a node handle. A null
// item is accepted everywhere and gives the neutral answer (0 or null).
#pragma once

#include "windows.h"

enum {
    TREE_TEXT_CHARS = 100,   // 99 characters of item text + terminator
    TREE_COPY_CHARS = 256,   // copyItem carries up to 255 characters
    TREE_MAX_DEPTH = 24,     // itemDepth stops counting here
    STATE_UNCHECKED = 1,
    STATE_CHECKED = 2,
};

// Inserts a node under `parent` (null: the root level) after `insertAfter`
// (null: last) with text, longID, children flag and check state.
HTREEITEM insertItem(HWND tree, HTREEITEM parent, LPCWSTR text, LONG longID, int hasChildren, int checked,
                     HTREEITEM insertAfter);
// Marks `parent` as having children, then inserts a childless node under it.
HTREEITEM insertChildItem(HWND tree, HTREEITEM parent, LPCWSTR text, LONG longID, int checked,
                          HTREEITEM insertAfter);
// Copies the node's text into `buffer` (`size` characters with terminator);
// an empty text when the node cannot be read.
void getItemText(HWND tree, HTREEITEM item, WCHAR* buffer, int size);
void setItemText(HWND tree, HTREEITEM item, LPCWSTR text);
// Number of direct children.
int countChildren(HWND tree, HTREEITEM item);
// 1 when the node has a first child.
int hasChildren(HWND tree, HTREEITEM item);
void setChildrenFlag(HWND tree, HTREEITEM item, int value);
int getChildrenFlag(HWND tree, HTREEITEM item);
void setItemId(HWND tree, HTREEITEM item, LONG longID);
// The node's longID; 0 when the node cannot be read.
LONG getItemId(HWND tree, HTREEITEM item);
// 0 for a root node, else the number of ancestors, at most 24.
int itemDepth(HWND tree, HTREEITEM item);
// 1 when the node has no parent.
int isRootItem(HWND tree, HTREEITEM item);
// 1 when the state image index is 2.
int isItemChecked(HWND tree, HTREEITEM item);
void setItemChecked(HWND tree, HTREEITEM item, int checked);
// First node in pre-order from `start` (null: the first root node) over it,
// its later siblings and their descendants whose longID is `longID`.
HTREEITEM findItemById(HWND tree, HTREEITEM start, LONG longID);
// The next node in pre-order; null at the end.
HTREEITEM nextItemPreorder(HWND tree, HTREEITEM item);
// Number of nodes below `item`, all levels.
int countDescendants(HWND tree, HTREEITEM item);
// Nonzero when the node's whole row lies inside the tree window.
int isItemVisible(HWND tree, HTREEITEM item);
// A new node with the same text, longID, children flag and check state.
HTREEITEM copyItem(HWND tree, HTREEITEM item, HTREEITEM newParent, HTREEITEM insertAfter);
// Copies the node and all its descendants, children appended in order.
HTREEITEM copySubtree(HWND tree, HTREEITEM item, HTREEITEM newParent, HTREEITEM insertAfter);
// Copies the node (with its subtree) to its new place and deletes the
// original; a drop target with children and no insert-after node receives it
// as its first child. Null when item or drop target is null.
HTREEITEM moveSubtree(HWND tree, HTREEITEM item, HTREEITEM dropTarget, HTREEITEM newParent,
                      HTREEITEM insertAfter);

// Small conveniences over TVM_GETNEXTITEM used all over the outline code.
HTREEITEM treeParent(HWND tree, HTREEITEM item);
HTREEITEM treeFirstChild(HWND tree, HTREEITEM item);
HTREEITEM treeNextSibling(HWND tree, HTREEITEM item);
HTREEITEM treePrevSibling(HWND tree, HTREEITEM item);
HTREEITEM treeRoot(HWND tree);
HTREEITEM treeSelection(HWND tree);
HTREEITEM treeFirstVisible(HWND tree);
HTREEITEM treeNextVisible(HWND tree, HTREEITEM item);
HTREEITEM treeDropHighlight(HWND tree);
// The rectangle of the node's text (TVM_GETITEMRECT, text only); false when
// the node has no row on view (inside a collapsed parent).
bool itemTextRect(HWND tree, HTREEITEM item, RECT* out);
// 1 when `item` lies below `ancestor` (not the ancestor itself).
int isDescendantOf(HWND tree, HTREEITEM item, HTREEITEM ancestor);
