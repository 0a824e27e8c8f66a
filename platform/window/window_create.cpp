// Creating and destroying windows, with the messages the device sends on the
// way: WM_NCCREATE, WM_CREATE, WM_SIZE, WM_MOVE, WM_SHOWWINDOW on creation;
// activation passing on, WM_DESTROY (parent first) and WM_NCDESTROY
// (children first) on destruction.
#include <cassert>

#include "platform/window/screen.h"
#include "platform/window/wm_errors.h"
#include "platform/window/wm_internal.h"

namespace wm {
namespace {

void markDestroying(Window* w) {
    w->destroying = true;
    for (Window* c = w->firstChild; c; c = c->next) markDestroying(c);
}

std::vector<HWND> childHandles(Window* w) {
    std::vector<HWND> v;
    for (Window* c = w->firstChild; c; c = c->next) v.push_back(c->hwnd);
    return v;
}

void sendDestroy(HWND h) {
    Window* w = get(h);
    if (!w) return;
    send(w, WM_DESTROY, 0, 0);
    if (!(w = get(h))) return;
    for (HWND c : childHandles(w)) sendDestroy(c);
}

void freeWindow(HWND h) {
    Window* w = get(h);
    if (!w) return;
    for (HWND c : childHandles(w)) freeWindow(c);
    if (!(w = get(h))) return;
    send(w, WM_NCDESTROY, 0, 0);
    killTimersOf(h);
    removeMessagesFor(h);
    w->cls->windowCount--;
    // Owned windows outliving their owner (destroyed from a handler) lose it.
    for (Window* t = desktop()->firstChild; t; t = t->next) {
        if (t->owner == w) t->owner = nullptr;
    }
    unlinkChild(w);
    retireWindow(w);
    assert(checkTree());
}

}  // namespace

// The navigation bar is made with the first top-level window (nav_bar.cpp).
void ensureNavBar();

}  // namespace wm

using wm::Window;

HWND WINAPI CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y,
                            int width, int height, HWND parent, HMENU menuOrId, HINSTANCE hInstance,
                            LPVOID param) {
    auto cls = wm::findClass(className);
    if (!cls) {
        wm::fail(wm::kErrClassNotFound);
        return nullptr;
    }
    Window* parentW = wm::desktop();
    Window* owner = nullptr;
    if (style & WS_CHILD) {
        parentW = wm::get(parent);
        if (!parentW) {
            wm::fail(parent ? wm::kErrInvalidWindowHandle : wm::kErrTlwWithChild);
            return nullptr;
        }
    } else if (parent) {
        Window* p = wm::get(parent);
        if (!p) {
            wm::fail(wm::kErrInvalidWindowHandle);
            return nullptr;
        }
        owner = p == wm::desktop() ? nullptr : wm::topLevelOf(p);
    }
    bool topLevel = parentW == wm::desktop();
    if (topLevel) wm::ensureNavBar();
    if (topLevel) {
        RECT work = device::screenWorkArea();
        if (x == CW_USEDEFAULT) {
            x = work.left;
            y = work.top;
        }
        if (width == CW_USEDEFAULT) {
            width = work.right - work.left;
            height = work.bottom - work.top;
        }
    } else {
        if (x == CW_USEDEFAULT) x = y = 0;
        if (width == CW_USEDEFAULT) width = height = 0;
    }
    if (width < 0) width = 0;
    if (height < 0) height = 0;

    wm::enterProc();
    Window* w = wm::allocateWindow();
    HWND h = w->hwnd;
    w->cls = cls;
    w->proc = cls->proc;
    w->style = style & ~(DWORD)WS_VISIBLE;
    w->exStyle = topLevel ? exStyle : exStyle & ~(DWORD)WS_EX_TOPMOST;
    w->noActivate = topLevel && (exStyle & WS_EX_NOACTIVATE);
    w->instance = hInstance;
    w->id = (UINT_PTR)menuOrId;
    w->owner = owner;
    w->rect = RECT{x, y, x + width, y + height};
    w->extra.assign((size_t)(cls->wndExtra + 3) / 4 + 1, 0);
    w->creating = true;
    cls->windowCount++;
    // A new top-level window comes to the top of its band; a new child goes
    // to the bottom of its siblings, so the order of GW_CHILD / GW_HWNDNEXT
    // (and with it the dialog's tab order) is the order of creation.
    wm::linkChild(parentW, w, topLevel ? nullptr : parentW->lastChild);

    CREATESTRUCTW cs{param, hInstance, menuOrId, parent, height, width, y, x, (LONG)style, windowName,
                     className, exStyle};
    if (!wm::send(w, WM_NCCREATE, 0, (LPARAM)&cs)) {
        wm::freeWindow(h);
        wm::leaveProc();
        return nullptr;
    }
    if (!(w = wm::get(h))) {
        wm::leaveProc();
        return nullptr;
    }
    if (wm::send(w, WM_CREATE, 0, (LPARAM)&cs) == -1) {
        DestroyWindow(h);
        wm::leaveProc();
        return nullptr;
    }
    if ((w = wm::get(h))) {
        RECT c = wm::clientRectInWindow(w);
        wm::send(w, WM_SIZE, SIZE_RESTORED, MAKELPARAM(c.right - c.left, c.bottom - c.top));
    }
    if ((w = wm::get(h))) {
        RECT c = wm::clientRectInWindow(w);
        wm::send(w, WM_MOVE, 0, MAKELPARAM(w->rect.left + c.left, w->rect.top + c.top));
    }
    if ((w = wm::get(h)) && (style & WS_VISIBLE)) ShowWindow(h, SW_SHOW);
    if ((w = wm::get(h))) w->creating = false;
    wm::leaveProc();
    return wm::get(h) ? h : nullptr;
}

BOOL WINAPI DestroyWindow(HWND hwnd) {
    Window* w = wm::get(hwnd);
    if (!w || w == wm::desktop()) {
        wm::fail(wm::kErrInvalidWindowHandle);
        return FALSE;
    }
    if (w->destroying) return TRUE;  // already on its way (DestroyWindow from WM_DESTROY)
    wm::enterProc();
    // Windows it owns go first.
    std::vector<HWND> owned;
    for (Window* t = wm::desktop()->firstChild; t; t = t->next) {
        if (t->owner == w) owned.push_back(t->hwnd);
    }
    for (HWND o : owned) DestroyWindow(o);
    if ((w = wm::get(hwnd))) {
        if (w->style & WS_VISIBLE) {
            gdi::Region area = wm::visibleRegion(w, false, false);
            w->style &= ~(DWORD)WS_VISIBLE;
            wm::exposeScreenArea(area);
            wm::windowHidden(w);
        }
    }
    if ((w = wm::get(hwnd))) {
        wm::markDestroying(w);
        wm::focusWindowDestroyed(w);
        wm::sendDestroy(hwnd);
        if ((w = wm::get(hwnd))) wm::focusWindowDestroyed(w);
        wm::freeWindow(hwnd);
    }
    wm::leaveProc();
    return TRUE;
}
