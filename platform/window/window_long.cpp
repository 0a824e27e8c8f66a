// Window longs (procedure, styles, id, user data, extra bytes), calling a
// window procedure, and the window text calls.
#include <algorithm>

#include "platform/window/wm_errors.h"
#include "platform/window/wm_internal.h"

using wm::Window;

namespace wm {

// GWL_STYLE / GWL_EXSTYLE: the window may amend the new style on
// WM_STYLECHANGING and hears the result on WM_STYLECHANGED. Answers the old
// style.
static LONG_PTR setStyle(Window* w, int index, DWORD value) {
    HWND h = w->hwnd;
    DWORD& field = index == GWL_STYLE ? w->style : w->exStyle;
    STYLESTRUCT ss{field, value};
    send(w, WM_STYLECHANGING, (WPARAM)index, (LPARAM)&ss);
    if (!(w = get(h))) return (LONG_PTR)(LONG)ss.styleOld;
    DWORD& now = index == GWL_STYLE ? w->style : w->exStyle;
    // Visibility and the child bit are not changed through the style:
    // ShowWindow and SetParent keep the tree and the screen in step; the
    // topmost band is SetWindowPos's.
    DWORD keep = index == GWL_STYLE ? (DWORD)(WS_VISIBLE | WS_CHILD) : (DWORD)WS_EX_TOPMOST;
    DWORD before = now;
    now = (now & keep) | (ss.styleNew & ~keep);
    ss = STYLESTRUCT{before, now};
    send(w, WM_STYLECHANGED, (WPARAM)index, (LPARAM)&ss);
    return (LONG_PTR)(LONG)before;
}

}  // namespace wm

LONG_PTR WINAPI GetWindowLongW(HWND hwnd, int index) {
    Window* w = wm::get(hwnd);
    if (!w) {
        wm::fail(wm::kErrInvalidWindowHandle);
        return 0;
    }
    switch (index) {
        case GWL_WNDPROC: return (LONG_PTR)w->proc;
        case GWL_HINSTANCE: return (LONG_PTR)w->instance;
        case GWL_HWNDPARENT: return (LONG_PTR)GetParent(hwnd);
        case GWL_ID: return (LONG_PTR)w->id;
        case GWL_STYLE: return (LONG_PTR)(LONG)w->style;
        case GWL_EXSTYLE: return (LONG_PTR)(LONG)w->exStyle;
        case GWL_USERDATA: return w->userData;
    }
    // Extra bytes: one pointer-sized slot per 4-byte offset, so the offsets
    // programs use (DWL_MSGRESULT 0, DWL_DLGPROC 4, DWL_USER 8) never overlap.
    if (index >= 0 && index % 4 == 0 && index + 4 <= w->cls->wndExtra) return w->extra[(size_t)index / 4];
    wm::fail(wm::kErrInvalidIndex);
    return 0;
}

LONG_PTR WINAPI SetWindowLongW(HWND hwnd, int index, LONG_PTR value) {
    Window* w = wm::get(hwnd);
    if (!w) {
        wm::fail(wm::kErrInvalidWindowHandle);
        return 0;
    }
    LONG_PTR old = 0;
    switch (index) {
        case GWL_WNDPROC:
            if (!value) {
                wm::fail(wm::kErrInvalidParameter);
                return 0;
            }
            old = (LONG_PTR)w->proc;
            w->proc = (WNDPROC)value;
            return old;
        case GWL_HINSTANCE:
            old = (LONG_PTR)w->instance;
            w->instance = (HINSTANCE)value;
            return old;
        case GWL_ID:
            old = (LONG_PTR)w->id;
            w->id = (UINT_PTR)value;
            return old;
        case GWL_USERDATA:
            old = w->userData;
            w->userData = value;
            return old;
        case GWL_STYLE:
        case GWL_EXSTYLE: return wm::setStyle(w, index, (DWORD)value);
        case GWL_HWNDPARENT:
            wm::fail(wm::kErrInvalidIndex);
            return 0;
    }
    if (index >= 0 && index % 4 == 0 && index + 4 <= w->cls->wndExtra) {
        old = w->extra[(size_t)index / 4];
        w->extra[(size_t)index / 4] = value;
        return old;
    }
    wm::fail(wm::kErrInvalidIndex);
    return 0;
}

LRESULT WINAPI CallWindowProcW(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!proc) return 0;
    wm::enterProc();
    LRESULT r = proc(hwnd, msg, wParam, lParam);
    wm::leaveProc();
    return r;
}

BOOL WINAPI SetWindowTextW(HWND hwnd, LPCWSTR text) {
    if (!wm::get(hwnd)) {
        wm::fail(wm::kErrInvalidWindowHandle);
        return FALSE;
    }
    return SendMessageW(hwnd, WM_SETTEXT, 0, (LPARAM)text) ? TRUE : FALSE;
}

int WINAPI GetWindowTextW(HWND hwnd, LPWSTR buffer, int cchMax) {
    if (!buffer || cchMax <= 0) return 0;
    buffer[0] = 0;
    if (!wm::get(hwnd)) {
        wm::fail(wm::kErrInvalidWindowHandle);
        return 0;
    }
    return (int)SendMessageW(hwnd, WM_GETTEXT, (WPARAM)cchMax, (LPARAM)buffer);
}

int WINAPI GetWindowTextLengthW(HWND hwnd) {
    if (!wm::get(hwnd)) {
        wm::fail(wm::kErrInvalidWindowHandle);
        return 0;
    }
    return (int)SendMessageW(hwnd, WM_GETTEXTLENGTH, 0, 0);
}
