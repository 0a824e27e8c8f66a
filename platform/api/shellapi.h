// Files dropped on a window: a window that accepts them (DragAcceptFiles)
// gets WM_DROPFILES with a drop handle whose paths DragQueryFileW gives, and
// frees it with DragFinish. Paths inside the device (its root or the storage
// card) are device paths; a file elsewhere keeps the path the desktop gave,
// which no device call opens.
#pragma once

#include "windef.h"

DECLARE_HANDLE(HDROP);

#define WM_DROPFILES 0x0233

VOID WINAPI DragAcceptFiles(HWND hwnd, BOOL accept);
// index 0xFFFFFFFF: the number of files; a null buffer: the length of one.
UINT WINAPI DragQueryFileW(HDROP drop, UINT index, LPWSTR buffer, UINT cch);
VOID WINAPI DragFinish(HDROP drop);
