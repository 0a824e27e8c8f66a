// Showing, hiding, moving, sizing, z-order and enabling of windows.
#include <algorithm>

#include "platform/window/wm_errors.h"
#include "platform/window/wm_internal.h"

namespace wm {

bool setWindowPos(Window* w, Window* insertAfter, bool topmostRequest, bool noTopmostRequest, int x, int y,
                  int cx, int cy, UINT flags) {
    HWND h = w->hwnd;
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
    if (!(flags & SWP_NOREDRAW)) {
        if (wasVisible && (moved || sized || hidden || zChanged || (flags & SWP_FRAMECHANGED)))
            exposeScreenArea(oldArea);
        if (reallyVisible(w) && (moved || sized || shown || zChanged || (flags & SWP_FRAMECHANGED)))
            invalidateWindowEx(w, nullptr, true, true, true);
    }
    if (hidden) windowHidden(w);
    if (sized || (flags & SWP_FRAMECHANGED)) {
        RECT c = clientRectInWindow(w);
        send(w, WM_SIZE, SIZE_RESTORED, MAKELPARAM(c.right - c.left, c.bottom - c.top));
        w = get(h);
        if (!w) return true;
    }
    if (moved) {
        RECT c = clientRectInWindow(w);
        send(w, WM_MOVE, 0, MAKELPARAM(w->rect.left + c.left, w->rect.top + c.top));
        w = get(h);
        if (!w) return true;
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
