// The look the list-name and password dialogs share with the program's
// other dialogs: a white client area, the title in white on a dark blue
// band across the top, and the bevelled border drawn twice (three times on
// a high-resolution screen).
#pragma once

#include "windows.h"

// The band behind the title.
constexpr COLORREF kDialogBandColor = 0x960000;

// A "Tahoma" font of `points` and `weight` for the screen, following the
// "cleartype" setting; its cell height goes to *height when asked.
HFONT createDialogFont(int points, int weight, int* height);
// Paints the whole client area of `dialog`: white, the band `bandHeight`
// pixels high with `title` centred on it in `titleFont`, and the border.
void paintListDialog(HWND dialog, HDC dc, LPCWSTR title, HFONT titleFont, int bandHeight);
// The closed polyline of the bevelled border around (l, t, r, b), drawn
// with the pen selected into `dc`.
void drawBevelledBorder(HDC dc, int l, int t, int r, int b);
// Raises the input panel for a text field, unless a hardware keyboard makes
// it unnecessary and the "keyboardsip" setting does not ask for it.
void raiseInputPanelForText(HWND owner);
