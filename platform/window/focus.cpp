// Keyboard focus, mouse capture, and the active (foreground) window.
// There is one application on this device, so the foreground window and the
// active window are the same top-level window.
#include "platform/window/wm_errors.h"
#include "platform/window/wm_internal.h"

namespace wm {
namespace {

struct FocusState {
    HWND focus = nullptr;
    HWND active = nullptr;
    HWND capture = nullptr;
};

FocusState& fs() {
    static FocusState s;
    return s;
}

bool insideSubtree(HWND h, Window* root) {
    for (Window* a = getAny(h); a; a = a->parent) {
        if (a == root) return true;
    }
    return false;
}

bool canActivate(Window* w) {
    return w && !w->destroying && isTopLevel(w) && !w->noActivate && !w->platformOwned &&
           (w->style & WS_VISIBLE) && !(w->style & WS_DISABLED);
}

// The window that becomes active when `gone` stops being so: its owner when
// that can be active, else the highest window that can.
Window* successorOf(Window* gone) {
    if (gone->owner && canActivate(gone->owner)) return gone->owner;
    for (Window* w = desktop()->firstChild; w; w = w->next) {
        if (w != gone && canActivate(w)) return w;
    }
    return nullptr;
}

void deactivateTo(Window* gone, Window* next) {
    if (next) {
        activate(next, WA_ACTIVE);
        return;
    }
    FocusState& s = fs();
    HWND old = s.active;
    s.active = nullptr;
    navBarForegroundChanged();
    if (Window* o = get(old)) send(o, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), 0);
    if (s.focus && insideSubtree(s.focus, gone)) SetFocus(nullptr);
}

}  // namespace

void raiseAndRepaint(Window* w) {
    // Only what was hidden under other windows needs painting after the raise
    // (and the caption, which shows the active state).
    gdi::Region before = visibleRegion(w, false, false);
    placeInZOrder(w, nullptr);
    gdi::Region uncovered = visibleRegion(w, false, false);
    uncovered.subtract(before);
    exposeScreenArea(uncovered);
    if ((w->style & WS_CAPTION) == WS_CAPTION) w->ncPaintPending = reallyVisible(w);
}

HWND focusWindow() { return fs().focus; }
HWND activeWindow() { return fs().active; }
HWND captureWindow() { return fs().capture; }

void activate(Window* w, WORD how) {
    FocusState& s = fs();
    if (!w || s.active == w->hwnd) return;
    HWND h = w->hwnd;
    HWND old = s.active;
    s.active = h;
    raiseAndRepaint(w);
    if (Window* o = get(old); o && (o->style & WS_CAPTION) == WS_CAPTION) o->ncPaintPending = reallyVisible(o);
    navBarForegroundChanged();
    if (Window* o = get(old)) send(o, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), (LPARAM)h);
    if (s.active != h || !(w = get(h))) return;
    send(w, WM_ACTIVATE, MAKEWPARAM(how, 0), (LPARAM)old);
    if (s.active == h && get(h) && !(s.focus && insideSubtree(s.focus, get(h)))) SetFocus(h);
}

void windowHidden(Window* w) {
    FocusState& s = fs();
    if (s.active && insideSubtree(s.active, w)) deactivateTo(w, successorOf(get(s.active) ? get(s.active) : w));
}

void windowDisabled(Window* w) {
    FocusState& s = fs();
    // Only the disabled window itself gives up the focus: a control of a
    // window disabled under a popup that is never active (a tip) keeps it,
    // and a popup that is activated takes it anyway.
    if (s.focus == w->hwnd) SetFocus(nullptr);
    if (s.capture && insideSubtree(s.capture, w)) ReleaseCapture();
}

void focusWindowDestroyed(Window* w) {
    FocusState& s = fs();
    if (s.active && insideSubtree(s.active, w)) {
        Window* next = successorOf(w);
        if (next) activate(next, WA_ACTIVE); else s.active = nullptr;
        navBarForegroundChanged();
    }
    if (s.focus && insideSubtree(s.focus, w)) s.focus = nullptr;
    if (s.capture && insideSubtree(s.capture, w)) {
        HWND c = s.capture;
        s.capture = nullptr;
        if (Window* cw = getAny(c)) send(cw, WM_CAPTURECHANGED, 0, 0);
    }
}

void resetFocus() { fs() = FocusState{}; }

}  // namespace wm

using wm::Window;

HWND WINAPI SetFocus(HWND hwnd) {
    wm::FocusState& s = wm::fs();
    HWND old = s.focus;
    if (!hwnd) {
        s.focus = nullptr;
        if (Window* o = wm::get(old)) wm::send(o, WM_KILLFOCUS, 0, 0);
        return old;
    }
    Window* w = wm::get(hwnd);
    if (!w) {
        wm::fail(wm::kErrInvalidWindowHandle);
        return nullptr;
    }
    wm::enterProc();
    Window* top = wm::topLevelOf(w);
    if (top && s.active != top->hwnd && !top->platformOwned) {
        wm::activate(top, WA_ACTIVE);
        old = s.focus;
    }
    if (old != hwnd && wm::get(hwnd)) {
        s.focus = hwnd;
        if (Window* o = wm::get(old)) wm::send(o, WM_KILLFOCUS, (WPARAM)hwnd, 0);
        if (s.focus == hwnd) {
            if (Window* n = wm::get(hwnd)) wm::send(n, WM_SETFOCUS, (WPARAM)old, 0);
        }
    }
    wm::leaveProc();
    return old;
}

HWND WINAPI GetFocus() { return wm::get(wm::fs().focus) ? wm::fs().focus : nullptr; }

HWND WINAPI SetCapture(HWND hwnd) {
    wm::FocusState& s = wm::fs();
    HWND old = s.capture;
    if (!wm::get(hwnd)) {
        wm::fail(wm::kErrInvalidWindowHandle);
        return nullptr;
    }
    s.capture = hwnd;
    if (old && old != hwnd) {
        if (Window* o = wm::get(old)) wm::send(o, WM_CAPTURECHANGED, 0, (LPARAM)hwnd);
    }
    return old;
}

BOOL WINAPI ReleaseCapture() {
    wm::FocusState& s = wm::fs();
    HWND old = s.capture;
    if (!old) return TRUE;
    s.capture = nullptr;
    if (Window* o = wm::get(old)) wm::send(o, WM_CAPTURECHANGED, 0, 0);
    return TRUE;
}

HWND WINAPI GetCapture() { return wm::get(wm::fs().capture) ? wm::fs().capture : nullptr; }

HWND WINAPI SetActiveWindow(HWND hwnd) {
    Window* w = wm::get(hwnd);
    if (!w) {
        wm::fail(wm::kErrInvalidWindowHandle);
        return nullptr;
    }
    HWND old = GetActiveWindow();
    Window* top = wm::topLevelOf(w);
    if (!top || top->platformOwned) return nullptr;
    wm::enterProc();
    wm::activate(top, WA_ACTIVE);
    wm::leaveProc();
    return old;
}

HWND WINAPI GetActiveWindow() { return wm::get(wm::fs().active) ? wm::fs().active : nullptr; }

BOOL WINAPI SetForegroundWindow(HWND hwnd) {
    // Programs set the lowest bit to ask for the window's front-most popup;
    // handle values are multiples of 4, so masking is harmless.
    HWND h = (HWND)((uintptr_t)hwnd & ~(uintptr_t)3);
    Window* w = wm::topLevelOf(wm::get(h));
    if (!w || w->platformOwned) {
        wm::fail(wm::kErrInvalidWindowHandle);
        return FALSE;
    }
    // A window with a visible popup of its own (a message box, a dialog)
    // comes to the front with that popup active.
    for (Window* p = wm::desktop()->firstChild; p; p = p->next) {
        if (p->owner == w && (p->style & WS_VISIBLE) && !p->platformOwned) {
            wm::enterProc();
            wm::raiseAndRepaint(w);
            wm::activate(p, WA_ACTIVE);
            wm::raiseAndRepaint(p);
            wm::leaveProc();
            return TRUE;
        }
    }
    wm::enterProc();
    if (wm::fs().active == w->hwnd) {
        wm::raiseAndRepaint(w);
    } else {
        wm::activate(w, WA_ACTIVE);
    }
    wm::leaveProc();
    return TRUE;
}

HWND WINAPI GetForegroundWindow() { return GetActiveWindow(); }
