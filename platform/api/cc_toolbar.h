// The toolbar messages the shell's menu bar answers (the menu bar is a
// toolbar on the device). Values are those of the device.
#pragma once
#include "windef.h"

#define TBSTATE_CHECKED 0x01
#define TBSTATE_PRESSED 0x02
#define TBSTATE_ENABLED 0x04
#define TBSTATE_HIDDEN 0x08

#define TB_ENABLEBUTTON (WM_USER + 1)
#define TB_ISBUTTONENABLED (WM_USER + 9)
#define TB_SETSTATE (WM_USER + 17)
#define TB_GETSTATE (WM_USER + 18)
#define TB_BUTTONCOUNT (WM_USER + 24)
// On the device the menu bar takes its tooltips as texts: wParam is the
// number of texts, lParam an array of LPCWSTR, one per button that is not a
// separator, in button order.
#define TB_SETTOOLTIPS (WM_USER + 81)
