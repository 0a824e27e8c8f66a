// The window tree: parent, owner and sibling links, z-order, and the calls
// that walk the tree (GetWindow, GetParent, SetParent, FindWindowW, ...).
#include <cassert>

#include "platform/window/wm_errors.h"
#include "platform/window/wm_internal.h"

namespace wm {
namespace {

bool inTopmostBand(const Window* w) { return isTopLevel(w) && (w->exStyle & WS_EX_TOPMOST); }

void insertAfter(Window* parent, Window* w, Window* after) {
    w->parent = parent;
    w->prev = after;
    w->next = after ? after->next : parent->firstChild;
    if (w->next) w->next->prev = w; else parent->lastChild = w;
    if (after) after->next = w; else parent->firstChild = w;
}

}  // namespace

void unlinkChild(Window* w) {
    Window* p = w->parent;
    if (!p) return;
    if (w->prev) w->prev->next = w->next; else p->firstChild = w->next;
    if (w->next) w->next->prev = w->prev; else p->lastChild = w->prev;
    w->prev = w->next = nullptr;
    w->parent = nullptr;
}

void linkChild(Window* parent, Window* w, Window* after) {
    w->parent = parent;
    placeInZOrder(w, after);
}

void placeInZOrder(Window* w, Window* after) {
    Window* parent = w->parent;
    if (w->prev || w->next || parent->firstChild == w) {
        Window* keep = parent;
        unlinkChild(w);
        w->parent = keep;
    }
    if (after == w) after = nullptr;
    // Keep the topmost band above the others whatever the caller asked.
    bool topmost = inTopmostBand(w);
    // A topmost window never goes below a normal one, nor a normal window
    // into the topmost band: either lands at the top of its own band.
    if (after && inTopmostBand(after) != topmost) after = nullptr;
    if (!after && !topmost && isTopLevel(w)) {
        for (Window* s = parent->firstChild; s && inTopmostBand(s); s = s->next) after = s;
    }
    insertAfter(parent, w, after);
    assert(checkTree());
}

static bool checkNode(const Window* w, int depth) {
    if (depth > 10000) return false;
    const Window* prev = nullptr;
    bool seenNormal = false;
    for (const Window* c = w->firstChild; c; c = c->next) {
        if (c->parent != w || c->prev != prev || c->destroyed) return false;
        if (isTopLevel(c)) {
            bool top = (c->exStyle & WS_EX_TOPMOST) != 0;
            if (top && seenNormal) return false;
            if (!top) seenNormal = true;
        }
        if (!checkNode(c, depth + 1)) return false;
        prev = c;
    }
    return w->lastChild == prev;
}

bool checkTree() { return checkNode(desktop(), 0); }

}  // namespace wm

namespace device {
bool windowTreeConsistent() { return wm::checkTree(); }
}  // namespace device

using wm::Window;

BOOL WINAPI IsWindow(HWND hwnd) { return wm::get(hwnd) != nullptr; }

HWND WINAPI GetDesktopWindow() { return wm::desktop()->hwnd; }

BOOL WINAPI IsChild(HWND parent, HWND hwnd) {
    Window* p = wm::get(parent);
    Window* w = wm::get(hwnd);
    if (!p || !w) return FALSE;
    for (Window* a = w; a && (a->style & WS_CHILD); a = a->parent) {
        if (a->parent == p) return TRUE;
    }
    return FALSE;
}

HWND WINAPI GetWindow(HWND hwnd, UINT cmd) {
    Window* w = wm::get(hwnd);
    if (!w) {
        wm::fail(wm::kErrInvalidWindowHandle);
        return nullptr;
    }
    Window* r = nullptr;
    switch (cmd) {
        case GW_HWNDFIRST: r = w->parent ? w->parent->firstChild : nullptr; break;
        case GW_HWNDLAST: r = w->parent ? w->parent->lastChild : nullptr; break;
        case GW_HWNDNEXT: r = w->next; break;
        case GW_HWNDPREV: r = w->prev; break;
        case GW_OWNER: r = w->owner; break;
        case GW_CHILD: r = w->firstChild; break;
        default: wm::fail(wm::kErrInvalidParameter); return nullptr;
    }
    return r ? r->hwnd : nullptr;
}

HWND WINAPI GetParent(HWND hwnd) {
    Window* w = wm::get(hwnd);
    if (!w) {
        wm::fail(wm::kErrInvalidWindowHandle);
        return nullptr;
    }
    if (w->style & WS_CHILD) return w->parent && w->parent != wm::desktop() ? w->parent->hwnd : nullptr;
    if (w->style & WS_POPUP) return w->owner ? w->owner->hwnd : nullptr;
    return nullptr;
}

HWND WINAPI SetParent(HWND child, HWND newParent) {
    Window* w = wm::get(child);
    Window* p = newParent ? wm::get(newParent) : wm::desktop();
    if (!w || !p || w == wm::desktop()) {
        wm::fail(wm::kErrInvalidWindowHandle);
        return nullptr;
    }
    for (Window* a = p; a; a = a->parent) {
        if (a == w) {  // would make a window its own ancestor
            wm::fail(wm::kErrInvalidParameter);
            return nullptr;
        }
    }
    Window* old = w->parent;
    HWND oldHandle = old == wm::desktop() ? nullptr : old->hwnd;
    if (old == p) return oldHandle;
    bool visible = wm::reallyVisible(w);
    RECT oldScreen = wm::windowRectOnScreen(w);
    // Keep the window where it was relative to its parent's client area, as
    // the device does; the caller normally moves it next.
    wm::unlinkChild(w);
    wm::linkChild(p, w, nullptr);
    if (visible) wm::exposeScreenArea(gdi::Region(oldScreen));
    if (wm::reallyVisible(w)) wm::invalidateWindow(w, nullptr, true, true);
    return oldHandle;
}

HWND WINAPI GetDlgItem(HWND dialog, int id) {
    Window* d = wm::get(dialog);
    if (!d) {
        wm::fail(wm::kErrInvalidWindowHandle);
        return nullptr;
    }
    for (Window* c = d->firstChild; c; c = c->next) {
        if ((int)c->id == id) return c->hwnd;
    }
    wm::fail(wm::kErrNotChild);
    return nullptr;
}

int WINAPI GetDlgCtrlID(HWND hwnd) {
    Window* w = wm::get(hwnd);
    if (!w) {
        wm::fail(wm::kErrInvalidWindowHandle);
        return 0;
    }
    return (w->style & WS_CHILD) ? (int)w->id : 0;
}

HWND WINAPI FindWindowW(LPCWSTR className, LPCWSTR windowName) {
    std::shared_ptr<wm::WindowClass> cls;
    if (className) {
        cls = wm::findClass(className);
        if (!cls) return nullptr;
    }
    for (Window* w = wm::desktop()->firstChild; w; w = w->next) {
        if (w->platformOwned) continue;
        if (cls && w->cls != cls) continue;
        if (windowName && w->text != windowName) continue;
        return w->hwnd;
    }
    return nullptr;
}

BOOL WINAPI EnumChildWindows(HWND parent, WNDENUMPROC proc, LPARAM lParam) {
    Window* p = parent ? wm::get(parent) : wm::desktop();
    if (!p || !proc) return FALSE;
    // Collect first: the callback may create or destroy windows.
    std::vector<HWND> handles;
    auto visit = [&](auto&& self, Window* w) -> void {
        for (Window* c = w->firstChild; c; c = c->next) {
            handles.push_back(c->hwnd);
            self(self, c);
        }
    };
    visit(visit, p);
    for (HWND h : handles) {
        if (!wm::get(h)) continue;
        if (!proc(h, lParam)) break;
    }
    return TRUE;
}
