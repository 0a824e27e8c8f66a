// What the automation (dumps and scripts) and the tests may ask of a tree
// view without going through messages: its items as plain records, an item
// by its path of labels, the screen rectangles a person would tap, and a
// text dump for golden tests. Not part of the program's API.
#pragma once

#include <string>
#include <vector>

#include "windows.h"

namespace device::treeview {

struct ItemRecord {
    HTREEITEM handle = nullptr;
    std::u16string text;
    LPARAM param = 0;
    int stateImage = 0;  // the state image index (1 unchecked, 2 checked in the outline)
    bool expanded = false;
    bool selected = false;
    bool hasButton = false;  // the control shows an expand button for it
    std::vector<ItemRecord> children;
};

// Whether the window is a tree view.
bool isTreeView(HWND hwnd);
// Every item, top-level items first, each with its children (all of them,
// also inside collapsed branches).
std::vector<ItemRecord> items(HWND tree);
// The item at a path of labels separated by '/' ("Groceries/Milk"); a label
// that itself holds '/' still matches. Nullptr when there is none.
HTREEITEM findByPath(HWND tree, const std::u16string& path);

// Screen rectangles of an item's parts; empty rectangles for parts it lacks.
struct ItemRects {
    RECT row{};
    RECT label{};
    RECT stateImage{};  // the check box area left of the label
    RECT button{};      // the expand button
};
// Opens the item's branch and scrolls it into view first when `reveal`
// (as a person would before tapping it). False when the item is unknown or
// not shown.
bool itemScreenRects(HWND tree, HTREEITEM item, bool reveal, ItemRects& out);

// One line per item, indented two blanks per level:
//   "<text> [param=<n>] [check=<k>] [+|-] [selected] [drop]"
// where + is an expanded item with a button and - a collapsed one; rows
// hidden in collapsed branches are listed too, marked "(hidden)".
std::string dumpText(HWND tree);

// Whether the tree's links are consistent (tests and debug checks).
bool linksConsistent(HWND tree);

}  // namespace device::treeview
