// Shared state of the button control between its procedure and painter.
#pragma once

#include "windows.h"

namespace button {

struct Button {
    HWND hwnd = nullptr;
    HFONT font = nullptr;
    HBITMAP image = nullptr;
    int check = BST_UNCHECKED;
    bool pushed = false;    // drawn pressed
    bool focused = false;
    bool tracking = false;  // the pen went down on the button and is still down
    bool spaceDown = false;
};

Button* buttonOf(HWND hwnd);
inline DWORD styleOf(HWND hwnd) { return (DWORD)GetWindowLongW(hwnd, GWL_STYLE); }
inline DWORD typeOf(HWND hwnd) { return styleOf(hwnd) & BS_TYPEMASK; }
bool isCheckType(DWORD type);
bool isRadioType(DWORD type);

LRESULT onPaint(Button& b, HDC given);

}  // namespace button
