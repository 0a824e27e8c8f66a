// The framed look shared by the program's own dialogs: a window with
// rounded corners, a white client area, a dark blue caption band with the
// caption in white, and a bevelled black border drawn two or three times
// around the client rectangle. The message, notice, information and
// progress windows, the colour picker and the name and password dialogs
// all call these helpers so they look alike.
#pragma once

#include "common/gdi_owner.h"
#include "windows.h"

// Colours of the look (0x00BBGGRR).
constexpr COLORREF kDialogBandColour = 0x960000;  // dark blue caption band
constexpr COLORREF kDialogWhite = 0xFFFFFF;

// Number of points of the bevelled border's closed polyline.
constexpr int kBevelPointCount = 37;

// The drawing objects a framed dialog keeps while it is open.
struct DialogLook {
    GdiObject<HFONT> hfontCaption;  // 10 points, bold
    GdiObject<HFONT> hfontText;     // 10 points, normal
    GdiObject<HBRUSH> hbrWhite;
    GdiObject<HBRUSH> hbrBand;      // kDialogBandColour
    int intCaptionHeight = 0;      // cell height of hfontCaption ("w" of the layout)
    int intTextHeight = 0;         // cell height of hfontText
};

// Makes the fonts, brushes and pen of the look; `hwnd` is the dialog (its
// screen gives the font heights).
void createDialogLook(HWND hwnd, DialogLook* look);
// Deletes what createDialogLook made and nulls every handle.
void destroyDialogLook(DialogLook* look);

// A "Tahoma" font of `points` and `weight`, not struck out, ClearType as
// the setting says; `height` receives its cell height when given.
HFONT createDialogFont(int points, int weight, int* height = nullptr);

// The rectangle of the dialog's child `id` in the dialog's client
// coordinates; empty when there is no such child.
RECT dialogItemRect(HWND dialog, int id);

// The 37 points of the bevelled border around (l, t, r, b).
void bevelPoints(int l, int t, int r, int b, POINT out[kBevelPointCount]);
// Draws the bevelled border around `rc` with a black pen `penWidth` wide.
void drawBevelBorder(HDC hdc, const RECT& rc, int penWidth);
// The border around the client rectangle, again 1 pixel in, and a third
// time 2 pixels in on a high-resolution screen.
void drawDialogBorder(HDC hdc, const RECT& client);

// The region of the rounded shape for a window `width` x `height`: at each
// corner 5, 3, 2, 1 and 1 pixels are cut from the outermost five rows.
HRGN createRoundedRegion(int width, int height);
// Gives `hwnd` the rounded shape of its current size.
void applyRoundedShape(HWND hwnd);

// Paints the whole frame: white client, the caption band `bandHeight` high
// with `caption` centred in white in `captionFont`, and the border.
void paintDialogFrame(HDC hdc, HWND hwnd, LPCWSTR caption, HFONT captionFont, HBRUSH bandBrush, int bandHeight);
