// The frame of the find bar window (class "finditem"): a bar at the bottom of
// the main window in its own colour, created hidden at start-up and shown
// while searching.
#pragma once

#include "windows.h"

LRESULT CALLBACK findBarWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
