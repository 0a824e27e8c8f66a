// The non-client area: border, client edge, caption and the standard scroll
// bars, their painting (WM_NCPAINT) and hit testing (WM_NCHITTEST). The
// scroll bars are drawn by a registered painter when there is one, else as
// plain classic bars from the stored scroll values.
#include <algorithm>

#include "platform/window/screen.h"
#include "platform/window/wm_internal.h"
#include "wingdi.h"

namespace wm {
namespace {

device::NonClientPainter*& defaultPainter() {
    static device::NonClientPainter* p = nullptr;
    return p;
}

int barThickness() { return 13 * device::screenConfig().scale; }

bool contains(const RECT& r, POINT p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }

void fillTriangle(HDC dc, const RECT& r, int direction) {
    // direction: 0 up, 1 down, 2 left, 3 right
    int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
    int s = std::max(2, (int)std::min(r.right - r.left, r.bottom - r.top) / 4);
    POINT pts[3];
    switch (direction) {
        case 0: pts[0] = {cx - s, cy + s / 2}; pts[1] = {cx + s, cy + s / 2}; pts[2] = {cx, cy - s / 2 - 1}; break;
        case 1: pts[0] = {cx - s, cy - s / 2}; pts[1] = {cx + s, cy - s / 2}; pts[2] = {cx, cy + s / 2 + 1}; break;
        case 2: pts[0] = {cx + s / 2, cy - s}; pts[1] = {cx + s / 2, cy + s}; pts[2] = {cx - s / 2 - 1, cy}; break;
        default: pts[0] = {cx - s / 2, cy - s}; pts[1] = {cx - s / 2, cy + s}; pts[2] = {cx + s / 2 + 1, cy}; break;
    }
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(BLACK_BRUSH));
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
    Polygon(dc, pts, 3);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
}

// A plain scroll bar: two arrow buttons, the track and a thumb sized by the page.
void paintPlainBar(HDC dc, const RECT& r, const ScrollBarInfo& s, bool vertical) {
    if (rectEmpty(r)) return;
    int len = vertical ? r.bottom - r.top : r.right - r.left;
    int thick = vertical ? r.right - r.left : r.bottom - r.top;
    int arrow = std::min(thick, len / 2);
    RECT a1 = vertical ? RECT{r.left, r.top, r.right, r.top + arrow} : RECT{r.left, r.top, r.left + arrow, r.bottom};
    RECT a2 = vertical ? RECT{r.left, r.bottom - arrow, r.right, r.bottom}
                       : RECT{r.right - arrow, r.top, r.right, r.bottom};
    RECT track = vertical ? RECT{r.left, a1.bottom, r.right, a2.top} : RECT{a1.right, r.top, a2.left, r.bottom};
    FillRect(dc, &track, GetSysColorBrush(COLOR_SCROLLBAR));
    for (const RECT* a : {&a1, &a2}) {
        RECT b = *a;
        FillRect(dc, &b, GetSysColorBrush(COLOR_BTNFACE));
        DrawEdge(dc, &b, EDGE_RAISED, BF_RECT);
    }
    fillTriangle(dc, a1, vertical ? 0 : 2);
    fillTriangle(dc, a2, vertical ? 1 : 3);
    int trackLen = vertical ? track.bottom - track.top : track.right - track.left;
    long range = (long)s.max - s.min + 1;
    if (trackLen <= 4 || range <= 0) return;
    long page = s.page ? std::min<long>((long)s.page, range) : 1;
    int thumb = std::max<int>(std::min(thick, trackLen), (int)((long)trackLen * page / range));
    thumb = std::min(thumb, trackLen);
    long span = range - page;
    int offset = span > 0 ? (int)((long)(trackLen - thumb) * (std::clamp<long>(s.pos - s.min, 0, span)) / span) : 0;
    RECT t = vertical ? RECT{track.left, track.top + offset, track.right, track.top + offset + thumb}
                      : RECT{track.left + offset, track.top, track.left + offset + thumb, track.bottom};
    FillRect(dc, &t, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(dc, &t, EDGE_RAISED, BF_RECT);
}

struct PlainScrollBars : device::NonClientPainter {
    void paint(HWND hwnd, HDC dc) override {
        Window* w = get(hwnd);
        if (!w) return;
        paintPlainBar(dc, device::scrollBarRect(hwnd, SB_VERT), w->scroll[SB_VERT], true);
        paintPlainBar(dc, device::scrollBarRect(hwnd, SB_HORZ), w->scroll[SB_HORZ], false);
        if ((w->style & WS_VSCROLL) && (w->style & WS_HSCROLL)) {
            RECT v = device::scrollBarRect(hwnd, SB_VERT), h = device::scrollBarRect(hwnd, SB_HORZ);
            RECT corner{v.left, h.top, v.right, h.bottom};
            FillRect(dc, &corner, GetSysColorBrush(COLOR_BTNFACE));
        }
    }
    LRESULT hitTest(HWND, POINT) override { return HTNOWHERE; }
};

device::NonClientPainter* painterFor(const Window* w) {
    static PlainScrollBars plain;
    if (w->ncHandler) return w->ncHandler;
    if (defaultPainter()) return defaultPainter();
    return &plain;
}

}  // namespace

LRESULT onNcPaint(HWND hwnd) {
    Window* w = get(hwnd);
    if (!w) return 0;
    RECT whole{0, 0, w->rect.right - w->rect.left, w->rect.bottom - w->rect.top};
    RECT client = clientRectInWindow(w);
    if (whole.left == client.left && whole.top == client.top && whole.right == client.right &&
        whole.bottom == client.bottom)
        return 0;  // no frame at all
    HDC dc = GetWindowDC(hwnd);
    if (!dc) return 0;
    RECT inner = whole;
    for (int i = frameThickness(w); i > 0; --i) {
        FrameRect(dc, &inner, GetSysColorBrush(COLOR_WINDOWFRAME));
        InflateRect(&inner, -1, -1);
    }
    if (w->exStyle & WS_EX_CLIENTEDGE) {
        DrawEdge(dc, &inner, EDGE_SUNKEN, BF_RECT);
        InflateRect(&inner, -2, -2);
    }
    if ((w->style & WS_CAPTION) == WS_CAPTION) {
        RECT cap{inner.left, inner.top, inner.right, inner.top + GetSystemMetrics(SM_CYCAPTION)};
        bool active = topLevelOf(w) && activeWindow() == topLevelOf(w)->hwnd;
        FillRect(dc, &cap, GetSysColorBrush(active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
        LOGFONTW lf{};
        lf.lfHeight = -11 * device::screenConfig().scale;
        lf.lfWeight = FW_BOLD;
        const char16_t face[] = u"Tahoma";
        std::copy(face, face + 7, lf.lfFaceName);
        HFONT font = CreateFontIndirectW(&lf);
        HGDIOBJ old = SelectObject(dc, font);
        RECT textRect = cap;
        textRect.left += 4 * device::screenConfig().scale;
        DrawTextW(dc, w->text.c_str(), (int)w->text.size(), &textRect,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
        SelectObject(dc, old);
        DeleteObject(font);
    }
    if (w->style & (WS_VSCROLL | WS_HSCROLL)) painterFor(w)->paint(hwnd, dc);
    ReleaseDC(hwnd, dc);
    return 0;
}

LRESULT onNcHitTest(HWND hwnd, LPARAM lParam) {
    Window* w = get(hwnd);
    if (!w) return HTNOWHERE;
    POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    RECT wr = windowRectOnScreen(w);
    if (!contains(wr, pt)) return HTNOWHERE;
    if (w->shape && !w->shape->contains(pt.x - wr.left, pt.y - wr.top)) return HTNOWHERE;
    if (contains(clientRectOnScreen(w), pt)) return HTCLIENT;
    if (w->style & (WS_VSCROLL | WS_HSCROLL)) {
        LRESULT r = painterFor(w)->hitTest(hwnd, pt);
        if (r != HTNOWHERE) return r;
    }
    POINT local{pt.x - wr.left, pt.y - wr.top};
    if (contains(device::scrollBarRect(hwnd, SB_VERT), local)) return HTVSCROLL;
    if (contains(device::scrollBarRect(hwnd, SB_HORZ), local)) return HTHSCROLL;
    if ((w->style & WS_CAPTION) == WS_CAPTION) {
        RECT c = clientRectInWindow(w);
        if (local.y < c.top && local.y >= c.top - GetSystemMetrics(SM_CYCAPTION)) return HTCAPTION;
    }
    return HTBORDER;
}

LRESULT onNcPenDown(HWND hwnd, WPARAM hit, LPARAM lParam) {
    Window* w = get(hwnd);
    if (!w || !(w->style & (WS_VSCROLL | WS_HSCROLL))) return 0;
    if (hit != HTVSCROLL && hit != HTHSCROLL) return 0;
    // Every window with standard scroll bars scrolls by pen, whether or not
    // its procedure knows about them: the press reaches the painter that
    // draws the bars (the plain bars do nothing with it).
    painterFor(w)->penDown(hwnd, (LRESULT)hit, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    return 0;
}

}  // namespace wm

namespace device {

void setNonClientPainter(HWND hwnd, NonClientPainter* painter) {
    if (wm::Window* w = wm::get(hwnd)) w->ncHandler = painter;
}

void setDefaultNonClientPainter(NonClientPainter* painter) { wm::defaultPainter() = painter; }

RECT scrollBarRect(HWND hwnd, int bar) {
    wm::Window* w = wm::get(hwnd);
    if (!w) return RECT{0, 0, 0, 0};
    RECT c = wm::clientRectInWindow(w);
    int t = wm::barThickness();
    if (bar == SB_VERT && (w->style & WS_VSCROLL)) return RECT{c.right, c.top, c.right + t, c.bottom};
    if (bar == SB_HORZ && (w->style & WS_HSCROLL)) return RECT{c.left, c.bottom, c.right, c.bottom + t};
    return RECT{0, 0, 0, 0};
}

}  // namespace device
