// The colour picker, "Color Selector" (template 1018): a small movable
// dialog with 24 preset colours or red, green and blue fields (the mode the
// user chose last, setting "colorpickerselectionmode"), a lightness slider
// and a swatch of the colour being made. The settings pages call it for
// every colour of a list.
#pragma once

#include "windows.h"

// Runs the picker modally over `owner`, starting from `colour`; returns the
// colour the user chose with "Ok", else `colour` unchanged.
COLORREF pickColor(HWND owner, COLORREF colour);
