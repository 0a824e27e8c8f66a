// The information window (template 1053): a framed dialog that shows a
// text of a few lines, wrapped to fit, with an "OK" button below it; and
// the outline visibility check (40088).
#pragma once

#include "state/command_handler.h"

enum { INFO_TEXT_CHARS = 200 };  // 199 characters and the terminator

// Shows `text` under `caption` (the database's attributes use "Database
// Attributes") modally over `owner`; returns when "OK" is tapped. 1, or -1
// when the dialog could not be made.
int showInfoWindow(HWND owner, LPCWSTR text, LPCWSTR caption);

// Wraps `text` in place so that no line is wider than `width` pixels in
// `font` (measured with DrawTextW and `format`): a line feed goes before
// the first character that would overflow, wherever it falls. The result is
// cut to capacity - 1 characters; an empty text is left alone.
void wrapTextToWidth(WCHAR* text, int capacity, int width, UINT format, HFONT font);

// 40088: tells whether the outline window is visible, in the platform's
// message box (caption "Info").
LRESULT onCheckOutlineVisible(HWND hwnd, int id, HWND hwndCtl, int code);
