// The combo box's state, shared by its procedure, its drop-down handling and
// its painter. The entries live in the drop-down list box.
#pragma once

#include "windows.h"

namespace combobox {

struct Combo {
    HWND hwnd = nullptr;
    HWND list = nullptr;      // the drop-down: a popup list box, hidden while closed
    HFONT font = nullptr;
    int textHeight = 13;      // height of the font
    int boxHeight = 19;       // the closed box, which is the window's height
    int dropExtent = 0;       // height asked for at creation beyond the box: the list's
    int droppedWidth = 0;
    bool dropped = false;
    bool focused = false;
    bool choosing = false;    // a choice is being reported to the parent
    bool sizing = false;
    bool listScroll = false;  // the drop-down has a scroll bar
    int selAtDrop = -1;
    HWND focusAtDrop = nullptr;  // had the focus before the list dropped; gets it back
};

Combo* comboOf(HWND hwnd);
inline DWORD styleOf(const Combo& c) { return (DWORD)GetWindowLongW(c.hwnd, GWL_STYLE); }
void notifyParent(Combo& c, WORD code);
int curSel(const Combo& c);

// ---- drop-down (combobox_dropdown.cpp)
RECT droppedRect(const Combo& c);  // screen coordinates
void dropDown(Combo& c);
// Closes the list: CBN_SELENDOK or CBN_SELENDCANCEL, then CBN_CLOSEUP.
void closeUp(Combo& c, bool ok);
// What the drop-down list reports: a choice by pen, or a tap outside it.
void onListNotify(Combo& c, int code);
// Keys: true when the key was used.
bool onKey(Combo& c, WPARAM vk);

// ---- painting (combobox_paint.cpp)
RECT buttonRect(const Combo& c);
LRESULT onPaint(Combo& c, HDC given);

}  // namespace combobox
