// The tree view's own records and the functions its files share. Only the
// files of platform/controls/treeview include this.
//
// Shape: every tree has a hidden root item whose children are the top-level
// items; items link to parent, first/last child and previous/next sibling.
// Handles are numbers drawn from one process-wide counter and never reused,
// so a handle of a deleted item (or of another tree) is simply not found.
//
// Layout: one pass over the expanded branches builds the flat list of rows
// (the items a person could scroll to, top to bottom). Painting, hit testing,
// item rectangles and scrolling all read that list, so they never disagree.
// It is rebuilt lazily, only when the tree's shape changed since the last use.
//
// Sections: item | tree | items (tv_items.cpp) | layout (tv_layout.cpp) |
// scrolling (tv_scroll.cpp) | selection and expansion (tv_select.cpp) |
// painting (tv_paint.cpp) | label editing (tv_edit.cpp) | input (tv_input.cpp)
// | notifications and images (tv_notify.cpp)
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "windows.h"

namespace tv {

// --------------------------------------------------------------------- item
struct Item {
    HTREEITEM handle = nullptr;
    Item* parent = nullptr;  // the hidden root for top-level items
    Item* firstChild = nullptr;
    Item* lastChild = nullptr;
    Item* prev = nullptr;
    Item* next = nullptr;

    std::u16string text;
    bool textCallback = false;  // LPSTR_TEXTCALLBACKW: asked for with TVN_GETDISPINFOW
    UINT state = 0;             // TVIS_* bits, state image index in 0xF000
    int image = 0;
    int selectedImage = 0;
    // cChildren: kKidsFromChildren until set with TVIF_CHILDREN; then 0 (no
    // button whatever the children), a positive number (a button even
    // without children yet) or I_CHILDRENCALLBACK (asked for when needed).
    int children = -2;
    LPARAM param = 0;
    int level = 0;              // 0 for top-level items, -1 for the hidden root

    int row = -1;               // index in Tree::rows while the layout is valid
    int textWidth = -1;         // measured label text width, -1 until measured
};

// --------------------------------------------------------------------- tree
struct Tree {
    HWND hwnd = nullptr;
    Item root;
    std::unordered_map<uintptr_t, std::unique_ptr<Item>> items;

    Item* selected = nullptr;
    Item* dropHilite = nullptr;
    Item* firstVisibleHint = nullptr;  // kept across layout rebuilds

    HIMAGELIST normalList = nullptr;
    HIMAGELIST stateList = nullptr;
    HFONT font = nullptr;       // WM_SETFONT (nullptr: the default GUI font)
    HFONT boldFont = nullptr;   // made from `font` for TVIS_BOLD items
    int indent = 0;
    int customItemHeight = 0;   // TVM_SETITEMHEIGHT (0: from font and images)
    COLORREF bkColor = (COLORREF)-1;    // -1: the system window colour
    COLORREF textColor = (COLORREF)-1;  // -1: the system window text colour
    bool redraw = true;
    bool hasFocus = false;
    int cachedRowHeight = 0;    // 0: measure again (font or images changed)
    DWORD seenStyle = 0;        // the style the layout was made for

    // Layout.
    bool layoutDirty = true;
    std::vector<Item*> rows;
    int topRow = 0;             // first row shown (vertical scroll position)
    int scrollX = 0;            // horizontal scroll position in pixels
    int contentWidth = 0;       // widest row in pixels, without scrolling
    bool updatingScrollBars = false;

    // Label editing.
    Item* editItem = nullptr;
    HWND edit = nullptr;
    WNDPROC editProc = nullptr;
    bool endingEdit = false;

    // Pen tracking from a pen down until it lifts, drags or holds.
    struct Track {
        bool active = false;
        Item* item = nullptr;
        UINT hitFlags = 0;
        POINT down{0, 0};
        bool holdArmed = false;
        bool wasSelected = false;  // the item was the selection before the pen went down
    } track;
    bool dragging = false;      // TVN_BEGINDRAGW was sent for the pen down
};

Tree* treeOf(HWND hwnd);
constexpr int kKidsFromChildren = -2;

// ----------------------------------------------------- items (tv_items.cpp)
// The item of a handle, or nullptr (TVI_ROOT gives the hidden root only when
// `allowRoot`).
Item* itemOf(Tree& t, HTREEITEM h, bool allowRoot = false);
Item* insertItem(Tree& t, const TVINSERTSTRUCTW& ins);
// Deletes the item and its subtree with TVN_DELETEITEMW for each, children
// before their parent; the hidden root deletes everything. False when the
// item is unknown.
bool deleteItem(Tree& t, Item* item);
bool getItem(Tree& t, TVITEMW& tvi, bool extended);
bool setItem(Tree& t, const TVITEMW& tvi);
Item* nextItem(Tree& t, Item* item, UINT code);
bool hasChildrenFlag(const Item* it);  // the expand button shows
// Whether every item is reachable and its links agree (used in asserts and tests).
bool checkLinks(const Tree& t);
std::u16string itemText(Tree& t, Item* it);  // resolves the callback text

// --------------------------------------------------- layout (tv_layout.cpp)
struct Offsets {
    int lines;  // left of the indent column that holds the button and lines
    int state;  // left of the state image
    int image;  // left of the normal image
    int text;   // left of the label
    int right;  // right of the label
};
void invalidateLayout(Tree& t);
// Styles may change at any time through SetWindowLongW: notices a change
// and drops what depended on the old style.
void syncStyle(Tree& t);
void ensureLayout(Tree& t);
int rowHeight(Tree& t);
int indentOf(Tree& t);
int stateImageWidth(Tree& t);
int normalImageWidth(Tree& t);
HFONT fontOf(Tree& t);
HFONT fontForItem(Tree& t, const Item* it);
int measureText(Tree& t, Item* it);
Offsets offsetsOf(Tree& t, Item* it);  // in client coordinates (scrolled)
bool isRowVisible(Tree& t, Item* it);  // in the rows (ancestors expanded)
RECT clientRect(Tree& t);
int fullRowsShown(Tree& t);
bool itemRect(Tree& t, Item* it, bool textOnly, RECT& out);
Item* hitTest(Tree& t, POINT pt, UINT& flags);
void invalidateItem(Tree& t, Item* it);
void invalidateAll(Tree& t);

// ------------------------------------------------- scrolling (tv_scroll.cpp)
void updateScrollBars(Tree& t);
LRESULT onVScroll(Tree& t, WPARAM wParam);
LRESULT onHScroll(Tree& t, WPARAM wParam);
void setTopRow(Tree& t, int row);
void setScrollX(Tree& t, int x);
// Scrolls the item's row into view, never sideways; does not expand. True
// when something scrolled.
bool scrollIntoView(Tree& t, Item* it);
void setFirstVisible(Tree& t, Item* it);

// ------------------------------- selection and expansion (tv_select.cpp)
// TVGN_CARET selection with TVN_SELCHANGINGW/TVN_SELCHANGEDW; false when the
// parent refused or the item is gone.
bool selectCaret(Tree& t, Item* it, UINT action);
void setDropHilite(Tree& t, Item* it);
// Expansion. `user` marks a person's tap or key (always notifies); the
// program's TVM_EXPAND notifies only an item's first expansion.
bool expandItem(Tree& t, Item* it, UINT code, bool user);
// Expands the ancestors and scrolls into view (TVM_ENSUREVISIBLE).
bool ensureVisible(Tree& t, Item* it);

// ---------------------------- notifications and images (tv_notify.cpp)
LRESULT notify(Tree& t, NMHDR& hdr, UINT code);
LRESULT notifySimple(Tree& t, UINT code);
void fillItem(Tree& t, Item* it, TVITEMW& out, UINT mask);
LRESULT notifyTree(Tree& t, UINT code, UINT action, Item* oldItem, Item* newItem, POINT pt = {0, 0});
bool imageSize(HIMAGELIST list, int& cx, int& cy);
void drawImage(HIMAGELIST list, int index, HDC dc, int x, int y, bool selected);

// -------------------------------------------------- painting (tv_paint.cpp)
LRESULT onPaint(Tree& t, HDC given);
LRESULT onEraseBackground(Tree& t, HDC dc);
COLORREF backgroundColor(const Tree& t);
HIMAGELIST createDragImage(Tree& t, Item* it);

// ---------------------------------------------- label editing (tv_edit.cpp)
HWND beginEdit(Tree& t, Item* it);
// Ends the edit: cancel sends a null text. True when an edit was running.
bool endEdit(Tree& t, bool cancel);
// Drops the edit without asking anyone (its item is being deleted).
void abandonEdit(Tree& t);
// Makes sure the "edit" class the label editor uses is registered.
void registerEditForLabels();

// ---------------------------------------------------- input (tv_input.cpp)
LRESULT onPenDown(Tree& t, LPARAM lParam);
LRESULT onPenMove(Tree& t, LPARAM lParam);
LRESULT onPenUp(Tree& t, LPARAM lParam);
LRESULT onDoubleTap(Tree& t, LPARAM lParam);
LRESULT onKeyDown(Tree& t, WPARAM vk);
LRESULT onChar(Tree& t, WPARAM ch);
LRESULT onTimer(Tree& t, WPARAM id);
LRESULT onContextMenu(Tree& t, LPARAM screenPt);
LRESULT onCaptureChanged(Tree& t);
void cancelTracking(Tree& t);

// Timer ids of the control's own window.
constexpr UINT_PTR kHoldTimer = 0x7401;
constexpr UINT_PTR kEditTimer = 0x7402;
// Tap-and-hold: the pen held this long without moving past the drag
// threshold opens the item's context menu (GN_CONTEXTMENU to the parent).
constexpr UINT kHoldTimeMs = 500;

}  // namespace tv
