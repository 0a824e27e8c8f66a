// The shell's drawing helpers: its font and the small marks menus, the menu
// bar and the input panel share.
#pragma once

#include "windows.h"

namespace shell {

// The device's default GUI font ("Tahoma" 8 point at the screen's dpi).
HFONT shellFont();
// A check mark centred in `r`.
void drawCheckMark(HDC dc, const RECT& r, COLORREF color);
// A small filled triangle centred in `r`: pointing right, or up.
void drawArrow(HDC dc, const RECT& r, COLORREF color, bool right);
// The light face of the menu bar and input panel.
COLORREF barColor();

}  // namespace shell
