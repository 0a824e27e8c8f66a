// Painting: update regions, WM_PAINT and WM_ERASEBKGND, BeginPaint/EndPaint,
// window DCs clipped to what of a window is visible, RedrawWindow and window
// shapes (SetWindowRgn).
//
// A window's visible region is its rectangle (and shape), inside every
// ancestor's client area, less the visible windows above it and above each
// ancestor (transparent ones excepted), less its children when it has
// WS_CLIPCHILDREN. Everything a window draws goes straight into the screen
// framebuffer, clipped to it, and marks that area dirty for the host's
// presenter.
#include <map>

#include "platform/gdi/display_dc.h"
#include "platform/gdi/objects.h"
#include "platform/window/screen.h"
#include "platform/window/wm_errors.h"
#include "platform/window/wm_internal.h"
#include "platform/window/wm_queue.h"

namespace wm {
namespace {

// DCs handed out by GetDC/BeginPaint, with the screen area they may touch.
std::map<HDC, gdi::Region>& openDCs() {
    static std::map<HDC, gdi::Region> dcs;
    return dcs;
}

gdi::Region shapeOnScreen(const Window* w) {
    RECT r = windowRectOnScreen(w);
    if (!w->shape) return gdi::Region(r);
    gdi::Region s = *w->shape;
    s.offset(r.left, r.top);
    s.intersect(gdi::Region(r));
    return s;
}

bool redrawSuppressed(const Window* w) {
    for (const Window* a = w; a; a = a->parent) {
        if (a->redrawOff) return true;
    }
    return false;
}

RECT clientBox(const Window* w) {
    RECT c = clientRectInWindow(w);
    return RECT{0, 0, c.right - c.left, c.bottom - c.top};
}

HDC openDC(Window* w, bool clientOnly, const gdi::Region* limitScreen) {
    bool clipChildren = clientOnly ? (w->style & WS_CLIPCHILDREN) != 0 : false;
    gdi::Region vis = visibleRegion(w, clientOnly, clipChildren);
    if (limitScreen) vis.intersect(*limitScreen);
    POINT origin = clientOnly ? clientOriginOnScreen(w) : windowOriginOnScreen(w);
    HDC dc = gdi::createDisplayDC(&device::screenSurface(), origin, vis);
    if (dc) openDCs()[dc] = vis;
    return dc;
}

void closeDC(HDC dc) {
    auto it = openDCs().find(dc);
    if (it == openDCs().end()) return;
    for (const RECT& r : it->second.rects()) device::screenMarkDirty(r);
    openDCs().erase(it);
    gdi::deleteDisplayDC(dc);
}

}  // namespace

gdi::Region visibleRegion(const Window* w, bool clientOnly, bool clipChildren) {
    if (!reallyVisible(w) || redrawSuppressed(w)) return gdi::Region();
    gdi::Region r(clientOnly ? clientRectOnScreen(w) : windowRectOnScreen(w));
    if (w->shape) r.intersect(shapeOnScreen(w));
    for (const Window* a = w->parent; a; a = a->parent) {
        r.intersect(gdi::Region(clientRectOnScreen(a)));
        if (a->shape) r.intersect(shapeOnScreen(a));
    }
    for (const Window* x = w; x->parent && !r.empty(); x = x->parent) {
        for (const Window* s = x->parent->firstChild; s && s != x; s = s->next) {
            // A transparent sibling (a group box) draws only its own lines
            // and leaves what lies under it visible.
            if ((s->style & WS_VISIBLE) && !(s->exStyle & WS_EX_TRANSPARENT)) r.subtract(shapeOnScreen(s));
        }
    }
    if (clipChildren) {
        for (const Window* c = w->firstChild; c; c = c->next) {
            if (c->style & WS_VISIBLE) r.subtract(shapeOnScreen(c));
        }
    }
    return r;
}

void invalidateWindow(Window* w, const gdi::Region* clientArea, bool erase, bool frame) {
    invalidateWindowEx(w, clientArea, erase, frame, false);
}

void invalidateWindowEx(Window* w, const gdi::Region* clientArea, bool erase, bool frame, bool allChildren) {
    if (!w || !reallyVisible(w)) return;
    gdi::Region add(clientBox(w));
    if (clientArea) add.intersect(*clientArea);
    if (!add.empty()) {
        w->update.unite(add);
        if (erase) w->erasePending = true;
    }
    if (frame) w->ncPaintPending = true;
    // Without WS_CLIPCHILDREN the parent paints over its children, so they
    // must paint again afterwards.
    if (!allChildren && (w->style & WS_CLIPCHILDREN)) return;
    POINT co = clientOriginOnScreen(w);
    gdi::Region screenArea = add;
    screenArea.offset(co.x, co.y);
    for (Window* c = w->firstChild; c; c = c->next) {
        if (!(c->style & WS_VISIBLE)) continue;
        gdi::Region part = screenArea;
        part.intersect(gdi::Region(windowRectOnScreen(c)));
        if (part.empty()) continue;
        POINT cc = clientOriginOnScreen(c);
        part.offset(-cc.x, -cc.y);
        invalidateWindowEx(c, &part, erase, true, allChildren);
    }
}

void exposeScreenArea(const gdi::Region& screenArea) {
    if (screenArea.empty()) return;
    for (Window* w : allWindows()) {
        if (!reallyVisible(w)) continue;
        gdi::Region vis = visibleRegion(w, false, (w->style & WS_CLIPCHILDREN) != 0);
        vis.intersect(screenArea);
        if (vis.empty()) continue;
        RECT client = clientRectOnScreen(w);
        gdi::Region inClient = vis;
        inClient.intersect(gdi::Region(client));
        if (!inClient.empty()) {
            inClient.offset(-client.left, -client.top);
            w->update.unite(inClient);
            w->erasePending = true;
        }
        gdi::Region frame = vis;
        frame.subtract(gdi::Region(client));
        if (!frame.empty()) w->ncPaintPending = true;
    }
}

Window* nextWindowToPaint(HWND filter) {
    for (Window* w : allWindows()) {
        if (!(w->style & WS_VISIBLE)) continue;
        if (w->update.empty() && !w->ncPaintPending && !w->internalPaint) continue;
        if (!reallyVisible(w) || redrawSuppressed(w)) continue;
        if (!passesWindowFilter(w->hwnd, filter)) continue;
        return w;
    }
    return nullptr;
}

void clearUpdate(Window* w) {
    w->update.setEmpty();
    w->erasePending = false;
    w->ncPaintPending = false;
    w->internalPaint = false;
}

// Sends WM_NCPAINT and WM_ERASEBKGND now when they are due (RDW_ERASENOW,
// and the start of BeginPaint).
static void paintFrameAndBackground(Window* w, bool eraseToo) {
    HWND h = w->hwnd;
    if (w->ncPaintPending) {
        w->ncPaintPending = false;
        send(w, WM_NCPAINT, 1, 0);
        w = get(h);
        if (!w) return;
    }
    if (eraseToo && w->erasePending && !w->update.empty()) {
        w->erasePending = false;
        gdi::Region area = w->update;
        POINT co = clientOriginOnScreen(w);
        area.offset(co.x, co.y);
        HDC dc = openDC(w, true, &area);
        send(w, WM_ERASEBKGND, (WPARAM)dc, 0);
        closeDC(dc);
    }
}

static void updateNow(Window* w, bool children, bool eraseOnly) {
    HWND h = w->hwnd;
    if (eraseOnly) {
        paintFrameAndBackground(w, true);
    } else if (!w->update.empty() || w->ncPaintPending || w->internalPaint) {
        if (reallyVisible(w) && !redrawSuppressed(w)) {
            gdi::Region before = w->update;
            send(w, WM_PAINT, 0, 0);
            Window* again = get(h);
            if (again && again->update == before) clearUpdate(again);
        }
    }
    w = get(h);
    if (!w || !children) return;
    std::vector<HWND> kids;
    for (Window* c = w->firstChild; c; c = c->next) kids.push_back(c->hwnd);
    for (HWND k : kids) {
        if (Window* c = get(k)) updateNow(c, true, eraseOnly);
    }
}

bool regionFromHandle(HRGN rgn, gdi::Region& out) {
    gdi::RegionObj* r = gdi::regionOf((HGDIOBJ)rgn);
    if (!r) return false;
    out = r->rgn;
    return true;
}

}  // namespace wm

using wm::Window;

HDC WINAPI BeginPaint(HWND hwnd, LPPAINTSTRUCT ps) {
    Window* w = wm::get(hwnd);
    if (!w || !ps) {
        wm::fail(wm::kErrInvalidWindowHandle);
        return nullptr;
    }
    wm::enterProc();
    if (w->ncPaintPending) {
        w->ncPaintPending = false;
        wm::send(w, WM_NCPAINT, 1, 0);
    }
    if (w->destroyed) {
        wm::leaveProc();
        return nullptr;
    }
    gdi::Region area = w->update;
    area.intersect(gdi::Region(wm::clientBox(w)));
    bool erase = w->erasePending;
    wm::clearUpdate(w);
    POINT co = wm::clientOriginOnScreen(w);
    gdi::Region screenArea = area;
    screenArea.offset(co.x, co.y);
    HDC dc = wm::openDC(w, true, &screenArea);
    *ps = PAINTSTRUCT{};
    ps->hdc = dc;
    ps->rcPaint = area.empty() ? RECT{0, 0, 0, 0} : area.bounds();
    ps->fErase = FALSE;
    if (erase && !area.empty()) ps->fErase = wm::send(w, WM_ERASEBKGND, (WPARAM)dc, 0) == 0;
    wm::leaveProc();
    return dc;
}

BOOL WINAPI EndPaint(HWND, const PAINTSTRUCT* ps) {
    if (!ps) return FALSE;
    wm::closeDC(ps->hdc);
    return TRUE;
}

HDC WINAPI GetDC(HWND hwnd) {
    if (!hwnd) {
        gdi::Region all(RECT{0, 0, device::screenConfig().width, device::screenConfig().height});
        HDC dc = gdi::createDisplayDC(&device::screenSurface(), POINT{0, 0}, all);
        if (dc) wm::openDCs()[dc] = all;
        return dc;
    }
    Window* w = wm::get(hwnd);
    if (!w) {
        wm::fail(wm::kErrInvalidWindowHandle);
        return nullptr;
    }
    return wm::openDC(w, true, nullptr);
}

HDC WINAPI GetWindowDC(HWND hwnd) {
    if (!hwnd) return GetDC(nullptr);
    Window* w = wm::get(hwnd);
    if (!w) {
        wm::fail(wm::kErrInvalidWindowHandle);
        return nullptr;
    }
    return wm::openDC(w, false, nullptr);
}

int WINAPI ReleaseDC(HWND, HDC hdc) {
    if (wm::openDCs().find(hdc) == wm::openDCs().end()) return 0;
    wm::closeDC(hdc);
    return 1;
}

BOOL WINAPI InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase) {
    if (!hwnd) {  // the whole screen: every window
        RECT all{0, 0, device::screenConfig().width, device::screenConfig().height};
        wm::exposeScreenArea(gdi::Region(rect ? *rect : all));
        return TRUE;
    }
    Window* w = wm::get(hwnd);
    if (!w) {
        wm::fail(wm::kErrInvalidWindowHandle);
        return FALSE;
    }
    if (rect) {
        gdi::Region area(*rect);
        wm::invalidateWindow(w, &area, erase != FALSE, false);
    } else {
        wm::invalidateWindow(w, nullptr, erase != FALSE, false);
    }
    return TRUE;
}

BOOL WINAPI InvalidateRgn(HWND hwnd, HRGN rgn, BOOL erase) {
    Window* w = wm::get(hwnd);
    if (!w) {
        wm::fail(wm::kErrInvalidWindowHandle);
        return FALSE;
    }
    gdi::Region area;
    if (!rgn) return InvalidateRect(hwnd, nullptr, erase);
    if (!wm::regionFromHandle(rgn, area)) return FALSE;
    wm::invalidateWindow(w, &area, erase != FALSE, false);
    return TRUE;
}

BOOL WINAPI ValidateRect(HWND hwnd, const RECT* rect) {
    Window* w = wm::get(hwnd);
    if (!w) {
        wm::fail(wm::kErrInvalidWindowHandle);
        return FALSE;
    }
    if (!rect) {
        wm::clearUpdate(w);
        return TRUE;
    }
    w->update.subtract(gdi::Region(*rect));
    if (w->update.empty()) w->erasePending = false;
    return TRUE;
}

BOOL WINAPI GetUpdateRect(HWND hwnd, LPRECT rect, BOOL erase) {
    Window* w = wm::get(hwnd);
    if (!w) {
        wm::fail(wm::kErrInvalidWindowHandle);
        return FALSE;
    }
    gdi::Region area = w->update;
    area.intersect(gdi::Region(wm::clientBox(w)));
    if (rect) *rect = area.empty() ? RECT{0, 0, 0, 0} : area.bounds();
    if (area.empty()) return FALSE;
    if (erase) wm::paintFrameAndBackground(w, true);
    return TRUE;
}

BOOL WINAPI UpdateWindow(HWND hwnd) {
    Window* w = wm::get(hwnd);
    if (!w) {
        wm::fail(wm::kErrInvalidWindowHandle);
        return FALSE;
    }
    wm::enterProc();
    wm::updateNow(w, true, false);
    wm::leaveProc();
    return TRUE;
}

BOOL WINAPI RedrawWindow(HWND hwnd, const RECT* rect, HRGN rgn, UINT flags) {
    Window* w = hwnd ? wm::get(hwnd) : wm::desktop();
    if (!w) {
        wm::fail(wm::kErrInvalidWindowHandle);
        return FALSE;
    }
    gdi::Region area;
    bool whole = true;
    if (rgn) {
        if (!wm::regionFromHandle(rgn, area)) return FALSE;
        whole = false;
    } else if (rect) {
        area.setRect(*rect);
        whole = false;
    }
    bool children = (flags & RDW_ALLCHILDREN) != 0;
    if (flags & RDW_INVALIDATE) {
        wm::invalidateWindowEx(w, whole ? nullptr : &area, (flags & RDW_ERASE) != 0, (flags & RDW_FRAME) != 0,
                               children);
        if (flags & RDW_INTERNALPAINT) w->internalPaint = true;
    } else if (flags & RDW_VALIDATE) {
        if (whole) {
            w->update.setEmpty();
            w->internalPaint = false;
        } else {
            w->update.subtract(area);
        }
        if (flags & RDW_NOERASE) w->erasePending = false;
        if (flags & RDW_NOFRAME) w->ncPaintPending = false;
        if (w->update.empty()) w->erasePending = false;
    } else if (flags & RDW_INTERNALPAINT) {
        w->internalPaint = true;
    }
    if (flags & (RDW_UPDATENOW | RDW_ERASENOW)) {
        wm::enterProc();
        wm::updateNow(w, (flags & RDW_NOCHILDREN) == 0, (flags & RDW_UPDATENOW) == 0);
        wm::leaveProc();
    }
    return TRUE;
}

int WINAPI SetWindowRgn(HWND hwnd, HRGN rgn, BOOL redraw) {
    Window* w = wm::get(hwnd);
    if (!w) {
        wm::fail(wm::kErrInvalidWindowHandle);
        return 0;
    }
    gdi::Region oldArea = wm::reallyVisible(w) ? wm::visibleRegion(w, false, false) : gdi::Region();
    if (rgn) {
        gdi::Region shape;
        if (!wm::regionFromHandle(rgn, shape)) return 0;
        w->shape = shape;
        // The window owns the region from now on, as on the device.
        DeleteObject((HGDIOBJ)rgn);
    } else {
        w->shape.reset();
    }
    if (redraw && wm::reallyVisible(w)) {
        wm::exposeScreenArea(oldArea);
        wm::invalidateWindow(w, nullptr, true, true);
    }
    return 1;
}

int WINAPI GetWindowRgn(HWND hwnd, HRGN rgn) {
    Window* w = wm::get(hwnd);
    gdi::RegionObj* r = gdi::regionOf((HGDIOBJ)rgn);
    if (!w || !r || !w->shape) return 0;  // ERROR
    r->rgn = *w->shape;
    return r->rgn.empty() ? 1 : (r->rgn.rects().size() == 1 ? 2 : 3);
}
