// Error codes the window manager reports through SetLastError (values of the
// device; winerror.h may define some of them too).
#pragma once

#include "winbase.h"

namespace wm {
enum ErrorCode : unsigned {
    kErrInvalidParameter = 87,
    kErrInvalidWindowHandle = 1400,
    kErrTlwWithChild = 1406,
    kErrClassNotFound = 1407,
    kErrClassExists = 1410,
    kErrClassDoesNotExist = 1411,
    kErrClassHasWindows = 1412,
    kErrInvalidIndex = 1413,
    kErrNotChild = 1421,
    kErrResourceNotFound = 1814,
};
inline void fail(ErrorCode code) { SetLastError(code); }
}  // namespace wm
