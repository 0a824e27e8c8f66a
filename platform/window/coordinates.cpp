// Geometry: window and client rectangles, the non-client frame (border,
// caption, scroll bars), conversions between client and screen coordinates,
// and finding the window under a point.
#include <algorithm>

#include "platform/window/screen.h"
#include "platform/window/wm_errors.h"
#include "platform/window/wm_internal.h"

namespace wm {

RECT intersectRects(const RECT& a, const RECT& b) {
    RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
           std::min(a.bottom, b.bottom)};
    if (rectEmpty(r)) r = RECT{0, 0, 0, 0};
    return r;
}

int frameThickness(const Window* w) {
    if (w->style & WS_DLGFRAME) return GetSystemMetrics(SM_CXDLGFRAME);
    return (w->style & WS_BORDER) ? GetSystemMetrics(SM_CXBORDER) : 0;
}

RECT clientRectInWindow(const Window* w) {
    int scale = device::screenConfig().scale;
    LONG width = w->rect.right - w->rect.left;
    LONG height = w->rect.bottom - w->rect.top;
    RECT c{0, 0, width, height};
    if (int frame = frameThickness(w)) {
        c.left += frame; c.top += frame; c.right -= frame; c.bottom -= frame;
    }
    if (w->exStyle & WS_EX_CLIENTEDGE) {
        c.left += 2; c.top += 2; c.right -= 2; c.bottom -= 2;
    }
    if ((w->style & WS_CAPTION) == WS_CAPTION) c.top += GetSystemMetrics(SM_CYCAPTION);
    if (w->style & WS_VSCROLL) c.right -= 13 * scale;
    if (w->style & WS_HSCROLL) c.bottom -= 13 * scale;
    if (c.right < c.left) c.right = c.left;
    if (c.bottom < c.top) c.bottom = c.top;
    return c;
}

POINT windowOriginOnScreen(const Window* w) {
    if (!w->parent) return POINT{w->rect.left, w->rect.top};
    POINT p = clientOriginOnScreen(w->parent);
    return POINT{p.x + w->rect.left, p.y + w->rect.top};
}

POINT clientOriginOnScreen(const Window* w) {
    POINT p = windowOriginOnScreen(w);
    RECT c = clientRectInWindow(w);
    return POINT{p.x + c.left, p.y + c.top};
}

RECT windowRectOnScreen(const Window* w) {
    POINT p = windowOriginOnScreen(w);
    return RECT{p.x, p.y, p.x + (w->rect.right - w->rect.left), p.y + (w->rect.bottom - w->rect.top)};
}

RECT clientRectOnScreen(const Window* w) {
    POINT p = windowOriginOnScreen(w);
    RECT c = clientRectInWindow(w);
    return RECT{p.x + c.left, p.y + c.top, p.x + c.right, p.y + c.bottom};
}

bool reallyVisible(const Window* w) {
    for (const Window* a = w; a; a = a->parent) {
        if (!(a->style & WS_VISIBLE)) return false;
    }
    return true;
}

// Whether a screen point lies inside the window's shape (its rectangle and,
// when set, its window region).
static bool hitsShape(const Window* w, POINT pt) {
    RECT r = windowRectOnScreen(w);
    if (pt.x < r.left || pt.x >= r.right || pt.y < r.top || pt.y >= r.bottom) return false;
    if (w->shape) return w->shape->contains(pt.x - r.left, pt.y - r.top);
    return true;
}

// The deepest visible window under a screen point, starting at `from`.
Window* windowAt(Window* from, POINT pt, const std::vector<Window*>* passOver) {
    Window* w = from;
    for (;;) {
        RECT client = clientRectOnScreen(w);
        if (pt.x < client.left || pt.x >= client.right || pt.y < client.top || pt.y >= client.bottom) return w;
        Window* hit = nullptr;
        for (Window* c = w->firstChild; c; c = c->next) {
            bool passed = passOver && std::find(passOver->begin(), passOver->end(), c) != passOver->end();
            if (!passed && (c->style & WS_VISIBLE) && hitsShape(c, pt)) {
                hit = c;
                break;
            }
        }
        if (!hit) return w;
        w = hit;
    }
}

}  // namespace wm

using wm::Window;

BOOL WINAPI GetClientRect(HWND hwnd, LPRECT rect) {
    Window* w = wm::get(hwnd);
    if (!w || !rect) {
        wm::fail(wm::kErrInvalidWindowHandle);
        return FALSE;
    }
    RECT c = wm::clientRectInWindow(w);
    *rect = RECT{0, 0, c.right - c.left, c.bottom - c.top};
    return TRUE;
}

BOOL WINAPI GetWindowRect(HWND hwnd, LPRECT rect) {
    Window* w = wm::get(hwnd);
    if (!w || !rect) {
        wm::fail(wm::kErrInvalidWindowHandle);
        return FALSE;
    }
    *rect = wm::windowRectOnScreen(w);
    return TRUE;
}

BOOL WINAPI ClientToScreen(HWND hwnd, LPPOINT pt) {
    Window* w = wm::get(hwnd);
    if (!w || !pt) {
        wm::fail(wm::kErrInvalidWindowHandle);
        return FALSE;
    }
    POINT o = wm::clientOriginOnScreen(w);
    pt->x += o.x;
    pt->y += o.y;
    return TRUE;
}

BOOL WINAPI ScreenToClient(HWND hwnd, LPPOINT pt) {
    Window* w = wm::get(hwnd);
    if (!w || !pt) {
        wm::fail(wm::kErrInvalidWindowHandle);
        return FALSE;
    }
    POINT o = wm::clientOriginOnScreen(w);
    pt->x -= o.x;
    pt->y -= o.y;
    return TRUE;
}

int WINAPI MapWindowPoints(HWND from, HWND to, LPPOINT points, UINT count) {
    Window* f = from ? wm::get(from) : wm::desktop();
    Window* t = to ? wm::get(to) : wm::desktop();
    if (!f || !t || (count && !points)) {
        wm::fail(wm::kErrInvalidWindowHandle);
        return 0;
    }
    POINT a = f == wm::desktop() ? POINT{0, 0} : wm::clientOriginOnScreen(f);
    POINT b = t == wm::desktop() ? POINT{0, 0} : wm::clientOriginOnScreen(t);
    LONG dx = a.x - b.x, dy = a.y - b.y;
    for (UINT i = 0; i < count; ++i) {
        points[i].x += dx;
        points[i].y += dy;
    }
    return MAKELONG((WORD)(SHORT)dx, (WORD)(SHORT)dy);
}

HWND WINAPI WindowFromPoint(POINT pt) {
    // Windows that answer HTTRANSPARENT are looked through, as the pen does.
    std::vector<Window*> passedOver;
    for (;;) {
        Window* w = wm::windowAt(wm::desktop(), pt, &passedOver);
        if (!w || w == wm::desktop()) return nullptr;
        HWND h = w->hwnd;
        if (wm::send(w, WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y)) != HTTRANSPARENT || passedOver.size() >= 16) return h;
        if (!(w = wm::get(h))) return nullptr;
        passedOver.push_back(w);
    }
}

HWND WINAPI ChildWindowFromPoint(HWND parent, POINT pt) {
    Window* p = wm::get(parent);
    if (!p) return nullptr;
    RECT c = wm::clientRectInWindow(p);
    RECT whole{0, 0, c.right - c.left, c.bottom - c.top};
    if (pt.x < whole.left || pt.x >= whole.right || pt.y < whole.top || pt.y >= whole.bottom) return nullptr;
    POINT screen = wm::clientOriginOnScreen(p);
    screen.x += pt.x;
    screen.y += pt.y;
    for (Window* ch = p->firstChild; ch; ch = ch->next) {
        RECT r = wm::windowRectOnScreen(ch);
        // Hidden and disabled children count here, as on the device.
        if (screen.x >= r.left && screen.x < r.right && screen.y >= r.top && screen.y < r.bottom) return ch->hwnd;
    }
    return parent;
}
