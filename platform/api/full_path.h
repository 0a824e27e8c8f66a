// GetFullPathNameW, for the paths a command line names. Only the program's
// commands without a window use it, so it stays out of winbase.h.
#pragma once

#include "windef.h"

// The device path of a file named on a command line. A path that starts
// with a backslash is a device path and comes back as it is. Any other is a
// path of the desktop the device runs on, absolute or relative to the folder
// the program was started in: it becomes the device path of the same file
// (which need not exist yet) when that lies in the device's root or on the
// storage card, and fails with ERROR_PATH_NOT_FOUND when it lies in neither.
// Returns the length written without the terminator; with too small a
// buffer, the room needed with it. 0 on failure. `lpFilePart`, unless null,
// points at the last component in the buffer.
DWORD GetFullPathNameW(LPCWSTR lpFileName, DWORD nBufferLength, LPWSTR lpBuffer, LPWSTR* lpFilePart);
