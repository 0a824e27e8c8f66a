// Showing, hiding, moving, sizing, z-order and enabling of windows.
#include <algorithm>

#include "platform/window/wm_errors.h"
#include "platform/window/wm_internal.h"

namespace wm {

namespace {

// The request as WM_WINDOWPOSCHANGING shows it: the current place and size
// where the caller keeps them.
WINDOWPOS requestOf(Window* w, Window* insertAfter, bool topmostRequest, int x, int y, int cx, int cy,
                    UINT flags) {
    WINDOWPOS wp{w->hwnd, insertAfter ? insertAfter->hwnd : (topmostRequest ? HWND_TOPMOST : HWND_TOP),
                 x, y, cx, cy, flags};
    if (flags & SWP_NOMOVE) {
        wp.x = w->rect.left;
        wp.y = w->rect.top;
    }
    if (flags & SWP_NOSIZE) {
        wp.cx = w->rect.right - w->rect.left;
        wp.cy = w->rect.bottom - w->rect.top;
    }
    return wp;
}

}  // namespace

bool setWindowPos(Window* w, Window* insertAfter, bool topmostRequest, bool noTopmostRequest, int x, int y,
                  int cx, int cy, UINT flags) {
    HWND h = w->hwnd;
    // The window may change the request (its place, size and the flags)
    // before anything happens.
    if (!(flags & SWP_NOSENDCHANGING)) {
        WINDOWPOS wp = requestOf(w, insertAfter, topmostRequest, x, y, cx, cy, flags);
        send(w, WM_WINDOWPOSCHANGING, 0, (LPARAM)&wp);
        if (!(w = get(h))) return true;
        x = wp.x;
        y = wp.y;
        cx = wp.cx;
        cy = wp.cy;
        flags = wp.flags;
        if (insertAfter && insertAfter->destroyed) insertAfter = nullptr;
    }
    bool wasVisible = reallyVisible(w);
    gdi::Region oldArea = wasVisible ? visibleRegion(w, false, false) : gdi::Region();
    RECT oldRect = w->rect;
    bool zChanged = false;
    if (!(flags & SWP_NOZORDER) && w->parent) {
        Window* oldPrev = w->prev;
        if (topmostRequest && isTopLevel(w)) w->exStyle |= WS_EX_TOPMOST;
        if (noTopmostRequest) w->exStyle &= ~(DWORD)WS_EX_TOPMOST;
        if (insertAfter == w) insertAfter = nullptr;
        placeInZOrder(w, insertAfter);
        zChanged = w->prev != oldPrev;
    }
    RECT r = w->rect;
    if (!(flags & SWP_NOMOVE)) {
        LONG width = r.right - r.left, height = r.bottom - r.top;
        r = RECT{x, y, x + width, y + height};
    }
    if (!(flags & SWP_NOSIZE)) {
        r.right = r.left + std::max(cx, 0);
        r.bottom = r.top + std::max(cy, 0);
    }
    w->rect = r;
    bool moved = r.left != oldRect.left || r.top != oldRect.top;
    bool sized = (r.right - r.left) != (oldRect.right - oldRect.left) ||
                 (r.bottom - r.top) != (oldRect.bottom - oldRect.top);
    bool shown = false, hidden = false;
    if ((flags & SWP_SHOWWINDOW) && !(w->style & WS_VISIBLE)) {
        w->style |= WS_VISIBLE;
        shown = true;
    }
    if ((flags & SWP_HIDEWINDOW) && (w->style & WS_VISIBLE)) {
        w->style &= ~(DWORD)WS_VISIBLE;
        hidden = true;
    }
    if (hidden) clearUpdate(w);
    bool frameChanged = (flags & SWP_FRAMECHANGED) != 0;
    if (!(flags & SWP_NOREDRAW)) {
        if (wasVisible && (moved || sized || hidden || zChanged || frameChanged)) exposeScreenArea(oldArea);
        if (reallyVisible(w) && (moved || sized || shown || zChanged || frameChanged))
            invalidateWindowEx(w, nullptr, true, true, true);
    }
    if (hidden) windowHidden(w);
    if (!(w = get(h))) return true;
    // What happened, told once; DefWindowProcW turns it into WM_SIZE and
    // WM_MOVE (a new frame counts as a new client size).
    if (moved || sized || zChanged || shown || hidden || frameChanged) {
        UINT done = (flags & ~(UINT)(SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER)) | (moved ? 0 : SWP_NOMOVE) |
                    (sized ? 0 : SWP_NOSIZE) | (zChanged ? 0 : SWP_NOZORDER) |
                    (sized || frameChanged ? 0 : kSwpNoClientSize) | (moved ? 0 : kSwpNoClientMove);
        WINDOWPOS wp{h, w->prev ? w->prev->hwnd : HWND_TOP, w->rect.left, w->rect.top,
                     w->rect.right - w->rect.left, w->rect.bottom - w->rect.top, done};
        send(w, WM_WINDOWPOSCHANGED, 0, (LPARAM)&wp);
        if (!(w = get(h))) return true;
    }
    if (shown && isTopLevel(w) && !(flags & SWP_NOACTIVATE) && !w->noActivate) activate(w, WA_ACTIVE);
    return true;
}

}  // namespace wm

using wm::Window;

static Window* insertAfterWindow(Window* w, HWND insertAfter) {
    if (insertAfter == HWND_TOP || insertAfter == HWND_TOPMOST || insertAfter == HWND_NOTOPMOST) return nullptr;
    if (insertAfter == HWND_BOTTOM) {
        Window* last = w->parent ? w->parent->lastChild : nullptr;
        if (last == w) last = w->prev;
        return last;
    }
    Window* a = wm::get(insertAfter);
    return a && a->parent == w->parent ? a : nullptr;
}

BOOL WINAPI SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
    Window* w = wm::get(hwnd);
    if (!w || w == wm::desktop()) {
        wm::fail(wm::kErrInvalidWindowHandle);
        return FALSE;
    }
    if (!(flags & SWP_NOZORDER) && insertAfter != HWND_TOP && insertAfter != HWND_BOTTOM &&
        insertAfter != HWND_TOPMOST && insertAfter != HWND_NOTOPMOST) {
        Window* a = wm::get(insertAfter);
        if (!a || a->parent != w->parent) {
            wm::fail(wm::kErrInvalidWindowHandle);
            return FALSE;
        }
    }
    wm::enterProc();
    wm::setWindowPos(w, insertAfterWindow(w, insertAfter), insertAfter == HWND_TOPMOST,
                     insertAfter == HWND_NOTOPMOST, x, y, cx, cy, flags);
    wm::leaveProc();
    return TRUE;
}

BOOL WINAPI MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint) {
    return SetWindowPos(hwnd, nullptr, x, y, width, height,
                        SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

BOOL WINAPI BringWindowToTop(HWND hwnd) {
    return SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

BOOL WINAPI ShowWindow(HWND hwnd, int cmdShow) {
    Window* w = wm::get(hwnd);
    if (!w || w == wm::desktop()) {
        wm::fail(wm::kErrInvalidWindowHandle);
        return FALSE;
    }
    bool wasVisible = (w->style & WS_VISIBLE) != 0;
    bool show = cmdShow != SW_HIDE;
    bool activates = show && cmdShow != SW_SHOWNA && cmdShow != SW_SHOWNOACTIVATE &&
                     cmdShow != SW_SHOWMINNOACTIVE && cmdShow != SW_MINIMIZE;
    wm::enterProc();
    if (show != wasVisible) {
        wm::send(w, WM_SHOWWINDOW, show ? TRUE : FALSE, 0);
        if ((w = wm::get(hwnd))) {
            UINT flags = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | (show ? SWP_SHOWWINDOW : SWP_HIDEWINDOW);
            if (!activates) flags |= SWP_NOACTIVATE;
            wm::setWindowPos(w, nullptr, false, false, 0, 0, 0, 0, flags);
        }
    } else if (activates && wm::isTopLevel(w) && !w->noActivate) {
        wm::activate(w, WA_ACTIVE);
    }
    wm::leaveProc();
    return wasVisible ? TRUE : FALSE;
}

BOOL WINAPI IsWindowVisible(HWND hwnd) {
    Window* w = wm::get(hwnd);
    return w && wm::reallyVisible(w) ? TRUE : FALSE;
}

BOOL WINAPI IsWindowEnabled(HWND hwnd) {
    Window* w = wm::get(hwnd);
    return w && !(w->style & WS_DISABLED) ? TRUE : FALSE;
}

BOOL WINAPI EnableWindow(HWND hwnd, BOOL enable) {
    Window* w = wm::get(hwnd);
    if (!w) {
        wm::fail(wm::kErrInvalidWindowHandle);
        return FALSE;
    }
    bool wasDisabled = (w->style & WS_DISABLED) != 0;
    wm::enterProc();
    if (enable && wasDisabled) {
        w->style &= ~(DWORD)WS_DISABLED;
        wm::send(w, WM_ENABLE, TRUE, 0);
    } else if (!enable && !wasDisabled) {
        w->style |= WS_DISABLED;
        wm::windowDisabled(w);
        if ((w = wm::get(hwnd))) wm::send(w, WM_ENABLE, FALSE, 0);
    }
    wm::leaveProc();
    return wasDisabled ? TRUE : FALSE;
}
