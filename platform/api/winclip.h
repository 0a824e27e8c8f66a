// The clipboard of the device. Data is given to it as a moveable memory
// block (GlobalAlloc), which the clipboard owns from then on; text is
// CF_UNICODETEXT, terminated by a NUL. A host may connect it to the
// desktop's clipboard (platform/system/clipboard_host.h).
#pragma once
#include "windef.h"

#define CF_TEXT 1
#define CF_BITMAP 2
#define CF_UNICODETEXT 13

// Fails (ERROR_ACCESS_DENIED) while another window has it open.
BOOL OpenClipboard(HWND hWndNewOwner);
BOOL CloseClipboard(void);
// Frees all data; the opener becomes the owner. Needs the clipboard open.
BOOL EmptyClipboard(void);
// Needs the clipboard open; returns hMem, or NULL (then hMem stays the caller's).
HANDLE SetClipboardData(UINT uFormat, HANDLE hMem);
// Needs the clipboard open; the block stays the clipboard's.
HANDLE GetClipboardData(UINT uFormat);
BOOL IsClipboardFormatAvailable(UINT format);
HWND GetClipboardOwner(void);
