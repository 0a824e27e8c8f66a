// The list box's state, shared by its item store, its procedure and the
// combo box, whose drop-down list is a list box working for it.
#pragma once

#include <string>
#include <vector>

#include "windows.h"

namespace listbox {

struct Item {
    std::u16string text;
    LPARAM data = 0;
};

struct ListBox {
    HWND hwnd = nullptr;
    HFONT font = nullptr;
    std::vector<Item> items;
    int cursel = -1;
    int top = 0;
    int itemHeight = 13;
    bool focused = false;
    bool tracking = false;   // the pen is down on the list
    bool redraw = true;
    // Created with WS_VSCROLL: the window manager drops the style while the
    // bar is hidden, so the wish is kept here.
    bool vscroll = false;
    // When the list is a combo box's drop-down: the combo box, which gets
    // the notifications and decides what a tap means.
    HWND combo = nullptr;

};

ListBox* listBoxOf(HWND hwnd);
inline DWORD styleOf(const ListBox& lb) { return (DWORD)GetWindowLongW(lb.hwnd, GWL_STYLE); }

// ---- items (listbox_items.cpp): each returns the message's answer
LRESULT addString(ListBox& lb, const WCHAR* text);
LRESULT insertString(ListBox& lb, int index, const WCHAR* text);
LRESULT deleteString(ListBox& lb, int index);
LRESULT findString(const ListBox& lb, int start, const WCHAR* text, bool exact);
LRESULT getText(const ListBox& lb, int index, WCHAR* buffer);
LRESULT getTextLen(const ListBox& lb, int index);
void resetContent(ListBox& lb);

// ---- view (listbox_view.cpp)
int visibleRows(const ListBox& lb);
int itemAt(const ListBox& lb, POINT client);  // -1 past the last item
RECT itemRect(const ListBox& lb, int index);
void setTop(ListBox& lb, int top);
void ensureVisible(ListBox& lb, int index);
void updateScrollBar(ListBox& lb);
void invalidate(ListBox& lb);
void readFontMetrics(ListBox& lb);
LRESULT onPaint(ListBox& lb, HDC given);
LRESULT onVScroll(ListBox& lb, WPARAM wParam);

// Selects an item (-1: none) and shows it; true when it changed.
bool select(ListBox& lb, int index);
void notify(ListBox& lb, int code);

// Makes `list` the drop-down of `combo` (nullptr: an ordinary list again).
void attachToCombo(HWND list, HWND combo);

}  // namespace listbox
