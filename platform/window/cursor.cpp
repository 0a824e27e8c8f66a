// The cursor (only the wait cursor is ever visible on a pen device) and the
// beeps. The show count starts at -1: the arrow is never shown, and the wait
// cursor shows while it is set and the count is back at 0 or above.
#include "platform/window/wm_internal.h"

namespace wm {
namespace {

struct CursorState {
    HCURSOR current = nullptr;
    int showCount = -1;
    int beeps = 0;
    UINT lastBeep = 0;
};

CursorState& cs() {
    static CursorState s;
    return s;
}

// The system cursors are fixed handle values, one per resource id.
HCURSOR systemCursor(UINT id) { return (HCURSOR)(uintptr_t)(0x20000 + id); }

}  // namespace

void resetCursor() { cs() = CursorState{}; }

}  // namespace wm

HCURSOR WINAPI LoadCursorW(HINSTANCE hInstance, LPCWSTR name) {
    if (hInstance || !IS_INTRESOURCE(name)) return nullptr;  // the program has no cursors of its own
    UINT id = (UINT)(uintptr_t)name;
    if (id < 32512 || id > 32650) return nullptr;
    return wm::systemCursor(id);
}

HCURSOR WINAPI SetCursor(HCURSOR cursor) {
    HCURSOR old = wm::cs().current;
    wm::cs().current = cursor;
    return old;
}

HCURSOR WINAPI GetCursor() { return wm::cs().current; }

int WINAPI ShowCursor(BOOL show) { return show ? ++wm::cs().showCount : --wm::cs().showCount; }

BOOL WINAPI MessageBeep(UINT type) {
    wm::cs().beeps++;
    wm::cs().lastBeep = type;
    return TRUE;
}

namespace device {

bool waitCursorShowing() {
    return wm::cs().current == wm::systemCursor(32514) && wm::cs().showCount >= 0;
}
int beepCount() { return wm::cs().beeps; }
UINT lastBeepType() { return wm::cs().lastBeep; }

}  // namespace device
