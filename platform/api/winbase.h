// Base services of the device: errors, files, memory, time, modules.
#pragma once
#include "windef.h"

// --- errors (codes in winerror.h). The last error is kept per thread.
DWORD GetLastError(void);
void SetLastError(DWORD dwErrCode);
